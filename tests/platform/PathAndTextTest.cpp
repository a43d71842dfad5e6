#include "platform/ProjectKey.h"
#include "platform/TextCodec.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ardenvo {
namespace {

namespace fs = std::filesystem;

TEST(ProjectKeyTest, AbsoluteAndCleanedButCaseKept) {
    test::XdgSandbox sandbox;
    const std::string dir = sandbox.root;
    std::ofstream(dir + "/House.av") << "x";

    EXPECT_EQ(projectKey(dir + "/sub/../House.av"), dir + "/House.av");
    EXPECT_EQ(projectKey("/../x.av"), "/x.av");
    EXPECT_EQ(projectKey(""), "");

    const fs::path before = fs::current_path();
    fs::current_path(dir);
    EXPECT_EQ(projectKey("House.av"), dir + "/House.av");
    EXPECT_EQ(projectKey("./a/../House.av"), dir + "/House.av");
    fs::current_path(before);

    // This file system tells case apart: lower-casing would name another (missing) file.
    EXPECT_FALSE(isCaseInsensitivePath(dir + "/House.av"));
    EXPECT_EQ(projectKey(dir + "/House.av"), dir + "/House.av");
    EXPECT_NE(projectKey(dir + "/House.av"), projectKey(dir + "/house.av"));
}

TEST(ProjectKeyTest, SymbolicLinksAreResolvedWhileTheFileExists) {
    test::XdgSandbox sandbox;
    const std::string dir = sandbox.root;
    fs::create_directory(dir + "/drive");
    const std::string house = dir + "/drive/House.av";
    std::ofstream(house) << "x";
    fs::create_symlink(house, dir + "/link.av");
    fs::create_directory_symlink(dir + "/drive", dir + "/alias");

    EXPECT_EQ(projectKey(dir + "/link.av"), house);
    EXPECT_EQ(projectKey(dir + "/alias/House.av"), house);
    EXPECT_EQ(projectKey(dir + "/alias/../link.av"), house);
    EXPECT_TRUE(sameFile(dir + "/link.av", dir + "/alias/House.av"));
    // Not there (yet): the cleaned path, as written.
    EXPECT_EQ(projectKey(dir + "/alias/New.av"), dir + "/alias/New.av");
    fs::remove(house);
    EXPECT_EQ(projectKey(dir + "/link.av"), dir + "/link.av");
}

TEST(ProjectKeyTest, CaseInsensitiveFileSystemIsDetectedWhenOneIsAvailable) {
    // Set ARDENVO_CASE_INSENSITIVE_DIR to a folder on such a file system (vfat, casefolded ext4)
    // to run this.
    const char* dir = std::getenv("ARDENVO_CASE_INSENSITIVE_DIR");
    if (!dir)
        GTEST_SKIP() << "no case-insensitive folder given";
    const std::string file = std::string(dir) + "/ArdenvoProbe.av";
    std::ofstream(file) << "x";
    EXPECT_TRUE(isCaseInsensitivePath(file));
    EXPECT_EQ(projectKey(file), projectKey(std::string(dir) + "/ARDENVOPROBE.AV"));
    fs::remove(file);
}

TEST(TextCodecTest, Utf8IsRecognisedStrictly) {
    for (const char* valid : {"", "plain", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8f\xa0"})
        EXPECT_TRUE(isValidUtf8(valid)) << valid;
    // Windows-1252, cut short, overlong, surrogate, past U+10FFFF, a lone continuation byte.
    for (const char* invalid :
         {"caf\xe9", "\xc3", "\xe2\x82", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\x80"})
        EXPECT_FALSE(isValidUtf8(invalid)) << invalid;
}

TEST(TextCodecTest, OtherBytesShowAsWindows1252) {
    EXPECT_EQ(windows1252ToUtf8("caf\xe9 \x80 \x93q\x94"),
              "caf\xc3\xa9 \xe2\x82\xac \xe2\x80\x9cq\xe2\x80\x9d");
    EXPECT_EQ(displayText("caf\xe9"), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(displayText("caf\xc3\xa9"), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(storedText(QString::fromUtf8("\xe2\x82\xac")), "\xe2\x82\xac");
    const std::string all = [] {
        std::string s;
        for (int c = 1; c < 256; ++c)
            s += static_cast<char>(c);
        return s;
    }();
    EXPECT_TRUE(isValidUtf8(windows1252ToUtf8(all)));
    EXPECT_FALSE(displayText(all).contains(QChar::ReplacementCharacter));
}

} // namespace
} // namespace ardenvo
