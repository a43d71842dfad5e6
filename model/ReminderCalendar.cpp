#include "model/ReminderCalendar.h"

#include "model/CBrenvikaDoc.h"
#include "model/CHouseObject.h"
#include "model/LocalTime.h"
#include "model/ReminderSchedule.h"
#include "model/TextEncoding.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>

namespace ardenvo {

namespace {

// Kept in step with the last year a reset still writes: the rule must not go on where the
// reminder stops.
constexpr const char* kUntil = ";UNTIL=21061231T235959";

constexpr const char* kRepeatsInArdenvo =
    "This reminder repeats in Ardenvo: after each reset there it moves to its next date.";

// "Repeat each" counts whole days: a month and a year are steps of a fixed length, not calendar
// months and years, and a calendar program would not guess it.
std::string fixedStepNote(const CReminder& r) {
    if (r.periodicMode != static_cast<std::int32_t>(PeriodicMode::RepeatEach) ||
        (r.repeatEachUnit != static_cast<std::int32_t>(PeriodUnit::Month) &&
         r.repeatEachUnit != static_cast<std::int32_t>(PeriodUnit::Year)) ||
        r.repeatEachCount < 1)
        return {};
    const bool month = r.repeatEachUnit == static_cast<std::int32_t>(PeriodUnit::Month);
    return "Repeats every " + std::to_string(r.repeatEachCount * (month ? 30 : 365)) +
           " days: in Ardenvo a month is always 30 days and a year 365 days.";
}

// "<object>: <first line of the notes>", or whichever of the two there is.
std::string summaryOf(const CReminder& r) {
    std::string firstLine = r.notes.substr(0, r.notes.find_first_of("\r\n"));
    if (r.objectName.empty())
        return firstLine;
    return firstLine.empty() ? r.objectName : r.objectName + ": " + firstLine;
}

bool sameDate(const LocalDateTime& a, const LocalDateTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// The first date of the reminder's rule on or after its own date: the date itself when the rule
// gives it (the day before it, moved on once, lands on it), otherwise where one reset moves it.
LocalDateTime firstRuleDate(const CReminder& r, const LocalDateTime& own) {
    if (r.periodicMode == static_cast<std::int32_t>(PeriodicMode::RepeatEach))
        return own;
    CReminder dayBefore = r;
    LocalDateTime before = own;
    before.day -= 1; // carried into the month before by the conversion
    dayBefore.setStart(before);
    advanceReminder(dayBefore);
    if (sameDate(fromInstant(dayBefore.startInstant()), own))
        return own;
    CReminder next = r;
    advanceReminder(next);
    return fromInstant(next.startInstant());
}

std::string dateTimeText(const LocalDateTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02dT%02d%02d%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return buffer;
}

std::string utcText(std::int64_t instant) {
    const std::time_t seconds = static_cast<std::time_t>(instant);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y%m%dT%H%M%SZ", &utc);
    return buffer;
}

// TEXT values: backslash, semicolon and comma escaped, line breaks as \n.
std::string escapeText(const std::string& raw) {
    std::string out;
    for (char c : readableUtf8(raw)) {
        switch (c) {
        case '\\':
        case ';':
        case ',':
            out += '\\';
            out += c;
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Lines longer than 75 bytes go on in lines that start with a blank, never inside a UTF-8
// sequence.
void appendLine(std::string& out, const std::string& line) {
    std::size_t pos = 0;
    std::size_t limit = 75;
    while (line.size() - pos > limit) {
        std::size_t cut = pos + limit;
        while (cut > pos && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line, pos, cut - pos);
        out += "\r\n ";
        pos = cut;
        limit = 74;
    }
    out.append(line, pos, std::string::npos);
    out += "\r\n";
}

// FNV-1a, twice with different seeds: a stable 128-bit name, the same on every machine.
std::string stableId(const std::string& text) {
    std::string result;
    for (std::uint64_t hash : {0xcbf29ce484222325ULL, 0x84222325cbf29ce4ULL}) {
        for (unsigned char c : text) {
            hash ^= c;
            hash *= 0x100000001b3ULL;
        }
        char buffer[17];
        std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(hash));
        result += buffer;
    }
    return result;
}

struct Walk {
    const std::string& houseName;
    std::int64_t now;
    std::string& out;

    void object(const CHouseObject& object, const std::string& place) {
        int position = 0;
        for (const auto& reminder : object.reminders())
            event(*reminder, place + "/r" + std::to_string(position++));
        static constexpr std::array<const char*, kNestPositionCount> kNames{"u", "i", "t"};
        for (int pos = 0; pos < kNestPositionCount; ++pos) {
            int index = 0;
            for (const auto& child : object.children(static_cast<NestPosition>(pos)))
                this->object(*child, place + "/" + kNames[static_cast<std::size_t>(pos)] +
                                         std::to_string(index++));
        }
    }

    // The UID names the reminder by its house's file name and its place in the house (object
    // chain and position in its object's list), which moves, resets and edits leave alone.
    void event(const CReminder& reminder, const std::string& place) {
        const std::string rule = reminderRecurrenceRule(reminder);
        std::string description = reminder.notes;
        const auto addNote = [&description](const std::string& note) {
            if (!note.empty())
                description += (description.empty() ? "" : "\n\n") + note;
        };
        if (reminder.isPeriodical() && rule.empty())
            addNote(kRepeatsInArdenvo);
        if (!rule.empty())
            addNote(fixedStepNote(reminder));
        // As the file will hold it: fields out of range (25:00) carried by the conversion.
        const LocalDateTime own = fromInstant(reminder.startInstant());
        const LocalDateTime start = rule.empty() ? own : firstRuleDate(reminder, own);
        const std::string summary = escapeText(summaryOf(reminder));
        appendLine(out, "BEGIN:VEVENT");
        appendLine(out, "UID:" + stableId(houseName + "\n" + place) + "@ardenvo");
        appendLine(out, "DTSTAMP:" + utcText(now));
        appendLine(out, "DTSTART:" + dateTimeText(start));
        // A moment, not a span; said outright since calendar programs differ on a missing end.
        appendLine(out, "DURATION:PT0S");
        if (!rule.empty()) {
            appendLine(out, "RRULE:" + rule);
            // The date due now, which the rule need not give (a reminder set to 9 December
            // that repeats on the 28th of each month).
            if (!sameDate(start, own))
                appendLine(out, "RDATE:" + dateTimeText(own));
        }
        appendLine(out, "SUMMARY:" + summary);
        if (!description.empty())
            appendLine(out, "DESCRIPTION:" + escapeText(description));
        appendLine(out, "BEGIN:VALARM");
        appendLine(out, "ACTION:DISPLAY");
        appendLine(out, "TRIGGER;RELATED=START:PT0S");
        appendLine(out, "DESCRIPTION:" + summary);
        appendLine(out, "END:VALARM");
        appendLine(out, "END:VEVENT");
    }
};

constexpr std::array<const char*, 7> kWeekdays{"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

} // namespace

std::string reminderRecurrenceRule(const CReminder& r) {
    if (!r.isPeriodical())
        return {};
    // Resets step whole local days, so a month is 30 days and a year 365: daily rules say so.
    if (r.periodicMode == static_cast<std::int32_t>(PeriodicMode::RepeatEach)) {
        static constexpr std::array<std::int64_t, 4> kDaysPerUnit{1, 7, 30, 365};
        if (r.repeatEachCount < 1 || r.repeatEachUnit < 0 || r.repeatEachUnit > 3)
            return {};
        const std::int64_t days =
            r.repeatEachCount * kDaysPerUnit[static_cast<std::size_t>(r.repeatEachUnit)];
        return "FREQ=DAILY;INTERVAL=" + std::to_string(days) + kUntil;
    }
    if (r.periodicMode != static_cast<std::int32_t>(PeriodicMode::RepeatOn) ||
        (r.repeatOnAnchor != 0 && r.repeatOnAnchor != 1))
        return {};
    const bool fromEnd = r.repeatOnAnchor == 1;
    const int n = r.repeatOnNumber;
    switch (r.repeatOnUnit) {
    case static_cast<std::int32_t>(PeriodUnit::Week): {
        if (n < 1 || n > 7)
            return {};
        const int weekday = fromEnd ? 8 - n : n; // Sunday = 1
        return std::string("FREQ=WEEKLY;BYDAY=") +
               kWeekdays[static_cast<std::size_t>(weekday - 1)] + kUntil;
    }
    case static_cast<std::int32_t>(PeriodUnit::Month):
        // Months without that day are passed over by both.
        if (n < 1 || n > 31)
            return {};
        return "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(fromEnd ? -n : n) + kUntil;
    case static_cast<std::int32_t>(PeriodUnit::Year):
        // Day 366 falls into the next or previous year when the year is not a leap year, where a
        // rule skips that year: no rule matches it, nor days past a year's length.
        if (n < 1 || n > 365)
            return {};
        return "FREQ=YEARLY;BYYEARDAY=" + std::to_string(fromEnd ? -n : n) + kUntil;
    default:
        return {};
    }
}

std::string writeReminderCalendar(const std::vector<CalendarHouse>& houses, std::int64_t now) {
    std::string out;
    appendLine(out, "BEGIN:VCALENDAR");
    appendLine(out, "VERSION:2.0");
    appendLine(out, "PRODID:-//Ardenvo//Ardenvo Reminder//EN");
    appendLine(out, "CALSCALE:GREGORIAN");
    // Two houses of the same name in different folders: the second and later ones count on.
    std::map<std::string, int> names;
    for (const auto& house : houses) {
        if (!house.doc)
            continue;
        std::string name = std::filesystem::path(house.path).filename().string();
        if (const int seen = names[name]++; seen > 0)
            name += "\n" + std::to_string(seen + 1);
        Walk walk{name, now, out};
        int s = 0;
        for (const auto& section : house.doc->sections()) {
            int b = 0;
            for (const auto& block : section->blocks()) {
                int o = 0;
                for (const auto& object : block->floorObjects())
                    walk.object(*object, "s" + std::to_string(s) + "/b" + std::to_string(b) + "/o" +
                                             std::to_string(o++));
                ++b;
            }
            ++s;
        }
    }
    appendLine(out, "END:VCALENDAR");
    return out;
}

} // namespace ardenvo
