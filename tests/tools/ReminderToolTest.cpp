// reminders and reset as a script or cron job uses them.
#include "ToolRunner.h"
#include "support/KillOnWrite.h"

#include "model/CBrenvikaDoc.h"
#include "model/LocalTime.h"
#include "model/ProjectFile.h"
#include "model/ReminderSchedule.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <unistd.h>

namespace ardenvo::test {
namespace {

// How many entries a folder holds: no temporary file may be left beside a house.
long filesIn(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder),
                         std::filesystem::directory_iterator());
}

CReminder& addReminder(CHouseObject& owner, const LocalDateTime& start, const std::string& notes,
                       bool periodical = false) {
    auto r = std::make_unique<CReminder>(start);
    r->notes = notes;
    r->objectName = owner.name;
    if (periodical) {
        r->type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
        r->repeatEachCount = 1;
        r->repeatEachUnit = static_cast<std::int32_t>(PeriodUnit::Week);
    }
    return owner.addReminder(std::move(r));
}

// A hall with a lamp holding two reminders and a box under it holding one.
std::string houseWithReminders() {
    CBrenvikaDoc doc;
    CBlock& hall = *doc.currentSection()->blockAt(0);
    auto lamp = std::make_unique<CHouseObject>();
    lamp->name = "Lamp";
    CHouseObject& placed = hall.addFloorObject(std::move(lamp));
    addReminder(placed, {2004, 3, 5, 18, 30, 0}, "Change the bulb", true);
    addReminder(placed, {2004, 3, 6, 9, 0, 0}, "Dust it\tthen\npolish");
    auto box = std::make_unique<CHouseObject>();
    box->name = "Box";
    addReminder(placed.addChild(NestPosition::Under, std::move(box)), {2005, 1, 2, 7, 5, 0},
                "Open");
    return writeProject(doc);
}

std::vector<std::string> remindersIn(const std::string& path) {
    CBrenvikaDoc doc;
    EXPECT_EQ(loadProject(path, doc), FileError::None);
    std::vector<std::string> lines;
    for (const auto& ref : collectReminders(doc))
        lines.push_back(formatListDateTime(ref.reminder->start()) + " " + ref.reminder->notes);
    return lines;
}

// Berlin time, a folder and the house with reminders written to it.
struct ReminderToolTest : testing::Test {
    // The tool inherits TZ, so the test and the tool read dates alike.
    ZoneGuard zone{"Europe/Berlin"};
    TempDir dir;
    const std::string path = dir.file("house.av");
    const std::string bytes = houseWithReminders();
    ReminderToolTest() { writeBytes(path, bytes); }
};

TEST_F(ReminderToolTest, ListsInProjectOrderWithTheDueStateAtTheGivenMoment) {

    ToolResult r = runTool({"reminders", path, "--at", "2004-03-05 18:30:01"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "0\t05/03/2004 18:30\tdue\tLamp\tChange the bulb\n"
                     "1\t06/03/2004 09:00\t-\tLamp\tDust it\\tthen\\npolish\n"
                     "2\t02/01/2005 07:05\t-\tBox\tOpen\n");
    // The start's own second is not due yet; --at may also come first.
    r = runTool({"reminders", "--at", "2004-03-05 18:30:00", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 26), "0\t05/03/2004 18:30\t-\tLamp\t");
    // Without --at: now, long after every date.
    r = runTool({"reminders", path});
    EXPECT_EQ(r.out.find("\t-\t"), std::string::npos) << r.out;

    writeBytes(path, writeProject(CBrenvikaDoc{}));
    r = runTool({"reminders", path});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
}

TEST_F(ReminderToolTest, BadArgumentsIndexesAndFilesAreRefusedAndChangeNothing) {
    using Args = std::vector<std::string>;
    for (const Args& args : {Args{"reminders"},
                             {"reminders", path, "--at"},
                             {"reminders", path, "--at", "2004-02-30 10:00:00"},
                             {"reminders", path, "--at", "2004-03-05T10:00:00"},
                             {"reminders", path, "--at", "2004-03-05 24:00:00"},
                             {"reminders", path, "extra"},
                             {"reset", path},
                             {"reset", path, "-1"},
                             {"reset", path, "+1"},
                             {"reset", path, "1x"},
                             {"reset", path, ""},
                             {"reset", path, "99999999999999999999"}}) {
        ToolResult r = runTool(args);
        EXPECT_EQ(r.exitCode, 2) << args[0] << " " << args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
    ToolResult r = runTool({"reset", path, "3"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("No reminder 3"), std::string::npos) << r.err;
    EXPECT_EQ(readBytes(path), bytes);

    const std::string missing = dir.file("missing.av");
    r = runTool({"reminders", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("No such file"), std::string::npos) << r.err;
    EXPECT_EQ(runTool({"reset", missing, "0"}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(missing));
    writeBytes(path, "not a house");
    EXPECT_EQ(runTool({"reminders", path}).exitCode, 1);
}

TEST_F(ReminderToolTest, ResetAdvancesOrDeletesAndWritesTheHouseBack) {
    ToolResult r = runTool({"reset", path, "0"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "0\t12/03/2004 18:30\n");
    EXPECT_EQ(remindersIn(path), (std::vector<std::string>{"12/03/2004 18:30 Change the bulb",
                                                           "06/03/2004 09:00 Dust it\tthen\npolish",
                                                           "02/01/2005 07:05 Open"}));

    r = runTool({"reset", path, "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "1\tdeleted\n");
    EXPECT_EQ(remindersIn(path), (std::vector<std::string>{"12/03/2004 18:30 Change the bulb",
                                                           "02/01/2005 07:05 Open"}));
    // No temporary file is left beside the house.
    EXPECT_EQ(filesIn(dir.path()), 1);
}

TEST_F(ReminderToolTest, AResetKilledWhileCopyingAHardLinkedHouseIsFinishedByTheNextChange) {
    // A house with a second name is copied over in place; a big object after the reminders makes
    // the copy long enough to be caught half-way.
    CBrenvikaDoc doc;
    ASSERT_EQ(readProject(bytes, doc), FileError::None);
    auto chest = std::make_unique<CHouseObject>();
    chest->name = "Chest";
    chest->notes = std::string(24 << 20, 'c');
    doc.currentSection()->blockAt(0)->addFloorObject(std::move(chest));
    const std::string old = writeProject(doc);
    const std::string other = dir.file("other.av");
    writeBytes(path, old);
    ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);

    bool caught = false;
    for (int attempt = 0; attempt < 5 && !caught; ++attempt) {
        writeBytes(path, old);
        WriteWatch watch(path);
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl(ARDENVO_TOOL, ARDENVO_TOOL, "reset", path.c_str(), "1", nullptr);
            ::_exit(127);
        }
        CBrenvikaDoc cut;
        caught =
            watch.killAtFirstWrite(child) && readProject(readBytes(other), cut) != FileError::None;
    }
    ASSERT_TRUE(caught) << "no kill landed during the copy";

    // Reading commands say what lies beside the house; the next change finishes the copy first.
    ToolResult r = runTool({"check", path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("warning: an interrupted save left the complete new " + path + " in " +
                         dir.file(".house.av.")),
              std::string::npos)
        << r.err;
    r = runTool({"reset", path, "0"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(remindersIn(other), (std::vector<std::string>{"12/03/2004 18:30 Change the bulb",
                                                            "02/01/2005 07:05 Open"}));
    EXPECT_EQ(filesIn(dir.path()), 2);
}

} // namespace
} // namespace ardenvo::test
