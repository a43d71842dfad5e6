// The text forms of reminder dates and times, month lengths and the project order of reminders.
#include "model/LocalTime.h"
#include "model/ReminderSchedule.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <string>

namespace ardenvo {
namespace {

TEST(ReminderText, DateAndTimeForms) {
    const LocalDateTime t{2004, 3, 5, 18, 30, 59};
    EXPECT_EQ(formatCategoryDate(t), "05 March 2004");
    EXPECT_EQ(formatEditorTime(t), "18:30");
    EXPECT_EQ(formatEditorTime({2004, 3, 5, 7, 5, 0}), "07:05");
    EXPECT_EQ(formatListDateTime(t), "05/03/2004 18:30");
    EXPECT_EQ(formatListDateTime({987, 1, 9, 0, 0, 0}), "09/01/987 00:00");
    EXPECT_EQ(formatReminderEditorTime({2004, 3, 5, 0, 0, 0}), "00:00");
    // A month no calendar has must not index past the names.
    EXPECT_EQ(formatCategoryDate({2004, 13, 1, 0, 0, 0}), "01 ? 2004");

    // English month names whatever the user's locale says.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "");
    EXPECT_EQ(formatCategoryDate(t), "05 March 2004");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(ReminderText, ReadingATimeText) {
    EXPECT_EQ(parseTimeText("7"), (HourMinute{7, 0}));
    EXPECT_EQ(parseTimeText("7:5"), (HourMinute{7, 5}));
    EXPECT_EQ(parseTimeText(""), (HourMinute{0, 0}));
    EXPECT_EQ(parseTimeText("noon"), (HourMinute{0, 0}));
    EXPECT_EQ(parseTimeText("  -3: +4x"), (HourMinute{-3, 4}));
    EXPECT_EQ(parseTimeText(":45"), (HourMinute{0, 45}));
    EXPECT_EQ(parseTimeText("12:"), (HourMinute{12, 0}));
    EXPECT_EQ(parseTimeText("1:2:3"), (HourMinute{1, 2}));
    EXPECT_EQ(parseTimeText("25:00"), (HourMinute{25, 0}));
    // Digits beyond any int saturate instead of overflowing.
    EXPECT_EQ(parseTimeText("99999999999999999999:-99999999999999999999"),
              (HourMinute{INT_MAX, -INT_MAX}));
}

TEST(ReminderText, OutOfRangeTimesAreCarriedByTheConversion) {
    LocalDateTime stored;
    {
        const test::ZoneGuard zone("Europe/Berlin");
        const HourMinute hm = parseTimeText("25:00");
        stored = fromInstant(toInstant({2004, 3, 5, hm.hour, hm.minute, 0}));
    }
    EXPECT_EQ(stored, (LocalDateTime{2004, 3, 6, 1, 0, 0}));
}

TEST(ReminderText, DaysInMonthMatchesTheCalendar) {
    for (int year : {1900, 1970, 2000, 2003, 2004, 2100, 2106}) {
        for (int month = 1; month <= 12; ++month) {
            using namespace std::chrono;
            const auto monthEnd = year_month_day_last{std::chrono::year{year} /
                                                      std::chrono::month{unsigned(month)} / last};
            EXPECT_EQ(daysInMonth(year, month), static_cast<int>(unsigned(monthEnd.day())))
                << year << "-" << month;
        }
    }
    EXPECT_EQ(daysInMonth(2004, 0), 0);
    EXPECT_EQ(daysInMonth(2004, 13), 0);
}

std::unique_ptr<CHouseObject> objectWith(const std::string& name,
                                         std::initializer_list<const char*> notes) {
    auto o = std::make_unique<CHouseObject>();
    o->name = name;
    for (const char* n : notes) {
        auto r = std::make_unique<CReminder>(LocalDateTime{2004, 3, 5, 9, 0, 0});
        r->notes = n;
        o->addReminder(std::move(r));
    }
    return o;
}

TEST(ReminderOrder, ProjectOrderThroughSectionsBlocksAndNesting) {
    CBrenvikaDoc doc;
    CBlock& hall = *doc.currentSection()->blockAt(0);
    auto& table = hall.addFloorObject(objectWith("table", {"t1", "t2"}));
    auto& vase = table.addChild(NestPosition::OnTop, objectWith("vase", {"vase"}));
    vase.addChild(NestPosition::Inside, objectWith("coin", {"coin"}));
    table.addChild(NestPosition::Under, objectWith("rug", {"rug"}));
    table.addChild(NestPosition::Inside, objectWith("drawer", {"drawer"}));
    hall.addFloorObject(objectWith("lamp", {"lamp"}));
    hall.addFloorObject(objectWith("bare", {}));
    auto& second = doc.appendSection(std::make_unique<CSection>());
    second.blockAt(0)->addFloorObject(objectWith("bed", {"bed"}));

    std::vector<std::string> seen;
    for (const auto& ref : collectReminders(doc)) {
        ASSERT_NE(ref.owner, nullptr);
        ASSERT_NE(ref.reminder, nullptr);
        seen.push_back(ref.owner->name + ":" + ref.reminder->notes);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"table:t1", "table:t2", "rug:rug", "drawer:drawer",
                                              "vase:vase", "coin:coin", "lamp:lamp", "bed:bed"}));
    EXPECT_TRUE(collectReminders(CBrenvikaDoc{}).empty());
}

} // namespace
} // namespace ardenvo
