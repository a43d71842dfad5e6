#include "ShellTestSupport.h"

#include "model/ProjectFile.h"
#include "planeditor/layout/BlockLayout.h"
#include "platform/posix/SafeFile.h"
#include "shell/RecoveryFile.h"
#include "shell/UndoHistory.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

class UndoHistoryTest : public testing::Test {
protected:
    UndoHistoryTest() { doc.newHouse(); }

    // One named edit that renames the hall; `name` equal to the hall's keeps it as it is.
    bool rename(UndoHistory& history, const std::string& name) {
        history.begin(doc);
        doc.setModified();
        hall().name = name;
        return history.end(doc, "Rename");
    }
    CBlock& hall() { return *doc.currentSection()->blocks().front(); }

    CBrenvikaDoc doc;
};

} // namespace

TEST_F(UndoHistoryTest, UndoAndRedoGiveBackTheExactHouseWithTheStepsViewAndName) {
    UndoHistory history;
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.undo(doc));

    doc.currentSection()->zoom = 2.5;
    doc.currentSection()->offsetX = 123;
    const std::string before = writeProject(doc);
    history.begin(doc);
    history.begin(doc); // a dialog inside a command: still one step
    hall().name = "Den";
    doc.currentSection()->zoom = 0.5;
    EXPECT_FALSE(history.end(doc, "inner"));
    EXPECT_FALSE(history.canUndo()); // nothing to take back while the edit runs
    EXPECT_TRUE(history.end(doc, "Rename"));
    const std::string after = writeProject(doc);
    EXPECT_EQ(history.undoName(), "Rename");

    int resets = 0;
    doc.addViewListener([&](ViewHint hint, int) { resets += hint == ViewHint::Reset; });
    doc.setPathName("/somewhere/house.av");
    ASSERT_TRUE(history.undo(doc));
    EXPECT_EQ(writeProject(doc), before);
    EXPECT_EQ(doc.currentSection()->zoom, 2.5);
    EXPECT_EQ(doc.pathName(), "/somewhere/house.av");
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(history.redoName(), "Rename");
    EXPECT_FALSE(history.canUndo());
    ASSERT_TRUE(history.redo(doc));
    EXPECT_EQ(writeProject(doc), after);

    // A new step drops what could be redone; one that changes nothing is none.
    ASSERT_TRUE(history.undo(doc));
    EXPECT_TRUE(rename(history, "Kitchen"));
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(rename(history, "Kitchen"));
    EXPECT_EQ(history.undoCount(), 1u);
}

TEST_F(UndoHistoryTest, TheLimitsDropTheOldestStepsFirst) {
    UndoHistory bySteps(UndoLimits{3, 1u << 30});
    for (int i = 0; i < 5; ++i)
        rename(bySteps, "Room " + std::to_string(i));
    EXPECT_EQ(bySteps.undoCount(), 3u);
    // The three newest remain: undoing them all leads back to "Room 1".
    while (bySteps.undo(doc)) {
    }
    EXPECT_EQ(hall().name, "Room 1");
    EXPECT_EQ(bySteps.redoCount(), 3u);

    doc.newHouse();
    const std::size_t houseSize = writeProject(doc).size();
    UndoHistory byBytes(UndoLimits{100, houseSize * 2 + houseSize / 2});
    for (int i = 0; i < 4; ++i)
        rename(byBytes, "R" + std::to_string(i)); // same length, same size each
    EXPECT_EQ(byBytes.undoCount(), 2u);
    EXPECT_LE(byBytes.byteCount(), houseSize * 2 + houseSize / 2);
    byBytes.undo(doc);
    byBytes.undo(doc);
    EXPECT_EQ(hall().name, "R1");
    byBytes.clear();
    EXPECT_EQ(byBytes.stepCount(), 0u);
    EXPECT_EQ(byBytes.byteCount(), 0u);
}

TEST(RecoveryFile, CopiesRoundTripAndDamageIsRefusedAndKeptAside) {
    const std::string folder = scratchFile("recovery-unit").toStdString();
    QDir(QString::fromStdString(folder)).removeRecursively();
    RecoveryFile own(folder);
    CBrenvikaDoc doc;
    doc.newHouse();
    doc.setUnitIndex(3);
    doc.setPathName("/home/a\nb/house.av"); // any byte may be in a file name
    ASSERT_TRUE(own.write(doc));
    // Our own copy is never offered to ourselves.
    EXPECT_TRUE(own.leftOvers().empty());

    RecoveryFile::Contents contents;
    ASSERT_TRUE(RecoveryFile::read(own.path(), contents));
    EXPECT_EQ(contents.housePath, doc.pathName());
    EXPECT_EQ(contents.house, writeProject(doc));

    // A copy of a program that is gone is a left-over; one of a running program is not.
    int gone = 4000000;
    while (::kill(gone, 0) == 0)
        ++gone;
    const std::string goneFile = folder + "/" + std::to_string(gone) + ".recovery";
    ASSERT_TRUE(
        replaceFileSafely(goneFile, RecoveryFile::encode("", writeProject(doc)), false, nullptr));
    const auto found = own.leftOvers();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].pid, gone);

    const std::string house = writeProject(doc);
    const std::string damaged[] = {
        "not a recovery file",
        RecoveryFile::encode("/x.av", house).substr(0, 30),               // cut in the header
        RecoveryFile::encode("/x.av", house.substr(0, house.size() / 2)), // cut in the house
        RecoveryFile::encode("/x.av", house).replace(19, 1, "9"),         // a wrong path length
    };
    for (const std::string& bytes : damaged) {
        ASSERT_TRUE(replaceFileSafely(goneFile, bytes, false, nullptr));
        EXPECT_FALSE(RecoveryFile::read(goneFile, contents)) << bytes.substr(0, 40);
    }
    const std::string aside = RecoveryFile::keepAside(goneFile);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(goneFile)));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(aside)));
    EXPECT_TRUE(own.leftOvers().empty());

    own.remove();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(own.path())));
}
