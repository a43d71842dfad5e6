#include "platform/AppPaths.h"
#include "platform/Autostart.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace ardenvo {
namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class DesktopIntegrationTest : public testing::Test {
protected:
    test::XdgSandbox sandbox;
};

TEST_F(DesktopIntegrationTest, AutostartEntryExistsExactlyWhileWritten) {
    const std::string entry = sandbox.config + "/autostart/ardenvoreminder.desktop";
    EXPECT_EQ(Autostart::entryPath(), entry);
    EXPECT_FALSE(Autostart::exists());
    EXPECT_TRUE(Autostart::remove()) << "removing what is not there is no failure";
    // Paths an entry cannot hold are refused.
    EXPECT_FALSE(Autostart::write("/a\nX-Evil=1/r"));
    EXPECT_FALSE(Autostart::write("relative/ardenvoreminder"));
    EXPECT_FALSE(Autostart::write("/caf\xe9/r")); // not UTF-8
    EXPECT_FALSE(Autostart::exists());

    ASSERT_TRUE(Autostart::write("/opt/ardenvo/bin/ardenvoreminder"));
    EXPECT_TRUE(Autostart::exists());
    const std::string text = readFile(entry);
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=\"/opt/ardenvo/bin/ardenvoreminder\"\n"), std::string::npos);
    EXPECT_NE(text.find("\nIcon=ardenvoreminder\n"), std::string::npos) << "the installed icon";
    // After the program is removed the entry is skipped, not started in vain at each log-on.
    EXPECT_NE(text.find("\nTryExec=/opt/ardenvo/bin/ardenvoreminder\n"), std::string::npos);
    ASSERT_TRUE(Autostart::write("/opt/a\\b/ardenvoreminder"));
    EXPECT_NE(readFile(entry).find("\nTryExec=/opt/a\\\\b/ardenvoreminder\n"), std::string::npos);

    ASSERT_TRUE(Autostart::write()); // the running program
    EXPECT_NE(readFile(entry).find("Exec=\"" + AppPaths::programPath() + "\"\n"),
              std::string::npos);

    EXPECT_TRUE(Autostart::remove());
    EXPECT_FALSE(Autostart::exists());
}

TEST_F(DesktopIntegrationTest, ExecValueSurvivesUnusualCharacters) {
    EXPECT_EQ(Autostart::execValue("/a b/r"), "\"/a b/r\"");
    // Inside quotes: \" \` \$ \\ ; then the entry's escaping doubles each backslash.
    EXPECT_EQ(Autostart::execValue("/x\"y"), "\"/x\\\\\"y\"");
    EXPECT_EQ(Autostart::execValue("/x`y$z"), "\"/x\\\\`y\\\\$z\"");
    EXPECT_EQ(Autostart::execValue("/x\\y"), "\"/x\\\\\\\\y\"");
    EXPECT_EQ(Autostart::execValue("/100%/r"), "\"/100%%/r\"");
}

TEST_F(DesktopIntegrationTest, ProgramAndResourceDirectories) {
    const std::string dir = AppPaths::programDirectory();
    EXPECT_TRUE(fs::equivalent(dir, fs::path(AppPaths::programPath()).parent_path()));
    const auto dirs = AppPaths::resourceDirectories();
    ASSERT_EQ(dirs.size(), 2u);
    EXPECT_EQ(dirs[0], dir);
    EXPECT_EQ(dirs[1], (fs::path(dir).parent_path() / "share" / "ardenvo").string());

    const std::string exeName = fs::path(AppPaths::programPath()).filename().string();
    EXPECT_EQ(AppPaths::findResource(exeName), AppPaths::programPath());
    EXPECT_FALSE(AppPaths::findResource("no-such-resource.jpg"));
    EXPECT_FALSE(AppPaths::findResource(""));
}

TEST_F(DesktopIntegrationTest, DataGoesBesideTheProgramOnlyWhenWritableAndNotInstalled) {
    const std::string writable = sandbox.root + "/portable";
    fs::create_directories(writable);
    EXPECT_EQ(AppPaths::dataDirectoryFor(writable), writable);

    if (::geteuid() != 0) { // root may write anywhere
        const std::string readOnly = sandbox.root + "/installed";
        fs::create_directories(readOnly);
        ::chmod(readOnly.c_str(), 0555);
        EXPECT_EQ(AppPaths::dataDirectoryFor(readOnly), sandbox.data + "/Ardenvo");
        ::chmod(readOnly.c_str(), 0755);
    }
    EXPECT_EQ(AppPaths::dataDirectoryFor(sandbox.root + "/missing"), sandbox.data + "/Ardenvo");
    EXPECT_TRUE(fs::is_directory(sandbox.data + "/Ardenvo"));

    // Installed under a prefix: writable or not (as for root), nothing is written beside it.
    const std::string prefix = sandbox.root + "/usr";
    fs::create_directories(prefix + "/bin");
    fs::create_directories(prefix + "/share/ardenvo");
    EXPECT_EQ(AppPaths::dataDirectoryFor(prefix + "/bin"), sandbox.data + "/Ardenvo");
}

} // namespace
} // namespace ardenvo
