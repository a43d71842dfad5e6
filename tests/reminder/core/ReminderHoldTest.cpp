// "Remind me later" and the once-only announcement of a due reminder, through the session.
#include "ReminderCoreFixtures.h"

#include "model/LocalTime.h"
#include "reminder/core/ReminderSession.h"
#include "reminder/core/Snooze.h"
#include "support/ZoneGuard.h"

#include <cstdlib>
#include <ctime>

namespace ardenvo::test {
namespace {

class HoldTest : public testing::Test {
protected:
    TempDir dir;
    FakeEnvironment env;
    FakeMessages messages;
    ReminderSession session{env, messages, dir.file("CustomAttributes.cav")};
    std::string path = dir.file("a.av");
    const std::int64_t now = toInstant(at(2030, 6, 1, 12, 0));

    void SetUp() override {
        CReminder weekly = reminderAt(at(2030, 5, 1), "weekly", true);
        weekly.repeatEachUnit = static_cast<std::int32_t>(PeriodUnit::Week);
        writeHouse(path, {{{weekly, reminderAt(at(2030, 5, 2), "once")},
                           {reminderAt(at(2030, 5, 3), "other")}}});
        env.entries.push_back({0, path, 1});
        session.reloadProjects();
    }
};

TEST_F(HoldTest, ReloadsKeepHoldsAndAnnouncementsWhileResetEditAndDeleteEndThem) {
    session.takeUnannounced(now);
    const std::int64_t until = snoozeEnd(SnoozeChoice::OneHour, now);
    for (int row = 0; row < 3; ++row)
        session.holdEvent(row, until);

    session.reloadProjects(); // as after a save in the main program
    ASSERT_EQ(session.events().size(), 3);
    EXPECT_EQ(session.events().rowAt(2)->heldUntil, until);
    EXPECT_EQ(session.firstDueIndex(now + 1), -1);

    CReminder edited = *session.events().rowAt(2)->reminder;
    edited.notes = "edited";
    ASSERT_EQ(session.editEvent(2, edited), ReminderSession::Result::Done);
    ASSERT_EQ(session.resetEvent(0), ReminderSession::Result::Done); // a week on, still past
    ASSERT_EQ(session.deleteEvent(1), ReminderSession::Result::Done);
    ASSERT_EQ(session.events().size(), 2);
    EXPECT_EQ(session.events().rowAt(0)->heldUntil, 0);
    EXPECT_EQ(session.events().rowAt(1)->heldUntil, 0);
    EXPECT_EQ(session.takeUnannounced(now + 1), (std::vector<int>{0, 1}));

    // Another program moves the date: the hold does not follow it to the new date.
    session.holdEvent(0, until);
    CBrenvikaDoc doc;
    ASSERT_EQ(loadProject(path, doc), FileError::None);
    CReminder& first =
        *doc.sections().front()->blocks().front()->floorObjects().front()->reminders().front();
    first.setStart(at(2030, 5, 20));
    writeBytes(path, writeProject(doc));
    session.reloadProjects();
    EXPECT_EQ(session.events().rowAt(0)->heldUntil, 0);
    EXPECT_EQ(session.takeUnannounced(now + 1), (std::vector<int>{0}));
}

TEST(SnoozeTest, TomorrowIsTheSameLocalTimeAcrossAClockChange) {
    const ZoneGuard zone("Europe/Berlin");
    const std::int64_t before = toInstant({2030, 3, 30, 9, 15, 0}); // summer time starts the 31st
    EXPECT_EQ(fromInstant(snoozeEnd(SnoozeChoice::Tomorrow, before)),
              (LocalDateTime{2030, 3, 31, 9, 15, 0}));
    EXPECT_EQ(fromInstant(snoozeEnd(SnoozeChoice::Tomorrow, toInstant({2030, 12, 31, 23, 0, 0}))),
              (LocalDateTime{2031, 1, 1, 23, 0, 0}));
    EXPECT_EQ(snoozeEnd(SnoozeChoice::TenMinutes, before), before + 600);
    EXPECT_EQ(snoozeEnd(SnoozeChoice::OneHour, before), before + 3600);
    EXPECT_STREQ(snoozeLabel(SnoozeChoice::Tomorrow), "tomorrow at this time");
}

} // namespace
} // namespace ardenvo::test
