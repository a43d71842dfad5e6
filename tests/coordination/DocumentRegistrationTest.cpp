#include "coordination/DocumentRegistration.h"
#include "ChildProcess.h"
#include "coordination/ProjectRegistry.h"
#include "coordination/ReloadSignal.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace ardenvo {
namespace {

using test::ChildProcess;

class DocumentRegistrationTest : public testing::Test {
protected:
    test::XdgSandbox sandbox;
    SettingsFile settings{sandbox.registryPath()};

    std::string project(const std::string& name) const { return sandbox.root + "/" + name; }

    // Another main program with a document read from `path`.
    std::unique_ptr<ChildProcess> otherMainProgram(const std::string& path) {
        auto child = std::make_unique<ChildProcess>(
            std::vector<std::string>{COORDINATION_HELPER, "doc", path});
        EXPECT_EQ(child->readLine(), "ok");
        return child;
    }
    static void quit(ChildProcess& child) {
        child.writeLine("quit");
        EXPECT_EQ(child.wait(), 0);
    }
};

TEST_F(DocumentRegistrationTest, ReadRegistersEnabledAndListsTheProjectAsOpen) {
    EXPECT_FALSE(isOpenInMainProgram(project("a.av")));
    {
        DocumentRegistration doc(settings);
        ASSERT_TRUE(doc.hasTable());
        doc.afterRead(project("sub/../a.av"));
        EXPECT_EQ(doc.tableEntry(), project("a.av"));
        EXPECT_TRUE(isOpenInMainProgram(project("a.av")));
        EXPECT_FALSE(isOpenInMainProgram(project("A.av")));
        const auto entries = readProjectEntries(settings);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].status, projectEnabled);
    }
    EXPECT_FALSE(isOpenInMainProgram(project("a.av"))) << "destruction removes the entry";
}

TEST_F(DocumentRegistrationTest, SaveUnderNewNameReplacesTheEntry) {
    DocumentRegistration doc(settings);
    doc.afterRead(project("old.av"));
    doc.afterWrite(project("new.av"));
    EXPECT_FALSE(isOpenInMainProgram(project("old.av")));
    // Saving again under the same name keeps one entry and one registration.
    doc.afterWrite(project("new.av"));
    LoadedProjectTable table;
    ASSERT_TRUE(table.open());
    EXPECT_EQ(table.entryCount(), 1);
    EXPECT_EQ(readProjectEntries(settings).size(), 2u);
}

TEST_F(DocumentRegistrationTest, DisabledProjectStaysDisabledWhenSavedAgain) {
    DocumentRegistration doc(settings);
    doc.afterWrite(project("a.av"));
    setProjectStatus(project("a.av"), false, settings);
    doc.afterWrite(project("a.av"));
    doc.afterRead(project("a.av"));
    const auto entries = readProjectEntries(settings);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].status, projectDisabled);
}

TEST_F(DocumentRegistrationTest, FullTableLeavesTheDocumentWithoutEntryUntilRoomIsMade) {
    LoadedProjectTable others;
    ASSERT_TRUE(others.openOrCreate());
    for (int i = 0; i < 39; ++i)
        others.appendEntry("/other" + std::to_string(i));
    DocumentRegistration doc(settings);
    doc.afterRead(project("a.av"));
    EXPECT_EQ(doc.tableEntry(), "");
    EXPECT_FALSE(isOpenInMainProgram(project("a.av")));
    EXPECT_FALSE(findProjectKey(project("a.av"), settings).empty()) << "still registered";

    others.removeEntry(0);
    doc.afterWrite(project("a.av"));
    EXPECT_TRUE(isOpenInMainProgram(project("a.av")));
}

TEST_F(DocumentRegistrationTest, PathsTooLongForAnEntryAreLeftOut) {
    DocumentRegistration doc(settings);
    const std::string deep = sandbox.root + "/" + std::string(300 - sandbox.root.size(), 'd');
    doc.afterRead(deep + ".av");
    EXPECT_EQ(doc.tableEntry(), "");
    EXPECT_TRUE(readProjectEntries(settings).empty());
    LoadedProjectTable table;
    ASSERT_TRUE(table.open());
    EXPECT_EQ(table.entryCount(), 0);
}

