// The calendar export read back by independent readers (Debian's python3-dateutil with
// python3-icalendar, python3-recurring-ical-events, and the calendar program khal): each event
// must give the reminder's date and then the very dates that successive resets give, in zones
// whose clocks change by an hour either way and by half an hour.
#include "ToolRunner.h"

#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "model/ReminderCalendar.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace ardenvo::test {
namespace {

constexpr int kDates = 16;

struct Case {
    const char* label;
    PeriodicMode mode;
    int count;
    PeriodUnit unit;
    RepeatOnAnchor anchor;
    LocalDateTime start;
    bool hasRule;
};

constexpr auto E = PeriodicMode::RepeatEach;
constexpr auto O = PeriodicMode::RepeatOn;
constexpr auto B = RepeatOnAnchor::BeginningOf;
constexpr auto End = RepeatOnAnchor::EndOf;

// Every mode, unit and anchor; leap days, month ends and the daylight-saving changes of the zones.
const Case kCases[] = {
    {"each 1 day", E, 1, PeriodUnit::Day, B, {2004, 10, 20, 0, 0, 0}, true},
    // 02:30 lies in the hour that the spring change skips in Berlin and New York; the dates step
    // over both change days, since a reminder landing on one is carried to 03:30 for good when
    // saved, which no repeating rule can say.
    {"each 3 days", E, 3, PeriodUnit::Day, B, {2004, 3, 21, 2, 30, 0}, true},
    {"each 0 days", E, 0, PeriodUnit::Day, B, {2004, 3, 20, 8, 0, 0}, false},
    {"each 1 week", E, 1, PeriodUnit::Week, B, {2004, 3, 1, 23, 59, 59}, true},
    {"each 2 weeks", E, 2, PeriodUnit::Week, B, {2004, 2, 29, 12, 0, 0}, true},
    {"each 1 month", E, 1, PeriodUnit::Month, B, {2003, 1, 31, 9, 15, 30}, true},
    {"each 2 months", E, 2, PeriodUnit::Month, B, {2004, 1, 31, 18, 30, 0}, true},
    {"each 1 year", E, 1, PeriodUnit::Year, B, {2004, 2, 29, 7, 0, 0}, true},
    {"on day 1 of the week", O, 1, PeriodUnit::Week, B, {2004, 3, 7, 10, 0, 0}, true},
    {"on day 4 of the week", O, 4, PeriodUnit::Week, B, {2004, 3, 10, 10, 0, 0}, true},
    {"until day 1 of the week", O, 1, PeriodUnit::Week, End, {2004, 3, 6, 0, 0, 0}, true},
    {"until day 7 of the week", O, 7, PeriodUnit::Week, End, {2004, 10, 25, 1, 0, 0}, true},
    {"on day 1 of the month", O, 1, PeriodUnit::Month, B, {2004, 1, 1, 6, 0, 0}, true},
    {"on day 15 of the month", O, 15, PeriodUnit::Month, B, {2004, 3, 20, 6, 0, 0}, true},
    {"on day 31 of the month", O, 31, PeriodUnit::Month, B, {2004, 4, 1, 6, 0, 0}, true},
    {"until day 1 of the month", O, 1, PeriodUnit::Month, End, {2004, 2, 15, 6, 0, 0}, true},
    {"until day 2 of the month", O, 2, PeriodUnit::Month, End, {2004, 2, 29, 6, 0, 0}, true},
    {"until day 31 of the month", O, 31, PeriodUnit::Month, End, {2004, 1, 20, 6, 0, 0}, true},
    {"on day 1 of the year", O, 1, PeriodUnit::Year, B, {2004, 1, 1, 9, 0, 0}, true},
    {"on day 60 of the year", O, 60, PeriodUnit::Year, B, {2003, 6, 1, 9, 0, 30}, true},
    {"on day 365 of the year", O, 365, PeriodUnit::Year, B, {2004, 12, 30, 9, 0, 0}, true},
    {"until day 1 of the year", O, 1, PeriodUnit::Year, End, {2004, 12, 31, 9, 0, 0}, true},
    {"until day 60 of the year", O, 60, PeriodUnit::Year, End, {2004, 3, 1, 9, 0, 0}, true},
    {"until day 365 of the year", O, 365, PeriodUnit::Year, End, {2004, 3, 1, 9, 0, 0}, true},
    {"on day 366 of the year", O, 366, PeriodUnit::Year, B, {2004, 3, 1, 9, 0, 0}, false},
    {"on day 1 of the day", O, 1, PeriodUnit::Day, B, {2004, 3, 1, 9, 0, 0}, false},
};

std::string houseWithEveryRule() {
    CBrenvikaDoc doc;
    auto shelf = std::make_unique<CHouseObject>();
    shelf->name = "Shelf";
    CHouseObject& placed = doc.currentSection()->blockAt(0)->addFloorObject(std::move(shelf));
    for (const Case& c : kCases) {
        auto r = std::make_unique<CReminder>(c.start);
        r->type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
        r->objectName = c.label;
        r->notes = "Look, then; act\nand write it down";
        r->periodicMode = static_cast<std::int32_t>(c.mode);
        r->repeatEachCount = c.count;
        r->repeatEachUnit = static_cast<std::int32_t>(c.unit);
        r->repeatOnNumber = c.count;
        r->repeatOnAnchor = static_cast<std::int32_t>(c.anchor);
        r->repeatOnUnit = static_cast<std::int32_t>(c.unit);
        placed.addReminder(std::move(r));
    }
    auto once = std::make_unique<CReminder>(LocalDateTime{2005, 1, 2, 7, 5, 0});
    once->objectName = "once";
    placed.addReminder(std::move(once));
    return writeProject(doc);
}

struct Event {
    std::string uid, first, dates, note, alarm, summary;
};

// `reader`: dateutil, recurring or khal (see the script).
std::vector<Event> readBack(const std::string& calendar, const std::string& reader) {
    // Debian's interpreter, where the readers are installed.
    const ToolResult r = runProgram("/usr/bin/python3",
                                    {ICAL_DATES_SCRIPT, calendar, std::to_string(kDates), reader});
    EXPECT_EQ(r.exitCode, 0) << reader << ": " << r.err;
    std::vector<Event> events;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        Event e;
        for (std::string* field : {&e.uid, &e.first, &e.dates, &e.note, &e.alarm, &e.summary})
            std::getline(fields, *field, '\t');
        events.push_back(e);
    }
    return events;
}

