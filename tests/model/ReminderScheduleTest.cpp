// The due test and the advance rule, run in time zones with daylight saving.
#include "model/ReminderSchedule.h"
#include "model/LocalTime.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <ostream>
#include <string>

namespace ardenvo {

// Readable failures: "2004-10-31 00:30:00".
[[maybe_unused]] static void PrintTo(const LocalDateTime& t, std::ostream* os) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    *os << text;
}

namespace {

using test::ZoneGuard;

LocalDateTime at(int y, int mo, int d, int h = 9, int mi = 15, int s = 42) {
    return {y, mo, d, h, mi, s};
}

CReminder repeatEach(const LocalDateTime& start, int count, PeriodUnit unit) {
    CReminder r(start);
    r.type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
    r.periodicMode = static_cast<std::int32_t>(PeriodicMode::RepeatEach);
    r.repeatEachCount = count;
    r.repeatEachUnit = static_cast<std::int32_t>(unit);
    return r;
}

CReminder repeatOn(const LocalDateTime& start, int n, RepeatOnAnchor anchor, PeriodUnit unit) {
    CReminder r(start);
    r.type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
    r.periodicMode = static_cast<std::int32_t>(PeriodicMode::RepeatOn);
    r.repeatOnNumber = n;
    r.repeatOnAnchor = static_cast<std::int32_t>(anchor);
    r.repeatOnUnit = static_cast<std::int32_t>(unit);
    return r;
}

LocalDateTime advanced(CReminder r) {
    advanceReminder(r);
    return r.start();
}

constexpr auto Begin = RepeatOnAnchor::BeginningOf;
constexpr auto End = RepeatOnAnchor::EndOf;

// The calendar rules hold in every zone; each case runs in both.
class ReminderCalendar : public testing::TestWithParam<const char*> {
protected:
    // UTC keeps one offset all year; the other zones change their clocks.
    ZoneGuard m_zone{GetParam(), std::string_view(GetParam()) == "UTC" ? 1 : 2};
};

TEST_P(ReminderCalendar, DueFromTheSecondAfterTheStart) {
    CReminder r(at(2004, 3, 5, 18, 30, 0));
    const std::int64_t start = toInstant(r.start());
    EXPECT_FALSE(isDue(r, start - 1));
    EXPECT_FALSE(isDue(r, start));
    EXPECT_TRUE(isDue(r, start + 1));
    // Editing the start to a later moment makes it wait again.
    r.setStart(at(2004, 3, 6, 18, 30, 0));
    EXPECT_FALSE(isDue(r, start + 1));
    EXPECT_TRUE(isDue(r, start + 86'400 + 1));
}

TEST_P(ReminderCalendar, RepeatEachCountsFixedDays) {
    EXPECT_EQ(advanced(repeatEach(at(2003, 1, 31), 1, PeriodUnit::Month)), at(2003, 3, 2));
    EXPECT_EQ(advanced(repeatEach(at(2004, 1, 31), 1, PeriodUnit::Month)), at(2004, 3, 1));
    EXPECT_EQ(advanced(repeatEach(at(2004, 2, 29), 1, PeriodUnit::Year)), at(2005, 2, 28));
    EXPECT_EQ(advanced(repeatEach(at(2004, 3, 10), 1, PeriodUnit::Week)), at(2004, 3, 17));
    EXPECT_EQ(advanced(repeatEach(at(2004, 12, 31, 23, 59, 59), 1, PeriodUnit::Day)),
              at(2005, 1, 1, 23, 59, 59));
    EXPECT_EQ(advanced(repeatEach(at(2004, 3, 10), 0, PeriodUnit::Week)), at(2004, 3, 10));
    EXPECT_EQ(advanced(repeatEach(at(2004, 3, 10), -1, PeriodUnit::Week)), at(2004, 3, 3));
}

TEST_P(ReminderCalendar, RepeatEachNeverLeavesTheYearsAFileHolds) {
    EXPECT_EQ(advanced(repeatEach(at(2004, 3, 10), INT_MAX, PeriodUnit::Year)), at(2004, 3, 10));
    EXPECT_EQ(advanced(repeatEach(at(2004, 3, 10), INT_MIN, PeriodUnit::Year)), at(2004, 3, 10));
    EXPECT_EQ(advanced(repeatEach(at(2004, 3, 10), -35, PeriodUnit::Year)), at(2004, 3, 10));
    EXPECT_EQ(advanced(repeatEach(at(2106, 12, 20), 2, PeriodUnit::Week)), at(2106, 12, 20));
    // 69 years: longer than a 32-bit count of seconds, still computed exactly.
    EXPECT_EQ(advanced(repeatEach(at(2004, 3, 10), 69, PeriodUnit::Year)), at(2073, 2, 21));
    // Units no editor produces leave the date alone.
    EXPECT_EQ(advanced(repeatEach(at(2004, 3, 10), 1, static_cast<PeriodUnit>(4))),
              at(2004, 3, 10));
    EXPECT_EQ(advanced(repeatEach(at(2004, 3, 10), 1, static_cast<PeriodUnit>(-1))),
              at(2004, 3, 10));
}

TEST_P(ReminderCalendar, StorableDatesAreTheDaysAFileHoldsWholly) {
    EXPECT_EQ(firstStorableDate(), at(1970, 1, 1, 0, 0, 0));
    const LocalDateTime last = lastStorableDate();
    EXPECT_EQ(last.year, 2106);
    EXPECT_LE(toInstant({last.year, last.month, last.day, 23, 59, 59}), UINT32_MAX);
    EXPECT_GT(toInstant({last.year, last.month, last.day + 1, 23, 59, 59}), UINT32_MAX);
}

TEST_P(ReminderCalendar, RepeatOnMonth) {
    EXPECT_EQ(advanced(repeatOn(at(2004, 2, 15), 1, End, PeriodUnit::Month)), at(2004, 2, 29));
    EXPECT_EQ(advanced(repeatOn(at(2004, 2, 29), 1, End, PeriodUnit::Month)), at(2004, 3, 31));
    EXPECT_EQ(advanced(repeatOn(at(2004, 4, 1), 31, Begin, PeriodUnit::Month)), at(2004, 5, 31));
    EXPECT_EQ(advanced(repeatOn(at(2004, 7, 31), 31, Begin, PeriodUnit::Month)), at(2004, 8, 31));
    EXPECT_EQ(advanced(repeatOn(at(2003, 12, 31), 1, End, PeriodUnit::Month)), at(2004, 1, 31));
    EXPECT_EQ(advanced(repeatOn(at(2004, 3, 10), 10, Begin, PeriodUnit::Month)), at(2004, 4, 10));
    // Day 30 until the end: February has none, so it waits for March's 2nd.
    EXPECT_EQ(advanced(repeatOn(at(2003, 1, 31), 30, End, PeriodUnit::Month)), at(2003, 3, 2));
    for (int impossible : {0, 32, -3, 10'000, INT_MIN})
        EXPECT_EQ(advanced(repeatOn(at(2004, 3, 10), impossible, End, PeriodUnit::Month)),
                  at(2004, 3, 10))
            << impossible;
}

TEST_P(ReminderCalendar, RepeatOnWeek) {
    // 7 March 2004 is a Sunday, 6 March a Saturday.
    EXPECT_EQ(advanced(repeatOn(at(2004, 3, 7), 1, Begin, PeriodUnit::Week)), at(2004, 3, 14));
    EXPECT_EQ(advanced(repeatOn(at(2004, 3, 6), 1, End, PeriodUnit::Week)), at(2004, 3, 13));
    EXPECT_EQ(advanced(repeatOn(at(2004, 3, 6), 2, Begin, PeriodUnit::Week)), at(2004, 3, 8));
    EXPECT_EQ(advanced(repeatOn(at(2004, 3, 8), 7, End, PeriodUnit::Week)), at(2004, 3, 14));
    for (int impossible : {0, 8, -1, 10'000})
        EXPECT_EQ(advanced(repeatOn(at(2004, 3, 10), impossible, Begin, PeriodUnit::Week)),
                  at(2004, 3, 10))
            << impossible;
}

TEST_P(ReminderCalendar, RepeatOnYear) {
    // The same day and time is not strictly later: the next year's.
    EXPECT_EQ(advanced(repeatOn(at(2004, 12, 31, 9, 0, 0), 1, End, PeriodUnit::Year)),
              at(2005, 12, 31, 9, 0, 0));
    EXPECT_EQ(advanced(repeatOn(at(2004, 12, 30, 9, 0, 0), 1, End, PeriodUnit::Year)),
              at(2004, 12, 31, 9, 0, 0));
    EXPECT_EQ(advanced(repeatOn(at(2004, 1, 10), 60, Begin, PeriodUnit::Year)), at(2004, 2, 29));
    EXPECT_EQ(advanced(repeatOn(at(2004, 3, 10), 60, Begin, PeriodUnit::Year)), at(2005, 3, 1));
    EXPECT_EQ(advanced(repeatOn(at(2004, 1, 1, 0, 0, 0), 1, Begin, PeriodUnit::Year)),
              at(2005, 1, 1, 0, 0, 0));
    // Day 400 of the beginning lies in the next year already.
    EXPECT_EQ(advanced(repeatOn(at(2004, 3, 10), 400, Begin, PeriodUnit::Year)), at(2005, 2, 3));
    for (int impossible : {0, -1, INT_MIN, INT_MAX})
        EXPECT_EQ(advanced(repeatOn(at(2004, 3, 10), impossible, Begin, PeriodUnit::Year)),
                  at(2004, 3, 10))
            << impossible;
}

TEST_P(ReminderCalendar, SettingsWithNoRuleLeaveTheDate) {
    EXPECT_EQ(advanced(repeatOn(at(2004, 3, 10), 3, Begin, PeriodUnit::Day)), at(2004, 3, 10));
    EXPECT_EQ(advanced(repeatOn(at(2004, 3, 10), 3, Begin, static_cast<PeriodUnit>(9))),
              at(2004, 3, 10));
    EXPECT_EQ(
        advanced(repeatOn(at(2004, 3, 10), 3, static_cast<RepeatOnAnchor>(2), PeriodUnit::Month)),
        at(2004, 3, 10));
    CReminder oddMode = repeatEach(at(2004, 3, 10), 1, PeriodUnit::Day);
    oddMode.periodicMode = 5;
    EXPECT_EQ(advanced(oddMode), at(2004, 3, 10));
}

TEST_P(ReminderCalendar, ResetDeletesSingleDatesAndAdvancesPeriodicalOnes) {
    CHouseObject owner;
    CReminder& once = owner.addReminder(std::make_unique<CReminder>(at(2004, 3, 10)));
    CReminder& weekly = owner.addReminder(
        std::make_unique<CReminder>(repeatEach(at(2004, 3, 10), 1, PeriodUnit::Week)));
    CReminder stranger(at(2004, 3, 10));

    EXPECT_FALSE(resetReminder(owner, stranger));
    EXPECT_EQ(owner.reminders().size(), 2u);
    EXPECT_TRUE(resetReminder(owner, once));
    ASSERT_EQ(owner.reminders().size(), 1u);
    EXPECT_EQ(owner.reminders()[0].get(), &weekly);

    // Overdue by weeks: one reset moves one period, so it is still due until it reaches the future.
    const std::int64_t now = toInstant(at(2004, 3, 30, 12, 0, 0));
    EXPECT_FALSE(resetReminder(owner, weekly));
    EXPECT_EQ(weekly.start(), at(2004, 3, 17));
    EXPECT_TRUE(isDue(weekly, now));
    resetReminder(owner, weekly);
    resetReminder(owner, weekly);
    EXPECT_EQ(weekly.start(), at(2004, 3, 31));
    EXPECT_FALSE(isDue(weekly, now));
    EXPECT_EQ(owner.reminders().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Zones, ReminderCalendar,
                         testing::Values("Europe/Berlin", "America/New_York", "UTC"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '/')
                                     c = '_';
                             return name;
                         });

// Dates of the 2004 changes: Berlin 28 March / 31 October, New York 4 April / 31 October.
struct DaylightSaving {
    const char* zone;
    LocalDateTime daySpringChange;
    LocalDateTime dayAutumnChange;
};

[[maybe_unused]] void PrintTo(const DaylightSaving& d, std::ostream* os) {
    *os << d.zone;
}

class ReminderDaylightSaving : public testing::TestWithParam<DaylightSaving> {
protected:
    ZoneGuard m_zone{GetParam().zone};
    LocalDateTime spring(int dayOffset, int h, int mi) const {
        return plusDays(GetParam().daySpringChange, dayOffset, h, mi);
    }
    LocalDateTime autumn(int dayOffset, int h, int mi) const {
        return plusDays(GetParam().dayAutumnChange, dayOffset, h, mi);
    }
    // Plain calendar arithmetic, free of any time zone.
    static LocalDateTime plusDays(const LocalDateTime& d, int days, int h, int mi) {
        using namespace std::chrono;
        const year_month_day date{sys_days{year{d.year} / month(static_cast<unsigned>(d.month)) /
                                           day(static_cast<unsigned>(d.day))} +
                                  std::chrono::days{days}};
        return {static_cast<int>(date.year()),
                static_cast<int>(unsigned(date.month())),
                static_cast<int>(unsigned(date.day())),
                h,
                mi,
                0};
    }
};

TEST_P(ReminderDaylightSaving, AutumnChangeMovesByWholeCalendarDays) {
    // Shortly after midnight on the day the clocks go back: a daily reset reaches the next day
    // (a plain 86 400 s step would keep the date, and the reminder would stay due forever).
    EXPECT_EQ(advanced(repeatEach(autumn(0, 0, 30), 1, PeriodUnit::Day)), autumn(1, 0, 30));
    // A weekly reminder at 00:00 across the change lands on the calendar date a week on, not one
    // day earlier as counting seconds gave.
    EXPECT_EQ(advanced(repeatEach(autumn(-1, 0, 0), 1, PeriodUnit::Week)), autumn(6, 0, 0));
    EXPECT_EQ(advanced(repeatEach(autumn(-1, 0, 0), 1, PeriodUnit::Month)), autumn(29, 0, 0));
    // "Repeat on" whose target is the day of the change, and the reset after it.
    CReminder monthly = repeatOn(autumn(-1, 0, 30), 31, Begin, PeriodUnit::Month);
    advanceReminder(monthly);
    EXPECT_EQ(monthly.start(), autumn(0, 0, 30));
    advanceReminder(monthly);
    EXPECT_EQ(monthly.start(), (LocalDateTime{2004, 12, 31, 0, 30, 0}));
    // 31 October 2004 was a Sunday.
    EXPECT_EQ(advanced(repeatOn(autumn(-1, 0, 30), 1, Begin, PeriodUnit::Week)), autumn(0, 0, 30));
    EXPECT_EQ(advanced(repeatOn(autumn(0, 0, 30), 1, Begin, PeriodUnit::Week)), autumn(7, 0, 30));
}

TEST_P(ReminderDaylightSaving, SpringChangeSkipsNoDay) {
    EXPECT_EQ(advanced(repeatEach(spring(-1, 23, 30), 1, PeriodUnit::Day)), spring(0, 23, 30));
    EXPECT_EQ(advanced(repeatEach(spring(-1, 0, 0), 1, PeriodUnit::Day)), spring(0, 0, 0));
    EXPECT_EQ(advanced(repeatEach(spring(0, 23, 59), 1, PeriodUnit::Day)), spring(1, 23, 59));
    // A time inside the hour that does not exist keeps its fields; only the date moves.
    EXPECT_EQ(advanced(repeatEach(spring(0, 2, 30), 1, PeriodUnit::Day)), spring(1, 2, 30));
    // Year rule: day 365 until the end counted back over the spring change.
    EXPECT_EQ(advanced(repeatOn({2004, 1, 5, 0, 10, 0}, 365, End, PeriodUnit::Year)),
              (LocalDateTime{2005, 1, 1, 0, 10, 0}));
}

TEST_P(ReminderDaylightSaving, DueTestAroundTheRepeatedHour) {
    // 01:30 happens twice on the autumn night in New York (once in Berlin's 02:30): whichever
    // instant the conversion picks, the reminder is due one second after it.
    CReminder r(autumn(0, 1, 30));
    const std::int64_t start = toInstant(r.start());
    EXPECT_FALSE(isDue(r, start));
    EXPECT_TRUE(isDue(r, start + 1));
    EXPECT_EQ(fromInstant(start).hour, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, ReminderDaylightSaving,
    testing::Values(DaylightSaving{"Europe/Berlin", {2004, 3, 28}, {2004, 10, 31}},
                    DaylightSaving{"America/New_York", {2004, 4, 4}, {2004, 10, 31}}),
    [](const auto& info) { return std::string(info.index == 0 ? "Berlin" : "NewYork"); });

} // namespace
} // namespace ardenvo
