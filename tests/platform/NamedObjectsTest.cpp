#include "platform/NamedEvent.h"
#include "platform/NamedLock.h"
#include "platform/PresenceLock.h"
#include "platform/RuntimeDirectory.h"
#include "platform/SharedMemoryFile.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace ardenvo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class NamedObjectsTest : public testing::Test {
protected:
    test::XdgSandbox sandbox;
};

TEST_F(NamedObjectsTest, RuntimeDirectoryIsPrivateClosedWhenOpenAndRefusedWhenALink) {
    std::string error;
    const auto dir = RuntimeDirectory::path(&error);
    ASSERT_TRUE(dir) << error;
    EXPECT_EQ(*dir, sandbox.runtimeDir());
    struct stat st {};
    ASSERT_EQ(::stat(dir->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(RuntimeDirectory::filePath("x"), *dir + "/x");
    EXPECT_FALSE(RuntimeDirectory::filePath("../x"));
    EXPECT_FALSE(RuntimeDirectory::filePath(".."));
    EXPECT_FALSE(RuntimeDirectory::filePath(""));

    // Our own directory, only too open, is closed to others rather than refused.
    ::chmod(dir->c_str(), 0757);
    EXPECT_EQ(RuntimeDirectory::path(&error), *dir);
    ASSERT_EQ(::stat(dir->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A symbolic link could lead anywhere: refused even when it points at a private directory.
    std::filesystem::rename(*dir, sandbox.run + "/real");
    std::filesystem::create_directory_symlink(sandbox.run + "/real", *dir);
    EXPECT_FALSE(RuntimeDirectory::path(&error));
    EXPECT_EQ(error, *dir + " is a symbolic link");
}

TEST_F(NamedObjectsTest, RuntimeDirectoryFallsBackToTmpWithoutAnAbsoluteXdgPath) {
    ::setenv("XDG_RUNTIME_DIR", "relative/dir", 1);
    EXPECT_EQ(RuntimeDirectory::path(), "/tmp/ardenvo-" + std::to_string(::getuid()));
}

TEST_F(NamedObjectsTest, SharedMemoryIsSharedAndNeverReadPastTheFile) {
    SharedMemoryFile missing;
    EXPECT_FALSE(missing.open("table", 100, SharedMemoryFile::Mode::OpenExisting));

    SharedMemoryFile a, b;
    bool created = false;
    ASSERT_TRUE(a.open("table", 100, SharedMemoryFile::Mode::OpenOrCreate, &created));
    EXPECT_TRUE(created);
    EXPECT_EQ(a.data()[99], 0);
    ASSERT_TRUE(b.open("table", 100, SharedMemoryFile::Mode::OpenOrCreate, &created));
    EXPECT_FALSE(created);
    std::memcpy(a.data(), "shared", 7);
    EXPECT_STREQ(reinterpret_cast<const char*>(b.data()), "shared");

    // A short file is refused by a reader and grown with zeros by a creator.
    std::ofstream(sandbox.runtimeDir() + "/short") << "abc";
    SharedMemoryFile c;
    EXPECT_FALSE(c.open("short", 4096, SharedMemoryFile::Mode::OpenExisting));
    ASSERT_TRUE(c.open("short", 4096, SharedMemoryFile::Mode::OpenOrCreate, &created));
    EXPECT_TRUE(created);
    EXPECT_EQ(std::memcmp(c.data(), "abc", 3), 0);
    EXPECT_EQ(c.data()[4095], 0);
    c.close();
    EXPECT_FALSE(c.isOpen());

    // Not a regular file: refused.
    std::filesystem::create_directory(sandbox.runtimeDir() + "/dir");
    EXPECT_FALSE(c.open("dir", 16, SharedMemoryFile::Mode::OpenOrCreate));
}

TEST_F(NamedObjectsTest, LockIsReentrantForItsThreadAndExcludesOthers) {
    NamedLock lock("AccessMutex_Test");
    ASSERT_TRUE(lock.isValid());
    ASSERT_TRUE(lock.acquire());
    ASSERT_TRUE(lock.acquire()); // again, while holding it
    EXPECT_EQ(lock.heldCount(), 2);

    NamedLock sameName("AccessMutex_Test"); // another object of the same process and thread
    EXPECT_TRUE(sameName.tryAcquire(0));
    sameName.release();

    std::atomic<bool> gotIt{false};
    std::thread other([&] {
        NamedLock mine("AccessMutex_Test");
        if (mine.tryAcquire(5000)) {
            gotIt = true;
            mine.release();
        }
    });
    lock.release();
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(gotIt) << "one release of two must keep the lock";
    lock.release();
    other.join();
    EXPECT_TRUE(gotIt);
    lock.release(); // more releases than acquires do nothing
    EXPECT_EQ(lock.heldCount(), 0);
}

TEST_F(NamedObjectsTest, LockWaitEndsWithTheTimeoutAndDestructionReleases) {
    auto holder = std::make_unique<NamedLock>("AccessMutex_Test");
    ASSERT_TRUE(holder->acquire());
    std::thread other([] {
        NamedLock mine("AccessMutex_Test");
        const auto start = Clock::now();
        EXPECT_FALSE(mine.tryAcquire(150));
        EXPECT_GE(Clock::now() - start, 140ms);
    });
    other.join();
    holder.reset(); // releases what it held
    std::thread again([] {
        NamedLock mine("AccessMutex_Test");
        EXPECT_TRUE(mine.tryAcquire(0));
        mine.release();
    });
    again.join();
}

TEST_F(NamedObjectsTest, LockWithoutUsableDirectoryFailsAtOnce) {
    ::chmod(sandbox.run.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", (sandbox.root + "/open").c_str(), 1);
    ::mkdir((sandbox.root + "/open").c_str(), 0700);
    // A link planted where the directory belongs.
    ::symlink(sandbox.run.c_str(), (sandbox.root + "/open/ardenvo").c_str());
    NamedLock lock("AccessMutex_Elsewhere");
    EXPECT_FALSE(lock.isValid());
    EXPECT_FALSE(lock.acquire());
}

TEST_F(NamedObjectsTest, EventCoalescesTimesOutAndWakesAWaiter) {
    EXPECT_FALSE(NamedEvent::set("ReloadTest")) << "nobody waits yet";

    NamedEvent event("ReloadTest");
    ASSERT_TRUE(event.isValid());
    EXPECT_FALSE(event.wait(0)) << "created not signalled";

    const auto start = Clock::now();
    EXPECT_FALSE(event.wait(120));
    EXPECT_GE(Clock::now() - start, 110ms);

    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(NamedEvent::set("ReloadTest"));
    EXPECT_TRUE(event.wait(0));
    EXPECT_FALSE(event.wait(0)) << "several sets before one wait count once";

    std::thread setter([] {
        std::this_thread::sleep_for(50ms);
        NamedEvent::set("ReloadTest");
    });
    EXPECT_TRUE(event.wait(5000));
    setter.join();
}

TEST_F(NamedObjectsTest, SettingAnEventNeverBlocksEvenWhenItsPipeIsFull) {
    NamedEvent event("ReloadTest");
    ASSERT_TRUE(event.isValid());
    const auto start = Clock::now();
    for (int i = 0; i < 70000; ++i) // more than a pipe buffer holds
        NamedEvent::set("ReloadTest");
    EXPECT_LT(Clock::now() - start, 30s);
    EXPECT_TRUE(event.wait(0));
    EXPECT_FALSE(event.wait(0));
}

TEST_F(NamedObjectsTest, EventStopsAnsweringOnceItsWaiterIsGone) {
    {
        NamedEvent event("ReloadTest");
        EXPECT_TRUE(NamedEvent::set("ReloadTest"));
    }
    EXPECT_FALSE(NamedEvent::set("ReloadTest"));
    // A plain file planted under the name is not written to.
    std::ofstream(sandbox.runtimeDir() + "/Planted") << "";
    EXPECT_FALSE(NamedEvent::set("Planted"));
    EXPECT_EQ(std::filesystem::file_size(sandbox.runtimeDir() + "/Planted"), 0u);
    NamedEvent onPlainFile("Planted");
    EXPECT_FALSE(onPlainFile.isValid());
}

TEST_F(NamedObjectsTest, PresenceTellsWhetherAnyUserRemains) {
    PresenceLock probe("Users");
    ASSERT_TRUE(probe.isValid());
    EXPECT_TRUE(probe.tryExclusive());
    probe.unlock();
    {
        PresenceLock user("Users");
        ASSERT_TRUE(user.holdShared());
        EXPECT_FALSE(probe.tryExclusive());
        PresenceLock second("Users");
        EXPECT_TRUE(second.holdShared());
    }
    EXPECT_TRUE(probe.tryExclusive());
}

} // namespace
} // namespace ardenvo
