#include "platform/posix/SafeFile.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace ardenvo;

namespace {

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void putFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

// A report written as the report writers write it.
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

class SafeFile : public testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/ardenvo-safefile-XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        m_dir = dir;
    }
    void TearDown() override {
        ::chmod(m_dir.c_str(), 0700);
        std::filesystem::remove_all(m_dir);
    }
    std::string path(const char* name) const { return m_dir + "/" + name; }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs the replacement in a child whose files may not grow past `limit` bytes, as on a full
    // disk; returns whether the child saw it succeed.
    bool replaceWithFileSizeLimit(const std::string& target, const std::string& bytes,
                                  rlim_t limit) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit r{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &r);
            std::string error;
            const bool ok = replaceFileSafely(target, bytes, false, &error);
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    std::string m_dir;
};

} // namespace

TEST_F(SafeFile, ReplacesTheContentAndKeepsThePermissions) {
    const std::string target = path("house.av");
    putFile(target, std::string(5000, 'o'));
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    std::string error;
    ASSERT_TRUE(replaceFileSafely(target, "new", false, &error)) << error;
    EXPECT_EQ(contentOf(target), "new");
    EXPECT_EQ(modeOf(target), 0640u);
    EXPECT_EQ(entries(), std::vector<std::string>{"house.av"});

    ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    ASSERT_TRUE(replaceFileSafely(target, "", true, &error)) << error;
    EXPECT_EQ(contentOf(target), "");
    EXPECT_EQ(modeOf(target), 0604u);
}

