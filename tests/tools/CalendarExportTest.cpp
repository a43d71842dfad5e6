// The calendar export read back by an independent implementation (Debian's python3-icalendar and
// python3-dateutil): each repeating event must give the very dates that successive resets give.
#include "ToolRunner.h"

#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <set>
#include <sstream>

namespace ardenvo::test {
namespace {

constexpr int kDates = 24;

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

// Every mode, unit and anchor; leap days, month ends and both daylight-saving changes of Berlin.
const Case kCases[] = {
    {"each 1 day", E, 1, PeriodUnit::Day, B, {2004, 10, 20, 0, 0, 0}, true},
    {"each 3 days", E, 3, PeriodUnit::Day, B, {2004, 3, 20, 2, 30, 0}, true},
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
        r->notes = "Look, then; act";
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
    std::string uid, start, dates, note, summary;
};

std::vector<Event> readBack(const std::string& calendar) {
    // Debian's interpreter, where python3-icalendar and python3-dateutil are installed.
    const ToolResult r =
        runProgram("/usr/bin/python3", {ICAL_DATES_SCRIPT, calendar, std::to_string(kDates)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::vector<Event> events;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        Event e;
        std::getline(fields, e.uid, '\t');
        std::getline(fields, e.start, '\t');
        std::getline(fields, e.dates, '\t');
        std::getline(fields, e.note, '\t');
        std::getline(fields, e.summary, '\t');
        events.push_back(e);
    }
    return events;
}

TEST(CalendarExportTest, RulesGiveTheDatesOfSuccessiveResetsAndUidsStay) {
    // Inherited by the tool: both changes of the clock count.
    const ZoneGuard zone("Europe/Berlin");

    TempDir dir;
    const std::string house = dir.file("house.av");
    const std::string calendar = dir.file("house.ics");
    writeBytes(house, houseWithEveryRule());
    ToolResult r = runTool({"ical", house, "--out", calendar});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::vector<Event> before = readBack(calendar);
    const std::size_t count = std::size(kCases);
    ASSERT_EQ(before.size(), count + 1);

    for (std::size_t i = 0; i < count; ++i) {
        const Case& c = kCases[i];
        const Event& e = before[i];
        EXPECT_EQ(e.summary, c.label);
        if (!c.hasRule) {
            EXPECT_EQ(e.dates, "-") << c.label;
            EXPECT_EQ(e.note, "repeats") << c.label;
            continue;
        }
        EXPECT_EQ(e.note, "-") << c.label;
        std::string resets;
        for (int n = 0; n < kDates; ++n) {
            r = runTool({"reset", house, std::to_string(i)});
            ASSERT_EQ(r.exitCode, 0) << r.err;
            // "INDEX<tab>DD/MM/YYYY HH:MM"
            resets += (n ? " " : "") + r.out.substr(r.out.find('\t') + 1, 16);
        }
        EXPECT_EQ(e.dates, resets) << c.label;
    }
    EXPECT_EQ(before[count].start, "02/01/2005 07:05");
    EXPECT_EQ(before[count].dates, "-");
    EXPECT_EQ(before[count].note, "-");

    // Printed on the output too; after all those resets every reminder keeps its UID.
    r = runTool({"ical", house});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    writeBytes(calendar, r.out);
    const std::vector<Event> after = readBack(calendar);
    ASSERT_EQ(after.size(), before.size());
    std::set<std::string> uids;
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].uid, before[i].uid);
        uids.insert(after[i].uid);
    }
    EXPECT_EQ(uids.size(), after.size());
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
