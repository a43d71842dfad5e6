#include "coordination/ProjectRegistry.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace ardenvo {
namespace {

const std::string files = "Software\\Ardenvo\\Files";

class RegistryTest : public testing::Test {
protected:
    test::XdgSandbox sandbox;
    SettingsFile settings{sandbox.registryPath()};

    std::string project(const std::string& name) const { return sandbox.root + "/" + name; }

    void writeRaw(const std::string& text) {
        std::filesystem::create_directories(sandbox.config + "/Ardenvo");
        std::ofstream(sandbox.registryPath(), std::ios::trunc) << text;
    }
};

TEST_F(RegistryTest, FirstRegistrationCreatesCountZeroAndSlotZero) {
    EXPECT_TRUE(readProjectEntries(settings).empty());
    EXPECT_EQ(findProjectKey(project("a.av"), settings), "");

    registerProject(project("a.av"), settings);
    EXPECT_EQ(settings.readDword(files, "Count"), 0);
    EXPECT_EQ(settings.readDword(files + "\\File0", "index"), 0);
    EXPECT_EQ(settings.readDword(files + "\\File0", "status"), 1);
    EXPECT_EQ(settings.readString(files + "\\File0", "path"), project("a.av"));
    EXPECT_EQ(findProjectKey(project("a.av"), settings), files + "\\File0");
    ASSERT_EQ(readProjectEntries(settings).size(), 1u);
}

TEST_F(RegistryTest, DeletedSlotIsReusedAndCountNeverLowered) {
    for (const char* name : {"a.av", "b.av", "c.av"})
        registerProject(project(name), settings);
    EXPECT_EQ(settings.readDword(files, "Count"), 2);

    auto entries = readProjectEntries(settings);
    deleteProjectEntry(project("a.av"), entries, settings);
    EXPECT_FALSE(settings.subkeyExists(files + "\\File0"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].path, project("b.av"));
    EXPECT_EQ(findProjectKey(project("a.av"), settings), "");

    EXPECT_EQ(newProjectSlot(settings), 0);
    registerProject(project("d.av"), settings);
    EXPECT_EQ(settings.readString(files + "\\File0", "path"), project("d.av"));
    EXPECT_EQ(settings.readDword(files, "Count"), 2);

    // The last slot deleted: "Count" stays, the slot is reused.
    deleteProjectEntry(project("c.av"), entries, settings);
    EXPECT_EQ(entries.size(), 1u);
    EXPECT_EQ(newProjectSlot(settings), 2);
    EXPECT_EQ(settings.readDword(files, "Count"), 2);
    EXPECT_EQ(newProjectSlot(settings), 2) << "asking twice without using it gives the same slot";

    // Deleting an unknown project touches nothing.
    const auto before = readProjectEntries(settings).size();
    deleteProjectEntry(project("zzz.av"), entries, settings);
    EXPECT_EQ(readProjectEntries(settings).size(), before);
}

TEST_F(RegistryTest, OneEntryPerFileAndCaseTellsFilesApartOnLinux) {
    registerProject(project("House.av"), settings);
    EXPECT_EQ(findProjectKey(project("sub/../House.av"), settings), files + "\\File0");
    EXPECT_EQ(findProjectKey(project("house.av"), settings), "")
        << "on a case-sensitive file system these are two files";
    registerProject(project("house.av"), settings);
    EXPECT_EQ(findProjectKey(project("house.av"), settings), files + "\\File1");
}

TEST_F(RegistryTest, OneHouseInSeveralSlotsCountsOnceAndTheNextWriterTidiesUp) {
    std::ofstream(project("house.av")) << "x";
    std::filesystem::create_symlink(project("house.av"), project("link.av"));
    registerProject(project("house.av"), settings);
    registerProject(project("link.av"), settings);
    EXPECT_FALSE(settings.subkeyExists(files + "\\File1")) << "the house is registered already";

    // Left by programs that registered at the same moment, or by an older version.
    writeProjectEntries({{1, project("link.av"), projectEnabled},
                         {2, project("house.av"), projectEnabled},
                         {3, project("other.av"), projectEnabled}},
                        settings);
    settings.writeDword(files, "Count", 3);
    auto entries = readProjectEntries(settings);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].index, 0) << "the first slot wins";
    EXPECT_EQ(entries[1].path, project("other.av"));
    EXPECT_EQ(findProjectKey(project("link.av"), settings), files + "\\File0");

    // Disabling the house reaches the slot that counts, and the duplicates go.
    setProjectStatus(project("link.av"), false, settings);
    EXPECT_EQ(settings.readDword(files + "\\File0", "status"), projectDisabled);
    EXPECT_FALSE(settings.subkeyExists(files + "\\File1"));
    EXPECT_FALSE(settings.subkeyExists(files + "\\File2"));
    EXPECT_TRUE(settings.subkeyExists(files + "\\File3"));
}

