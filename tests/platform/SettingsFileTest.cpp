#include "platform/SettingsFile.h"
#include "platform/Settings.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ardenvo {
namespace {

class SettingsFileTest : public testing::Test {
protected:
    test::XdgSandbox sandbox;
    SettingsFile file{sandbox.registryPath()};

    void writeRaw(const std::string& text) {
        std::filesystem::create_directories(sandbox.config + "/Ardenvo");
        std::ofstream(sandbox.registryPath(), std::ios::trunc) << text;
    }
};

TEST_F(SettingsFileTest, ValuesRoundTripAndBothSeparatorsNameOneKey) {
    EXPECT_EQ(SettingsFile::defaultFilePath(), sandbox.registryPath()); // under XDG_CONFIG_HOME
    EXPECT_TRUE(file.writeDword("Software\\Ardenvo\\Files", "Count", 7));
    EXPECT_EQ(file.readDword("Software/Ardenvo/Files", "Count"), 7);
    EXPECT_EQ(file.readDword("\\Software\\\\Ardenvo/Files\\", "Count"), 7);
    EXPECT_TRUE(file.writeDword("Software\\Ardenvo", "neg", -2147483647 - 1));
    EXPECT_EQ(file.readDword("Software\\Ardenvo", "neg"), -2147483647 - 1);

    EXPECT_TRUE(file.writeString("Software\\Ardenvo\\Files\\File0", "path", "/home/a b/x,y.av"));
    EXPECT_EQ(file.readString("Software/Ardenvo/Files/File0", "path"), "/home/a b/x,y.av");

    // Bytes from another code page come back byte for byte.
    const std::string latin1 = "/home/caf\xe9.av";
    EXPECT_TRUE(file.writeString("K", "latin", latin1));
    EXPECT_EQ(file.readString("K", "latin"), latin1);

    // The file is written at once: another reader sees it without any flush by the caller.
    SettingsFile other(sandbox.registryPath());
    EXPECT_EQ(other.readDword("Software\\Ardenvo\\Files", "Count"), 7);
}

TEST_F(SettingsFileTest, MissingDamagedAndOversizedValuesReadAsNone) {
    writeRaw("[K]\n"
             "text=hello\n"
             "big=4294967296\n"
             "list=a,b\n"
             "n=12\n");
    EXPECT_FALSE(file.readDword("K", "absent"));
    EXPECT_FALSE(file.readDword("Nowhere\\Deep", "x"));
    EXPECT_FALSE(file.readDword("K", "text"));
    EXPECT_FALSE(file.readDword("K", "big"));
    EXPECT_EQ(file.readDword("K", "n"), 12);
    EXPECT_EQ(file.readString("K", "list"), "a,b");
    EXPECT_FALSE(file.readString("K", "absent"));

    // A string longer than asked for is refused, not cut.
    EXPECT_EQ(file.readString("K", "text", 5), "hello");
    EXPECT_FALSE(file.readString("K", "text", 4));
    EXPECT_TRUE(file.valueExists("K", "text"));
}

TEST_F(SettingsFileTest, KeysAreEnumeratedAndDeletedWithTheirSubkeys) {
    file.writeDword("Software\\Ardenvo\\Files", "Count", 1);
    file.writeDword("Software\\Ardenvo\\Files\\File0", "index", 0);
    file.writeDword("Software\\Ardenvo\\Files\\File1", "index", 1);
    file.writeDword("Software\\Ardenvo\\Files\\File1\\Deeper", "x", 1);
    file.writeDword("Software\\Ardenvo\\Setup", "Units", 2);

    EXPECT_TRUE(file.subkeyExists("Software\\Ardenvo\\Files\\File1"));
    EXPECT_FALSE(file.subkeyExists("Software\\Ardenvo\\Files\\File2"));
    EXPECT_EQ(file.childGroups("Software\\Ardenvo\\Files"),
              (std::vector<std::string>{"File0", "File1"}));
    EXPECT_EQ(file.childKeys("Software\\Ardenvo\\Files"), (std::vector<std::string>{"Count"}));

    EXPECT_TRUE(file.deleteKey("Software\\Ardenvo\\Files\\File1"));
    EXPECT_FALSE(file.subkeyExists("Software\\Ardenvo\\Files\\File1"));
    EXPECT_FALSE(file.readDword("Software\\Ardenvo\\Files\\File1\\Deeper", "x"));
    EXPECT_TRUE(file.subkeyExists("Software\\Ardenvo\\Files\\File0"));
    EXPECT_EQ(file.readDword("Software\\Ardenvo\\Files", "Count"), 1);
    EXPECT_EQ(file.readDword("Software\\Ardenvo\\Setup", "Units"), 2);
    EXPECT_FALSE(file.deleteKey("Software\\Ardenvo\\Files\\File1"));
    EXPECT_FALSE(file.deleteKey("")); // never the whole file

    EXPECT_TRUE(file.deleteValue("Software\\Ardenvo\\Setup", "Units"));
    EXPECT_FALSE(file.valueExists("Software\\Ardenvo\\Setup", "Units"));
}

TEST_F(SettingsFileTest, ChangesMadeBehindTheObjectAreSeenOnTheNextRead) {
    file.writeDword("K", "v", 1);
    EXPECT_EQ(file.readDword("K", "v"), 1);
    // What another process would do: replace the file with different content and size.
    writeRaw("[K]\nv=12345\nw=2\n");
    EXPECT_EQ(file.readDword("K", "v"), 12345);
    EXPECT_EQ(file.readDword("K", "w"), 2);
}

TEST_F(SettingsFileTest, UnwritableFileReportsFailure) {
    std::filesystem::create_directories(sandbox.root + "/dir.conf");
    SettingsFile onDirectory(sandbox.root + "/dir.conf");
    EXPECT_FALSE(onDirectory.writeDword("K", "v", 1));
}

class SettingsTest : public SettingsFileTest {
protected:
    Settings settings{file};
};

TEST_F(SettingsTest, TipIsOnUnlessStoredAsZero) {
    EXPECT_TRUE(settings.eventOccureTip());
    settings.setEventOccureTip(false);
    EXPECT_EQ(file.readDword("Software\\Ardenvo", "eventOccureTip"), 0);
    EXPECT_FALSE(settings.eventOccureTip());
    file.writeDword("Software\\Ardenvo", "eventOccureTip", 5);
    EXPECT_TRUE(settings.eventOccureTip());
}

TEST_F(SettingsTest, RecentFilesKeepFourMostRecentWithoutDuplicates) {
    const std::string d = sandbox.root + "/";
    for (const char* name : {"a.av", "b.av", "c.av", "d.av", "e.av"})
        settings.addRecentFile(d + name);
    EXPECT_EQ(settings.recentFiles(),
              (std::vector<std::string>{d + "e.av", d + "d.av", d + "c.av", d + "b.av"}));
    EXPECT_EQ(file.readString("Software\\Local AppWizard-Generated Applications\\ardenvo\\"
                              "Recent File List",
                              "File1"),
              d + "e.av");

    settings.addRecentFile(d + "./c.av"); // the same file, spelt differently
    EXPECT_EQ(settings.recentFiles(),
              (std::vector<std::string>{d + "./c.av", d + "e.av", d + "d.av", d + "b.av"}));

    settings.removeRecentFile(d + "e.av");
    EXPECT_EQ(settings.recentFiles(),
              (std::vector<std::string>{d + "./c.av", d + "d.av", d + "b.av"}));
    EXPECT_FALSE(file.valueExists(
        "Software\\Local AppWizard-Generated Applications\\ardenvo\\Recent File List", "File4"));
}

} // namespace
} // namespace ardenvo