TEST_F(SafeFile, MissingTargetIsCreatedUnlessItMustExist) {
    std::string error;
    EXPECT_FALSE(replaceFileSafely(path("gone.av"), "x", true, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(entries().empty());

    const std::string longName = path(std::string(250, 'L').c_str());
    ASSERT_TRUE(replaceFileSafely(longName, "long", false, &error)) << error;
    EXPECT_EQ(contentOf(longName), "long");
    std::filesystem::remove(longName);
    ASSERT_TRUE(replaceFileSafely(path("fresh.av"), "x", false, &error)) << error;
    EXPECT_EQ(contentOf(path("fresh.av")), "x");
    EXPECT_EQ(modeOf(path("fresh.av")) & 0600u, 0600u);

    EXPECT_FALSE(replaceFileSafely(path("no/folder.av"), "x", false, &error));
    EXPECT_FALSE(replaceFileSafely(m_dir, "x", false, &error)); // a folder is not replaced
    EXPECT_TRUE(std::filesystem::is_directory(m_dir));
}

TEST_F(SafeFile, FullDiskLeavesTheOldFileByteForByteAndNoTemporary) {
    const std::string target = path("house.av");
    std::string old;
    for (int i = 0; i < 3000; ++i)
        old += std::to_string(i) + ",";
    putFile(target, old);
    const std::string bigger(200000, 'N');

    // Limits below, at and just past the old size; the new content never fits.
    for (rlim_t limit : {rlim_t{0}, rlim_t{1}, rlim_t{4096}, rlim_t{old.size()},
                         rlim_t{old.size() + 1}, rlim_t{bigger.size() - 1}}) {
        EXPECT_FALSE(replaceWithFileSizeLimit(target, bigger, limit)) << limit;
        EXPECT_EQ(contentOf(target), old) << limit;
        EXPECT_EQ(entries(), std::vector<std::string>{"house.av"}) << limit;
    }
    EXPECT_TRUE(replaceWithFileSizeLimit(target, bigger, bigger.size()));
    EXPECT_EQ(contentOf(target), bigger);
}

TEST_F(SafeFile, LinkedTargetIsReplacedThroughTheLink) {
    const std::string real = path("real.av");
    const std::string link = path("link.av");
    putFile(real, "old");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    std::string error;
    ASSERT_TRUE(replaceFileSafely(link, "new", true, &error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(contentOf(real), "new");
}

TEST_F(SafeFile, ReadOnlyHouseIsRefusedAndHardLinkedOneChangesUnderEveryName) {
    const std::string locked = path("locked.av");
    putFile(locked, "old");
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    std::string error;
    EXPECT_FALSE(replaceFileSafely(locked, "new", true, &error));
    EXPECT_EQ(error, "Cannot write " + locked + ": Permission denied");
    EXPECT_EQ(contentOf(locked), "old");

    const std::string house = path("house.av");
    const std::string other = path("other-name.av");
    putFile(house, std::string(100000, 'o'));
    ASSERT_EQ(::link(house.c_str(), other.c_str()), 0);
    FileStamp written;
    ASSERT_TRUE(replaceFileSafelyWith(
        house, true, [](const ChunkWriter& write) { return write("new") && write(" house"); },
        &error, &written))
        << error;
    EXPECT_TRUE(contentOf(other) == "new house") << "the other name keeps the old house";
    EXPECT_TRUE(contentOf(house) == "new house");
    EXPECT_TRUE(written.sameSizeAndTime(statOfFile(other)));
    EXPECT_EQ(entries(), (std::vector<std::string>{"house.av", "locked.av", "other-name.av"}))
        << "the temporary copy is gone";
}

TEST_F(SafeFile, LoadingSomethingThatIsNoFileFailsToOpenAndKeepsTheHouse) {
    CBrenvikaDoc doc;
    doc.sectionAt(0)->name = "Mine";
    EXPECT_EQ(loadProject(path("missing.av"), doc), FileError::OpenFailed);
    EXPECT_EQ(loadProject(m_dir, doc), FileError::OpenFailed);
    EXPECT_EQ(doc.sectionAt(0)->name, "Mine");
    ASSERT_EQ(::mkfifo(path("pipe.av").c_str(), 0600), 0);
    EXPECT_EQ(loadProject(path("pipe.av"), doc), FileError::OpenFailed); // and does not hang
    putFile(path("empty.av"), "");
    EXPECT_EQ(loadProject(path("empty.av"), doc), FileError::UnexpectedFormat);
}

TEST_F(SafeFile, PiecesAreWrittenInOrderAndAProducerMayGiveUp) {
    const std::string target = path("pieces.txt");
    std::string error;
    ASSERT_TRUE(replaceFileSafelyWith(
        target, false, [](const ChunkWriter& write) { return write("one,") && write("two"); },
        &error))
        << error;
    EXPECT_EQ(contentOf(target), "one,two");

    EXPECT_FALSE(replaceFileSafelyWith(
        target, false, [](const ChunkWriter& write) { return write("half") && false; }, &error));
    EXPECT_EQ(contentOf(target), "one,two");
    EXPECT_EQ(entries(), std::vector<std::string>{"pieces.txt"});
}

TEST_F(SafeFile, LargeHouseIsSavedInPiecesToTheSameBytes) {
    CBrenvikaDoc doc;
    CBlock& hall = *doc.currentSection()->blocks().front();
    for (int i = 0; i < 5; ++i) {
        auto object = std::make_unique<CHouseObject>();
        object->notes = std::string(700000, static_cast<char>('a' + i));
        hall.addFloorObject(std::move(object));
    }
    const std::string target = path("big.av");
    ASSERT_EQ(saveProject(target, doc), FileError::None);
    EXPECT_EQ(contentOf(target), writeProject(doc));

    // A full disk part-way through the pieces still leaves the old house.
    const std::string old = contentOf(target);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{2000000, 2000000};
        ::setrlimit(RLIMIT_FSIZE, &r);
        hall.floorObjects().front()->notes += "more";
        ::_exit(saveProject(target, doc) == FileError::SaveFailed ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(contentOf(target), old);
    EXPECT_EQ(entries(), std::vector<std::string>{"big.av"});
}

namespace {

// Whether the folder can hold files without a name (the way saves leave nothing when killed).
bool offersUnnamedFiles(const std::string& folder) {
#ifdef O_TMPFILE
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
#else
    (void)folder;
    return false;
#endif
}

} // namespace

TEST_F(SafeFile, ASaveKilledPartWayLeavesNothingBehind) {
    const std::string target = path("house.av");
    putFile(target, "old house");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        // A megabyte written, then the save hangs until it is killed.
        replaceFileSafelyWith(
            target, false,
            [&](const ChunkWriter& write) {
                write(std::string(1 << 20, 'n'));
                [[maybe_unused]] const auto n = ::write(ready[1], "w", 1);
                for (;;)
                    ::pause();
                return true;
            },
            nullptr);
        ::_exit(0);
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    EXPECT_EQ(contentOf(target), "old house");
    if (offersUnnamedFiles(m_dir))
        EXPECT_EQ(entries(), std::vector<std::string>{"house.av"});
    // Where a named file had to be used, the next save of the house removes it.
    std::string error;
    ASSERT_TRUE(replaceFileSafely(target, "new house", false, &error)) << error;
    EXPECT_EQ(contentOf(target), "new house");
    EXPECT_EQ(entries(), std::vector<std::string>{"house.av"});
}

TEST_F(SafeFile, ASaveRemovesOnlyTheDeadLeftoversOfItsOwnHouse) {
    const std::string target = path("house.av");
    putFile(target, "old");
    const char* const kept[] = {".house.av.0000000000bb.tmp", ".other.av.0000000000aa.tmp",
                                ".house.av.notes.tmp", "house.av.0000000000aa.tmp",
                                ".house.av.0000000000AA.tmp"};
    for (const char* name : kept)
        putFile(path(name), "x");
    putFile(path(".house.av.0000000000aa.tmp"), std::string(4096, 'x')); // a killed save's
    // A save of the same house still running holds a lock on its file.
    const int busy = ::open(path(kept[0]).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);

    std::string error;
    ASSERT_TRUE(replaceFileSafely(target, "new", false, &error)) << error;
    ::close(busy);
    std::vector<std::string> expected(std::begin(kept), std::end(kept));
    expected.push_back("house.av");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries(), expected);
}

TEST_F(SafeFile, AReportGoesIntoPipesDevicesAndStandardOutputInsteadOfReplacingThem) {
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
        EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    }
    EXPECT_TRUE(std::filesystem::is_symlink(path("to-pipe")));

    EXPECT_TRUE(writeReport("/dev/null", "gone")); // a character device
    // "-" and /dev/stdout are the standard output, whatever it is; no file is made beside it.
    const std::string out = path("stdout.txt");
    EXPECT_TRUE(writeReportWithStdout("-", out, "to standard output"));
    EXPECT_EQ(contentOf(out), "to standard output");
    EXPECT_TRUE(writeReportWithStdout("/dev/stdout", out, "through the link"));
    EXPECT_EQ(contentOf(out), "through the link");
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
    EXPECT_EQ(entries().size(), 3u);
}

TEST_F(SafeFile, AReportReplacesOnlyRegularFilesAndLinksToThem) {
    // A link to a file gets a file of its own; what it pointed to is untouched.
    const std::string elsewhere = path("elsewhere.txt");
    std::ofstream(elsewhere) << "precious";
    ASSERT_EQ(::symlink(elsewhere.c_str(), path("report.html").c_str()), 0);
    EXPECT_TRUE(writeReport(path("report.html"), "new"));
    EXPECT_FALSE(std::filesystem::is_symlink(path("report.html")));
    EXPECT_EQ(contentOf(path("report.html")), "new");
    EXPECT_EQ(contentOf(elsewhere), "precious");

    // A folder, or a link to one, is refused and stays as it was.
    ASSERT_TRUE(std::filesystem::create_directory(path("folder")));
    ASSERT_EQ(::symlink(path("folder").c_str(), path("to-folder").c_str()), 0);
    for (const char* name : {"folder", "to-folder"}) {
        std::string error;
        EXPECT_FALSE(writeReport(path(name), "x", &error)) << name;
        EXPECT_NE(error.find("Not a regular file"), std::string::npos) << error;
    }
    EXPECT_TRUE(std::filesystem::is_symlink(path("to-folder")));
    EXPECT_TRUE(std::filesystem::is_directory(path("folder")));
}
