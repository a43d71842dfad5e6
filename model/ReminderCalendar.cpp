#include "model/ReminderCalendar.h"

#include "model/CBrenvikaDoc.h"
#include "model/CHouseObject.h"
#include "model/LocalTime.h"
#include "model/TextEncoding.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace ardenvo {

namespace {

// Kept in step with the last year a reset still writes: the rule must not go on where the
// reminder stops.
constexpr const char* kUntil = ";UNTIL=21061231T235959";

constexpr const char* kRepeatsInArdenvo =
    "This reminder repeats in Ardenvo: after each reset there it moves to its next date.";

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
    const std::string& houseKey;
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

    // The UID names the reminder by its place in the house (object chain and position in its
    // object's list), which resets and edits leave alone.
    void event(const CReminder& reminder, const std::string& place) {
        const std::string rule = reminderRecurrenceRule(reminder);
        std::string description = reminder.notes;
        if (reminder.isPeriodical() && rule.empty())
            description += (description.empty() ? "" : "\n\n") + std::string(kRepeatsInArdenvo);
        appendLine(out, "BEGIN:VEVENT");
        appendLine(out, "UID:" + stableId(houseKey + "\n" + place) + "@ardenvo");
        appendLine(out, "DTSTAMP:" + utcText(now));
        // As the file will hold it: fields out of range (25:00) carried by the conversion.
        appendLine(out, "DTSTART:" + dateTimeText(fromInstant(reminder.startInstant())));
        if (!rule.empty())
            appendLine(out, "RRULE:" + rule);
        appendLine(out, "SUMMARY:" + escapeText(reminder.objectName));
        if (!description.empty())
            appendLine(out, "DESCRIPTION:" + escapeText(description));
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
    for (const auto& house : houses) {
        if (!house.doc)
            continue;
        Walk walk{house.key, now, out};
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
