// Every program run under a file-size limit (ulimit -f) that its writes exceed: the write fails
// and is reported; the kernel must not end the program.
#include "ToolRunner.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

// Runs the program with no room at all for file data. Its streams go through a pipe, which the
// limit does not cover, and the last line says how it ended: "exit N" (above 128: by a signal).
std::string runWithoutRoom(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> shellArgs = {
        "-c", "{ (ulimit -f 0; exec \"$0\" \"$@\"); echo \"exit $?\"; } 2>&1 | cat", program};
    shellArgs.insert(shellArgs.end(), args.begin(), args.end());
    return runProgram("/bin/sh", shellArgs).out;
}

TEST(FileSizeLimit, TheToolReportsTheFailedSaveAndLeavesTheHouseAsItWas) {
    XdgSandbox sandbox;
    TempDir dir;
    const std::string path = dir.file("house.av");
    writeBytes(path, "my inventory");
    const std::string out = runWithoutRoom(ARDENVO_TOOL, {"new", "--force", path});
    EXPECT_NE(out.find("Failed to save document."), std::string::npos) << out;
    EXPECT_NE(out.find("File too large"), std::string::npos) << out;
    EXPECT_NE(out.find("exit 1\n"), std::string::npos) << out;
    EXPECT_EQ(readBytes(path), "my inventory");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left";
}

#if defined(ARDENVO_EXE) && defined(ARDENVO_REMINDER_EXE)
TEST(FileSizeLimit, TheProgramsOutliveAWriteBeyondTheLimit) {
    XdgSandbox sandbox;
    TempDir dir;
    for (const char* program : {ARDENVO_EXE, ARDENVO_REMINDER_EXE}) {
        const std::string out = runWithoutRoom(program, {"--screenshot", dir.file("shot.png")});
        const auto at = out.rfind("exit ");
        ASSERT_NE(at, std::string::npos) << out;
        EXPECT_LT(std::stoi(out.substr(at + 5)), 128) << program << " was killed:\n" << out;
    }
}
#endif

} // namespace
} // namespace ardenvo::test
