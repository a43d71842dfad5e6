#pragma once

#include "model/CBrenvikaDoc.h"
#include "model/CHouseObject.h"
#include "model/CReminder.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

// True when the start lies strictly before `now` (seconds since 1970): a reminder counts as
// occurred from the second after its start. The caller supplies the time.
bool isDue(const CReminder& r, std::int64_t now);

// Moves the start's date to the next occurrence by the reminder's periodical settings; hour,
// minute and second stay. Settings that no date can satisfy, and results outside the years
// 1970-2106, leave the date as it is.
void advanceReminder(CReminder& r);

// "Reset": a single-date reminder is removed from `owner` and destroyed (true); a periodical one
// is advanced and stays (false). A reminder that `owner` does not hold changes nothing (false).
bool resetReminder(CHouseObject& owner, CReminder& r);

// 28-31 by the Gregorian calendar; 0 for a month outside 1-12.
int daysInMonth(int year, int month);

std::string formatCategoryDate(const LocalDateTime& t);       // "05 March 2004", English always
std::string formatEditorTime(const LocalDateTime& t);         // "18:30"
std::string formatListDateTime(const LocalDateTime& t);       // "05/03/2004 18:30"
std::string formatReminderEditorTime(const LocalDateTime& t); // "18:30"

struct HourMinute {
    int hour = 0;
    int minute = 0;
    constexpr bool operator==(const HourMinute&) const = default;
};

// Reads "H:M" as both editors do: the leading integer (blanks and a sign allowed, no digits gives
// 0) is the hour; after the first ':' the leading integer is the minute; no ':' gives minute 0.
// Values are not range-checked: the local-time conversion carries them (25:00 is 01:00 next day).
HourMinute parseTimeText(std::string_view text);

// The range of the count and number boxes of both programs' reminder editors: every value the
// file's 32-bit fields hold. The schedule handles each of them (a count of 0 or a number no
// month has leaves the date alone), so a stored value is shown and kept as it is.
inline constexpr std::int32_t kMinRepeatCount = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int32_t kMaxRepeatCount = std::numeric_limits<std::int32_t>::max();

// The first and last local dates a project file's start can hold (its 32-bit count of seconds
// since 1970 ends early in February 2106), for date pickers. Times of day are 00:00.
LocalDateTime firstStorableDate();
LocalDateTime lastStorableDate();

// Every reminder of the house in project order: sections, blocks, floor objects, each object's
// own reminders and then those under, inside and on top of it.
struct ReminderRef {
    CHouseObject* owner = nullptr;
    CReminder* reminder = nullptr;
};
std::vector<ReminderRef> collectReminders(const CBrenvikaDoc& doc);

} // namespace ardenvo
