// Where a report goes when its name is not a plain file: pipes, devices and standard output are
// written into as a command-line user expects, and nothing else but regular files is replaced.
#include "model/SafeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace ardenvo;

namespace {

namespace fs = std::filesystem;

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool writeReport(const std::string& path, const std::string& bytes, std::string* error = nullptr) {
    return replaceFileSafelyWith(
        path, false, [&](const ChunkWriter& write) { return write(bytes); }, error, nullptr,
        nullptr, TargetLinks::ReplaceName);
}

// Runs the report write in a child whose standard output is `stdoutFile`; whether it succeeded.
bool writeReportWithStdout(const std::string& path, const std::string& stdoutFile,
                           const std::string& bytes) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::freopen(stdoutFile.c_str(), "w", stdout);
        ::_exit(writeReport(path, bytes) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class ReportTarget : public testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/ardenvo-output-XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        m_dir = dir;
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string path(const char* name) const { return m_dir + "/" + name; }

    std::string m_dir;
};

} // namespace

TEST_F(ReportTarget, PipesDevicesAndStandardOutputAreWrittenIntoNotReplaced) {
    // A named pipe, directly and through a link: the reader gets the report, the pipe stays.
    const std::string fifo = path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::symlink(fifo.c_str(), path("to-pipe").c_str()), 0);
    for (const std::string& name : {fifo, path("to-pipe")}) {
        std::string received;
        std::thread reader([&] { received = contentOf(fifo); });
        std::string error;
        EXPECT_TRUE(writeReport(name, "<html>report</html>", &error)) << error;
        reader.join();
        EXPECT_EQ(received, "<html>report</html>");
        EXPECT_TRUE(fs::is_fifo(fifo));
    }
    EXPECT_TRUE(fs::is_symlink(path("to-pipe")));

    EXPECT_TRUE(writeReport("/dev/null", "gone")); // a character device
    // "-" and /dev/stdout are the standard output, whatever it is; no file is made beside it.
    const std::string out = path("stdout.txt");
    EXPECT_TRUE(writeReportWithStdout("-", out, "to standard output"));
    EXPECT_EQ(contentOf(out), "to standard output");
    EXPECT_TRUE(writeReportWithStdout("/dev/stdout", out, "through the link"));
    EXPECT_EQ(contentOf(out), "through the link");
    EXPECT_TRUE(fs::is_symlink("/dev/stdout"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 3);
}

TEST_F(ReportTarget, OnlyRegularFilesLinksToThemAndNewNamesAreReplaced) {
    // A link to a file gets a file of its own; what it pointed to is untouched.
    const std::string elsewhere = path("elsewhere.txt");
    std::ofstream(elsewhere) << "precious";
    ASSERT_EQ(::symlink(elsewhere.c_str(), path("report.html").c_str()), 0);
    EXPECT_TRUE(writeReport(path("report.html"), "new"));
    EXPECT_FALSE(fs::is_symlink(path("report.html")));
    EXPECT_EQ(contentOf(path("report.html")), "new");
    EXPECT_EQ(contentOf(elsewhere), "precious");

    // A folder, or a link to one, is refused and stays as it was.
    ASSERT_TRUE(fs::create_directory(path("folder")));
    ASSERT_EQ(::symlink(path("folder").c_str(), path("to-folder").c_str()), 0);
    for (const char* name : {"folder", "to-folder"}) {
        std::string error;
        EXPECT_FALSE(writeReport(path(name), "x", &error)) << name;
        EXPECT_NE(error.find("Not a regular file"), std::string::npos) << error;
    }
    EXPECT_TRUE(fs::is_symlink(path("to-folder")));
    EXPECT_TRUE(fs::is_directory(path("folder")));
}
