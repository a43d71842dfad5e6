#include "ChildProcess.h"
#include "coordination/DocumentRegistration.h"
#include "coordination/LoadedProjectTable.h"
#include "coordination/ProjectRegistry.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <set>
#include <thread>

namespace ardenvo {
namespace {

using test::ChildProcess;
using Clock = std::chrono::steady_clock;

class CrossProcessTest : public testing::Test {
protected:
    test::XdgSandbox sandbox;
};

TEST_F(CrossProcessTest, LockHolderKilledDoesNotBlockTheOthers) {
    ChildProcess holder({COORDINATION_HELPER, "hold-lock"});
    ASSERT_EQ(holder.readLine(), "held");
    NamedLock lock(LoadedProjectTable::lockName);
    EXPECT_FALSE(lock.tryAcquire(200)) << "held by the other process";
    std::thread killer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        holder.kill(SIGKILL);
    });
    const auto start = Clock::now();
    EXPECT_TRUE(lock.acquire()); // a waiter returns, with the lock, once the holder dies
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    lock.release();
    killer.join();
    EXPECT_EQ(holder.wait(), -SIGKILL);
}

TEST_F(CrossProcessTest, EntriesOfAKilledMainProgramAreGoneOnceNoneRemains) {
    {
        ChildProcess crashed({COORDINATION_HELPER, "doc", sandbox.root + "/a.av"});
        ASSERT_EQ(crashed.readLine(), "ok");
        LoadedProjectTable reader;
        ASSERT_TRUE(reader.open());
        EXPECT_EQ(reader.entryCount(), 1);
        crashed.kill(SIGKILL);
        crashed.wait();
    }
    LoadedProjectTable reader;
    EXPECT_FALSE(reader.open()) << "no main program runs";
    LoadedProjectTable main;
    ASSERT_TRUE(main.openOrCreate());
    EXPECT_EQ(main.entryCount(), 0);
}

TEST_F(CrossProcessTest, EntriesOfCrashedMainProgramsGoWhileAnotherRuns) {
    LoadedProjectTable stillRunning; // a main program that stays
    ASSERT_TRUE(stillRunning.openOrCreate());
    // As many crashes as the table has entries: before, it stayed full of houses nobody had open.
    std::vector<std::unique_ptr<ChildProcess>> crashed;
    for (int i = 0; i < LoadedProjectTable::maxEntries; ++i) {
        crashed.push_back(std::make_unique<ChildProcess>(std::vector<std::string>{
            COORDINATION_HELPER, "doc", sandbox.root + "/crashed" + std::to_string(i) + ".av"}));
    }
    for (auto& child : crashed)
        ASSERT_EQ(child->readLine(), "ok");
    EXPECT_TRUE(isOpenInMainProgram(sandbox.root + "/crashed0.av"));
    for (auto& child : crashed) {
        child->kill(SIGKILL);
        child->wait();
    }
    EXPECT_FALSE(isOpenInMainProgram(sandbox.root + "/crashed0.av"));

    ChildProcess open({COORDINATION_HELPER, "doc", sandbox.root + "/open.av"});
    ASSERT_EQ(open.readLine(), "ok");
    EXPECT_TRUE(isOpenInMainProgram(sandbox.root + "/open.av"));
    EXPECT_EQ(stillRunning.entryCount(), 1);
    open.writeLine("quit");
    EXPECT_EQ(open.wait(), 0);
}

TEST_F(CrossProcessTest, ConcurrentMainProgramsAndAReaderNeverCorruptTheTable) {
    // One entry that stays throughout, as a document open in this process.
    LoadedProjectTable table;
    ASSERT_TRUE(table.openOrCreate());
    ASSERT_TRUE(table.appendEntry("/steady.av"));

    std::vector<std::unique_ptr<ChildProcess>> children;
    for (const char* name : {"one", "two", "three"})
        children.push_back(std::make_unique<ChildProcess>(
            std::vector<std::string>{COORDINATION_HELPER, "churn", name, "300"}));
    children.push_back(std::make_unique<ChildProcess>(
        std::vector<std::string>{COORDINATION_HELPER, "read", "300"}));
    for (auto& child : children)
        EXPECT_EQ(child->wait(120000), 0);

    EXPECT_EQ(table.entryCount(), 1);
    EXPECT_EQ(table.entryAt(0), "/steady.av");
}

TEST_F(CrossProcessTest, SimultaneousRegistrationsTakeDistinctSlots) {
    std::vector<std::unique_ptr<ChildProcess>> children;
    for (int i = 0; i < 4; ++i)
        children.push_back(std::make_unique<ChildProcess>(std::vector<std::string>{
            COORDINATION_HELPER, "register", "/house" + std::to_string(i) + ".av"}));
    for (auto& child : children)
        EXPECT_EQ(child->wait(), 0);

    SettingsFile settings(sandbox.registryPath());
    const auto entries = readProjectEntries(settings);
    ASSERT_EQ(entries.size(), 4u);
    std::set<std::string> paths;
    for (const auto& e : entries)
        paths.insert(e.path);
    EXPECT_EQ(paths.size(), 4u);
    EXPECT_EQ(settings.readDword("Software\\Ardenvo\\Files", "Count"), 3);
}

TEST_F(CrossProcessTest, ManyMainProgramsOpeningOneHouseAtOnceRegisterItOnce) {
    const std::string house = sandbox.root + "/shared.av";
    std::vector<std::unique_ptr<ChildProcess>> children;
    for (int i = 0; i < 20; ++i)
        children.push_back(std::make_unique<ChildProcess>(
            std::vector<std::string>{COORDINATION_HELPER, "doc-on-go", house}));
    for (auto& child : children)
        child->writeLine("go");
    for (auto& child : children)
        EXPECT_EQ(child->readLine(), "ok");
    for (auto& child : children)
        child->writeLine("quit");
    for (auto& child : children)
        EXPECT_EQ(child->wait(), 0);

    SettingsFile settings(sandbox.registryPath());
    EXPECT_EQ(settings.childGroups("Software\\Ardenvo\\Files").size(), 1u);
    EXPECT_EQ(readProjectEntries(settings).size(), 1u);
}

} // namespace
} // namespace ardenvo