TEST_F(RegistryTest, PathsTooLongForTheRegistryAreLeftOutNotCut) {
    const std::string fits = "/" + std::string(253, 'a');
    const std::string tooLong = "/" + std::string(254, 'b');
    registerProject(fits, settings);
    registerProject(tooLong, settings);
    auto entries = readProjectEntries(settings);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, fits);

    // Written by someone else: a long path is skipped, its neighbours still read.
    writeRaw("[Software]\n"
             "Ardenvo\\Files\\Count=2\n"
             "Ardenvo\\Files\\File0\\index=0\n"
             "Ardenvo\\Files\\File0\\path=/" +
             std::string(300, 'x') +
             "\n"
             "Ardenvo\\Files\\File0\\status=1\n"
             "Ardenvo\\Files\\File1\\index=1\n"
             "Ardenvo\\Files\\File1\\path=/ok.av\n"
             "Ardenvo\\Files\\File1\\status=1\n");
    entries = readProjectEntries(settings);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, "/ok.av");
    EXPECT_EQ(newProjectSlot(settings), 2) << "the long entry's slot stays taken";
}

TEST_F(RegistryTest, DamagedValuesNeverRedirectOrOverwriteAnotherProject) {
    writeRaw("[Software]\n"
             "Ardenvo\\Files\\Count=nonsense\n"
             "Ardenvo\\Files\\File0\\index=0\n"
             "Ardenvo\\Files\\File0\\path=/zero.av\n"
             "Ardenvo\\Files\\File0\\status=1\n"
             "Ardenvo\\Files\\File3\\index=0\n"
             "Ardenvo\\Files\\File3\\path=/three.av\n"
             "Ardenvo\\Files\\File3\\status=1\n"
             "Ardenvo\\Files\\File7\\other=1\n");
    // An unreadable "Count" means no slots; a new one still steps over the keys that exist.
    EXPECT_TRUE(readProjectEntries(settings).empty());
    registerProject("/new.av", settings);
    EXPECT_EQ(settings.readString(files + "\\File0", "path"), "/zero.av");
    EXPECT_EQ(settings.readString(files + "\\File1", "path"), "/new.av");
    EXPECT_EQ(settings.readDword(files, "Count"), 1);

    settings.writeDword(files, "Count", 7);
    auto entries = readProjectEntries(settings);
    ASSERT_EQ(entries.size(), 3u) << "a key with none of the three values is not an entry";
    EXPECT_EQ(entries[2].index, 3) << "the slot comes from the key, not the damaged index";
    setProjectStatus("/three.av", false, settings);
    EXPECT_EQ(settings.readDword(files + "\\File3", "status"), 0);
    EXPECT_EQ(settings.readDword(files + "\\File0", "status"), 1);
    deleteProjectEntry("/three.av", entries, settings);
    EXPECT_TRUE(settings.subkeyExists(files + "\\File0"));
    EXPECT_FALSE(settings.subkeyExists(files + "\\File3"));
}

TEST_F(RegistryTest, HugeCountIsNoHang) {
    settings.writeDword(files, "Count", 2147483647);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(readProjectEntries(settings).empty());
    EXPECT_EQ(newProjectSlot(settings), 0);
    registerProject("/a.av", settings);
    EXPECT_EQ(findProjectKey("/a.av", settings), files + "\\File0");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

} // namespace
} // namespace ardenvo