// The dates "reset" gives, one after another: "DD/MM/YYYY HH:MM" each, blank-separated.
std::string resetDates(const std::string& house, std::size_t index, int count) {
    std::string dates;
    for (int n = 0; n < count; ++n) {
        const ToolResult r = runTool({"reset", house, std::to_string(index)});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        // "INDEX<tab>DD/MM/YYYY HH:MM"
        dates += (n ? " " : "") + r.out.substr(r.out.find('\t') + 1, 16);
    }
    return dates;
}

// Dates [from, to) of an event's list: the first date, then the following ones.
std::string datesOf(const Event& e, int from, int to) {
    std::istringstream words(e.first + " " + e.dates);
    std::vector<std::string> all;
    for (std::string date, time; words >> date >> time;)
        all.push_back(date + " " + time);
    std::string out;
    for (int i = from; i < to && i < static_cast<int>(all.size()); ++i)
        out += (i > from ? " " : "") + all[static_cast<std::size_t>(i)];
    return out;
}

class CalendarZones : public testing::TestWithParam<const char*> {};

TEST_P(CalendarZones, EveryReaderGivesTheReminderDateThenTheDatesOfSuccessiveResets) {
    const ZoneGuard zone(GetParam());
    TempDir dir;
    const std::string house = dir.file("house.av");
    const std::string calendar = dir.file("house.ics");
    writeBytes(house, houseWithEveryRule());
    const ToolResult r = runTool({"ical", house, "--out", calendar});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::size_t count = std::size(kCases);
    std::map<std::string, std::vector<Event>> readers;
    for (const char* reader : {"dateutil", "recurring", "khal"}) {
        readers[reader] = readBack(calendar, reader);
        ASSERT_EQ(readers[reader].size(), count + 1) << reader;
    }
    const std::vector<Event>& before = readers["dateutil"];

    // Half the resets, an export in between (printed on the output this time), the other half.
    constexpr int kHalf = kDates / 2;
    std::vector<std::string> firstHalf;
    for (std::size_t i = 0; i < count; ++i)
        firstHalf.push_back(kCases[i].hasRule ? resetDates(house, i, kHalf) : "");
    const ToolResult again = runTool({"ical", house});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    writeBytes(calendar, again.out);
    const std::vector<Event> between = readBack(calendar, "dateutil");
    ASSERT_EQ(between.size(), before.size());

    for (std::size_t i = 0; i < count; ++i) {
        const Case& c = kCases[i];
        const std::string label = std::string(c.label) + " in " + GetParam();
        EXPECT_EQ(before[i].summary, std::string(c.label) + ": Look, then; act") << label;
        EXPECT_EQ(before[i].alarm, "alarm") << label;
        const bool fixedDays = c.mode == E && c.count > 0 &&
                               (c.unit == PeriodUnit::Month || c.unit == PeriodUnit::Year);
        EXPECT_EQ(before[i].note, !c.hasRule ? "repeats" : fixedDays ? "days" : "-") << label;
        EXPECT_EQ(between[i].uid, before[i].uid) << label;
        if (!c.hasRule) {
            EXPECT_EQ(before[i].dates, "-") << label;
            continue;
        }
        const std::string resets = firstHalf[i] + " " + resetDates(house, i, kDates - kHalf);
        for (const auto& [reader, events] : readers) {
            // The date due now comes first, in every reader.
            EXPECT_EQ(events[i].first, datesOf(before[i], 0, 1)) << label << ", " << reader;
            EXPECT_EQ(events[i].dates, resets) << label << ", " << reader;
        }
        // Exported after some resets: the same dates from where the resets have got to.
        EXPECT_EQ(datesOf(between[i], 0, kHalf + 1), datesOf(before[i], kHalf, kDates + 1))
            << label;
    }
    EXPECT_EQ(before[count].first, "02/01/2005 07:05");
    EXPECT_EQ(before[count].dates, "-");
    EXPECT_EQ(before[count].note, "-");
    EXPECT_EQ(before[count].summary, "once");
}

