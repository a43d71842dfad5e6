#include "ChildProcess.h"
#include "coordination/DocumentRegistration.h"
#include "coordination/ProjectRegistry.h"
#include "platform/RuntimeDirectory.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#ifdef ARDENVO_TOOL

namespace ardenvo {
namespace {

using test::ChildProcess;

class ProjectsCommandTest : public testing::Test {
protected:
    test::XdgSandbox sandbox;
    SettingsFile settings{sandbox.registryPath()};

    std::vector<std::string> run(const std::vector<std::string>& args, int* exitCode = nullptr) {
        std::vector<std::string> argv{ARDENVO_TOOL};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess tool(argv);
        std::vector<std::string> lines;
        while (auto line = tool.readLine())
            lines.push_back(*line);
        const auto code = tool.wait();
        if (exitCode)
            *exitCode = code.value_or(-1000);
        return lines;
    }
};

TEST_F(ProjectsCommandTest, ListsSlotsStatusAndMissingFiles) {
    auto lines = run({"projects"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Settings file: " + sandbox.registryPath());
    EXPECT_EQ(lines[1], "No projects are registered.");

    const std::string present = sandbox.root + "/present.av";
    std::ofstream(present) << "x";
    registerProject(sandbox.root + "/gone.av", settings);
    registerProject(present, settings);
    setProjectStatus(present, false, settings);

    int code = -1;
    lines = run({"projects"}, &code);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "SLOT\tSTATUS\tPATH");
    EXPECT_EQ(lines[2], "0\tenabled\t" + sandbox.root + "/gone.av\t(file not found)");
    EXPECT_EQ(lines[3], "1\tdisabled\t" + present);

    run({"projects", "extra"}, &code);
    EXPECT_EQ(code, 2);
}

TEST_F(ProjectsCommandTest, ListsWhatMainProgramsHaveOpen) {
    EXPECT_EQ(run({"open-projects"}), std::vector<std::string>{"No main program is running."});
    {
        DocumentRegistration doc(settings);
        EXPECT_EQ(run({"open-projects"}),
                  std::vector<std::string>{"No project is open in the main program."});
        doc.afterRead(sandbox.root + "/a.av");
        EXPECT_EQ(run({"open-projects"}),
                  (std::vector<std::string>{"ENTRY\tPATH", "0\t" + sandbox.root + "/a.av"}));
    }
    EXPECT_EQ(run({"open-projects"}), std::vector<std::string>{"No main program is running."});
}

TEST_F(ProjectsCommandTest, ControlCharactersInPathsNeverForgeLines) {
    const std::string crafted = sandbox.root + "/a.av\n7\tenabled\t/forged.av\x1b[2J";
    const std::string shown = sandbox.root + "/a.av\\n7\\tenabled\\t/forged.av\\x1b[2J";
    registerProject(crafted, settings);
    auto lines = run({"projects"});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "0\tenabled\t" + shown + "\t(file not found)");

    LoadedProjectTable table;
    ASSERT_TRUE(table.openOrCreate());
    ASSERT_TRUE(table.appendEntry(crafted));
    lines = run({"open-projects"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "0\t" + shown);
}

TEST_F(ProjectsCommandTest, AnUnusableRuntimeDirectoryIsToldAndAMerelyOpenOneIsClosed) {
    // Our own directory, open to everyone: closed to others, and coordination goes on.
    std::filesystem::create_directories(sandbox.runtimeDir());
    std::filesystem::permissions(sandbox.runtimeDir(), std::filesystem::perms::all);
    DocumentRegistration doc;
    doc.afterRead(sandbox.root + "/open.av");
    int code = 0;
    auto lines = run({"open-projects"}, &code);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "0\t" + sandbox.root + "/open.av");
    EXPECT_EQ(std::filesystem::status(sandbox.runtimeDir()).permissions(),
              std::filesystem::perms::owner_all);

    // A link planted in its place: refused, and the user is told where and why.
    std::filesystem::remove_all(sandbox.runtimeDir());
    std::filesystem::create_directory_symlink(sandbox.root, sandbox.runtimeDir());
    ChildProcess tool({"/bin/sh", "-c", "exec \"$0\" open-projects 2>&1", ARDENVO_TOOL});
    std::string told;
    while (auto line = tool.readLine())
        told += *line + "\n";
    EXPECT_NE(told.find(sandbox.runtimeDir() + " is a symbolic link"), std::string::npos) << told;
    EXPECT_EQ(tool.wait(), 0);
}

TEST_F(ProjectsCommandTest, APlantedTableOrLockFileIsToldAsTheDirectoryIs) {
    const std::string dir = sandbox.runtimeDir();
    std::filesystem::create_directories(dir);
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    const std::string lock = dir + "/" + LoadedProjectTable::lockName;
    const std::string told = "cannot coordinate (open houses, reloads, one reminder program): ";
    // A link to somebody's file in place of the lock.
    std::filesystem::create_symlink(sandbox.root + "/elsewhere", lock);
    ChildProcess tool({"/bin/sh", "-c", "exec \"$0\" open-projects 2>&1", ARDENVO_TOOL});
    std::string said;
    while (auto line = tool.readLine())
        said += *line + "\n";
    tool.wait();
    EXPECT_NE(said.find(told + lock + " is a symbolic link"), std::string::npos) << said;
    EXPECT_FALSE(std::filesystem::exists(sandbox.root + "/elsewhere"));
    std::filesystem::remove(lock);

    // Another user's table: a main program here is told, and keeps away from it.
    const std::string mapping = dir + "/" + LoadedProjectTable::mappingName;
    std::ofstream(mapping) << std::string(LoadedProjectTable::capacity, '\0');
    if (::geteuid() == 0 && ::chown(mapping.c_str(), 65534, 65534) == 0) {
        DocumentRegistration doc;
        EXPECT_FALSE(doc.hasTable());
        std::string problems;
        RuntimeDirectory::reportProblemOnce(
            [&](const std::string& problem) { problems += problem + "\n"; });
        EXPECT_NE(problems.find(told + mapping + " belongs to another user"), std::string::npos)
            << problems;
    }
}

} // namespace
} // namespace ardenvo

#endif
