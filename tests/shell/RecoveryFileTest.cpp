// Recovery copies sit in a folder other programs (and other people's files) could reach: what is
// found there is only taken when it is what this program writes.
#include "ShellTestSupport.h"

#include "model/ProjectFile.h"
#include "shell/RecoveryFile.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

namespace fs = std::filesystem;

int goneProcessId() {
    int pid = 4000000;
    while (::kill(pid, 0) == 0)
        ++pid;
    return pid;
}

// A process that runs `start`, then waits until it is ended.
class Child {
public:
    explicit Child(const std::function<void()>& start) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        EXPECT_EQ(::pipe(m_hold), 0);
        pid = ::fork();
        if (pid == 0) {
            start();
            char byte = 1;
            [[maybe_unused]] const auto sent = ::write(ready[1], &byte, 1);
            ::close(m_hold[1]);
            [[maybe_unused]] const auto got = ::read(m_hold[0], &byte, 1); // until the end
            ::_exit(0);
        }
        ::close(ready[1]);
        char byte = 0;
        EXPECT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
    }
    ~Child() { end(); }
    // Killed, and waited for only until it is a zombie: nobody has reaped it yet.
    void killLeavingZombie() {
        ::kill(pid, SIGKILL);
        siginfo_t info{};
        ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
    }
    void end() {
        if (m_hold[1] < 0)
            return;
        ::close(m_hold[0]);
        ::close(m_hold[1]);
        m_hold[1] = -1;
        ::waitpid(pid, nullptr, 0);
    }

    pid_t pid = -1;

private:
    int m_hold[2] = {-1, -1};
};

class RecoveryFolder : public testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder);
        doc.newHouse();
        doc.setUnitIndex(3);
    }
    void TearDown() override { fs::remove_all(scratchFile("recovery-safety").toStdString()); }
    std::string file(const std::string& name) const { return folder + "/" + name; }

    const std::string folder = scratchFile("recovery-safety/copies").toStdString();
    CBrenvikaDoc doc;
};

} // namespace

TEST_F(RecoveryFolder, AHugeCopyIsRefusedAndKeptAsideUnderANewNumber) {
    RecoveryFile own(folder);
    ASSERT_TRUE(own.write(doc));
    const std::string huge = file(std::to_string(goneProcessId()) + ".recovery");
    { std::ofstream(huge) << RecoveryFile::encode("/x.av", writeProject(doc)); }
    fs::resize_file(huge, 100ull << 30); // sparse: 100 GB that take no room
    RecoveryFile::Contents contents;
    std::string error;
    EXPECT_FALSE(RecoveryFile::read(huge, contents, &error));
    EXPECT_EQ(error, "too large for a recovery copy");

    // Whatever already bears the damaged names stays as it is.
    fs::create_directory(huge + ".damaged");
    std::ofstream(huge + ".damaged.2") << "an older damaged copy";
    EXPECT_EQ(RecoveryFile::keepAside(huge), huge + ".damaged.3");
    EXPECT_TRUE(fs::is_directory(huge + ".damaged"));
    std::ifstream older(huge + ".damaged.2");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(older), {}), "an older damaged copy");
    EXPECT_EQ(fs::file_size(huge + ".damaged.3"), 100ull << 30);
    EXPECT_TRUE(own.leftOvers().empty());
}

TEST_F(RecoveryFolder, OnlyPlainFilesWithTheNamesThisProgramWritesAreTakenAsCopies) {
    RecoveryFile own(folder);
    ASSERT_TRUE(own.write(doc));
    const std::string copy = RecoveryFile::encode("", writeProject(doc));
    const int gone = goneProcessId();
    for (const std::string& name :
         {"+" + std::to_string(gone), " " + std::to_string(gone), std::to_string(gone) + "x",
          "0" + std::to_string(gone), std::string("house")})
        std::ofstream(file(name + ".recovery")) << copy;
    std::ofstream(file("elsewhere")) << copy;
    fs::create_symlink(file("elsewhere"), file(std::to_string(gone) + ".recovery"));
    EXPECT_TRUE(own.leftOvers().empty());
}

TEST_F(RecoveryFolder, AFolderThatIsALinkOrNoFolderIsRefusedAndNothingIsReadOrWrittenThere) {
    const std::string elsewhere = scratchFile("recovery-safety/elsewhere").toStdString();
    fs::create_directories(elsewhere);
    std::ofstream(elsewhere + "/" + std::to_string(goneProcessId()) + ".recovery")
        << RecoveryFile::encode("", writeProject(doc));
    fs::create_directory_symlink(elsewhere, folder);
    RecoveryFile linked(folder);
    std::string error;
    EXPECT_FALSE(linked.usable(&error));
    EXPECT_EQ(error, folder + " is a symbolic link");
    EXPECT_FALSE(linked.write(doc));
    EXPECT_TRUE(linked.leftOvers().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1);

    fs::remove(folder);
    std::ofstream(folder) << "a file";
    EXPECT_FALSE(RecoveryFile(folder).usable(&error));
    EXPECT_EQ(error, folder + " is not a directory");
}

TEST_F(RecoveryFolder, ACopyIsLeftOverOnceItsWriterIsGoneWhateverRunsUnderItsIdNow) {
    RecoveryFile own(folder);
    ASSERT_TRUE(own.write(doc));
    Child writer([&] { RecoveryFile(folder).write(doc); });
    ASSERT_TRUE(fs::exists(file(std::to_string(writer.pid) + ".recovery")));
    // A process of another program that took over the id of a program gone without its copy.
    Child other([] {});
    std::ofstream(file(std::to_string(other.pid) + ".recovery"))
        << RecoveryFile::encode("", writeProject(doc));
    auto found = own.leftOvers();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].pid, other.pid);

    // A writer killed runs no more, even before its parent reaps it.
    writer.killLeavingZombie();
    found = own.leftOvers();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].pid, std::min(writer.pid, other.pid));
    EXPECT_EQ(found[1].pid, std::max(writer.pid, other.pid));
}
