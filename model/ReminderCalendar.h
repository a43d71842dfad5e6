#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ardenvo {

class CBrenvikaDoc;
class CReminder;

// One house to export: its file's path and its model. The events' UIDs come from the file's name,
// not its folder, so that a house moved elsewhere keeps them and a calendar program that imports
// it again updates its events instead of doubling them.
struct CalendarHouse {
    std::string path;
    const CBrenvikaDoc* doc = nullptr;
};

// The RRULE value (without "RRULE:") whose dates, counted from the reminder's start, are exactly
// those that successive resets give; empty when no rule does (single dates, settings that stand
// still or go back, days of the year that not every year has).
std::string reminderRecurrenceRule(const CReminder& reminder);

// Every reminder of the houses as one iCalendar file (CRLF lines, folded at 75 bytes): one event
// each, in local time, of no length, with an alarm when it starts, titled with the object's name
// and the first line of the notes. A repeating event starts on its rule's first date from the
// reminder's date on; the reminder's own date, when the rule does not give it, is added to it.
// `now` (seconds since 1970) stamps the events.
std::string writeReminderCalendar(const std::vector<CalendarHouse>& houses, std::int64_t now);

} // namespace ardenvo