TEST_F(DocumentRegistrationTest, TwoMainProgramsKeepTheirEntriesApart) {
    auto first = otherMainProgram(project("first.av"));
    DocumentRegistration second(settings);
    second.afterRead(project("second.av"));
    EXPECT_TRUE(isOpenInMainProgram(project("first.av")));
    EXPECT_TRUE(isOpenInMainProgram(project("second.av")));

    // The first closes: its entry goes, which moves ours down a slot.
    quit(*first);
    EXPECT_FALSE(isOpenInMainProgram(project("first.av")));
    EXPECT_TRUE(isOpenInMainProgram(project("second.av")));

    // A third starts; we save under a new name: our own entry is replaced, not the third's.
    auto third = otherMainProgram(project("third.av"));
    second.afterWrite(project("renamed.av"));
    EXPECT_FALSE(isOpenInMainProgram(project("second.av")));
    EXPECT_TRUE(isOpenInMainProgram(project("renamed.av")));
    EXPECT_TRUE(isOpenInMainProgram(project("third.av")));

    third->writeLine("write " + project("third-saved.av"));
    EXPECT_EQ(third->readLine(), "ok");
    EXPECT_TRUE(isOpenInMainProgram(project("third-saved.av")));
    EXPECT_TRUE(isOpenInMainProgram(project("renamed.av")));
    quit(*third);
    EXPECT_TRUE(isOpenInMainProgram(project("renamed.av")));
    EXPECT_FALSE(isOpenInMainProgram(project("third-saved.av")));

    // The registrations made by the other process are seen here.
    EXPECT_FALSE(findProjectKey(project("first.av"), settings).empty());
    EXPECT_FALSE(findProjectKey(project("third-saved.av"), settings).empty());
}

TEST_F(DocumentRegistrationTest, MainProgramsOnOneHouseEachRemoveOnlyTheirOwnEntry) {
    const std::string house = project("shared.av");
    auto first = otherMainProgram(house);
    auto second = otherMainProgram(house);
    DocumentRegistration here(settings);
    here.afterRead(house);
    LoadedProjectTable table;
    ASSERT_TRUE(table.open());
    EXPECT_EQ(table.entryCount(), 3);

    // The later ones end (or start a new house) first: each takes its own entry, never the
    // first one's, which stays until the first program ends.
    quit(*second);
    EXPECT_EQ(table.entryCount(), 2);
    here.afterUntitledRead();
    EXPECT_EQ(table.entryCount(), 1);
    EXPECT_TRUE(isOpenInMainProgram(house));
    quit(*first);
    EXPECT_FALSE(isOpenInMainProgram(house));
}

TEST_F(DocumentRegistrationTest, OpenAndSaveAskTheReminderProgramToReload) {
    DocumentRegistration doc(settings);
    // Without a reminder program, saving only registers: nothing waits, nothing stays pending.
    const auto start = std::chrono::steady_clock::now();
    doc.afterWrite(project("a.av"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ReloadEvent event;
    ASSERT_TRUE(event.isValid());
    EXPECT_FALSE(event.wait(0));
    doc.afterRead(project("a.av"));
    EXPECT_TRUE(event.wait(0));
    doc.afterWrite(project("a.av"));
    doc.afterWrite(project("a.av"));
    EXPECT_TRUE(event.wait(0));
    EXPECT_FALSE(event.wait(0));

    // A reminder program in another process hears it too.
    ChildProcess reminder({COORDINATION_HELPER, "wait-reload", "10000"});
    ASSERT_EQ(reminder.readLine(), "ready");
    doc.afterWrite(project("a.av"));
    EXPECT_EQ(reminder.readLine(), "set");
    EXPECT_EQ(reminder.wait(), 0);
}

} // namespace
} // namespace ardenvo