INSTANTIATE_TEST_SUITE_P(ClockChanges, CalendarZones,
                         testing::Values("Europe/Berlin", "America/New_York",
                                         "Australia/Lord_Howe"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& ch : name)
                                 if (ch == '/')
                                     ch = '_';
                             return name;
                         });

TEST(CalendarExportTest, AMovedHouseKeepsItsUidsAndTwoHousesOfOneNameStayApart) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("old"));
    std::filesystem::create_directories(dir.file("new"));
    writeBytes(dir.file("old/house.av"), houseWithEveryRule());
    const ToolResult before = runTool({"ical", dir.file("old/house.av")});
    ASSERT_EQ(before.exitCode, 0) << before.err;
    std::filesystem::rename(dir.file("old/house.av"), dir.file("new/house.av"));
    const ToolResult after = runTool({"ical", dir.file("new/house.av")});
    ASSERT_EQ(after.exitCode, 0) << after.err;
    const auto uids = [](const std::string& calendar) {
        std::vector<std::string> found;
        std::istringstream lines(calendar);
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with("UID:"))
                found.push_back(line);
        return found;
    };
    EXPECT_EQ(uids(after.out), uids(before.out));
    EXPECT_EQ(uids(before.out).size(), std::size(kCases) + 1);

    // The reminder program exports every loaded house into one file.
    CBrenvikaDoc doc;
    ASSERT_EQ(readProject(houseWithEveryRule(), doc), FileError::None);
    const std::vector<std::string> both = uids(writeReminderCalendar(
        {{dir.file("new/house.av"), &doc}, {dir.file("old/house.av"), &doc}}, 0));
    EXPECT_EQ(std::set<std::string>(both.begin(), both.end()).size(), 2 * (std::size(kCases) + 1));
    EXPECT_EQ(std::vector<std::string>(both.begin(), both.begin() + both.size() / 2),
              uids(before.out));
}

TEST(CalendarExportTest, WrongCommandLinesWriteNothing) {
    TempDir dir;
    const std::string calendar = dir.file("out.ics");
    for (const auto& args : {std::vector<std::string>{"ical"},
                             {"ical", "h.av", "--out"},
                             {"ical", "h.av", "extra"},
                             {"ical", "--out", calendar}})
        EXPECT_EQ(runTool(args).exitCode, 2) << args.size();
    EXPECT_EQ(runTool({"ical", dir.file("missing.av"), "--out", calendar}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(calendar));
}

} // namespace
} // namespace ardenvo::test
