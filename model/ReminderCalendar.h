#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ardenvo {

class CBrenvikaDoc;
class CReminder;

// One house to export: its identity (the same text at every export, so that the events keep their
// UIDs) and its model.
struct CalendarHouse {
    std::string key;
    const CBrenvikaDoc* doc = nullptr;
};

// The RRULE value (without "RRULE:") whose dates, counted from the reminder's start, are exactly
// those that successive resets give; empty when no rule does (single dates, settings that stand
// still or go back, days of the year that not every year has).
std::string reminderRecurrenceRule(const CReminder& reminder);

// Every reminder of the houses as one iCalendar file (CRLF lines, folded at 75 bytes): one event
// each, in local time. `now` (seconds since 1970) stamps the events.
std::string writeReminderCalendar(const std::vector<CalendarHouse>& houses, std::int64_t now);

} // namespace ardenvo
