#include "model/ReminderSchedule.h"

#include "model/LocalTime.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <limits>
#include <optional>

namespace ardenvo {

namespace {

constexpr std::int64_t kDay = 86'400;
// The years a project file's 32-bit start can hold; a move outside leaves the date alone.
constexpr int kFirstYear = 1970;
constexpr int kLastYear = 2106;
// Far outside those years, and well inside what the C library converts without failing.
constexpr std::int64_t kInstantGuard = 10'000'000'000;

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

std::optional<Date> localDateOf(std::int64_t instant) {
    if (instant < -kInstantGuard || instant > kInstantGuard)
        return std::nullopt;
    const LocalDateTime t = fromInstant(instant);
    return Date{t.year, t.month, t.day};
}

// Steps are counted from noon: whole 86 400 s steps then land on the intended calendar day even
// when a daylight-saving change (an hour either way) lies between.
std::int64_t noonOf(int year, int month, int day) {
    return toInstant({year, month, day, 12, 0, 0});
}

std::optional<Date> repeatEach(const CReminder& r, std::int64_t noon) {
    static constexpr std::array<std::int64_t, 4> kDaysPerUnit{1, 7, 30, 365};
    if (r.repeatEachUnit < 0 || r.repeatEachUnit > 3)
        return std::nullopt;
    const std::int64_t days =
        std::int64_t{r.repeatEachCount} * kDaysPerUnit[static_cast<std::size_t>(r.repeatEachUnit)];
    return localDateOf(noon + days * kDay);
}

std::optional<Date> repeatOnWeek(const CReminder& r, std::int64_t noon) {
    const int n = r.repeatOnNumber;
    if (n < 1 || n > 7)
        return std::nullopt;
    const int target = r.repeatOnAnchor == 0 ? n : 8 - n; // Sunday = 1 ... Saturday = 7
    // Seven steps always suffice; the bound only guards against an odd time zone.
    std::int64_t a = noon;
    for (int step = 0; step < 14; ++step) {
        a += kDay;
        if (weekdayOf(a) == target)
            return localDateOf(a);
    }
    return std::nullopt;
}

std::optional<Date> repeatOnMonth(const CReminder& r, std::int64_t noon, const Date& base) {
    const int n = r.repeatOnNumber;
    if (n < 1 || n > 31)
        return std::nullopt;
    const bool fromEnd = r.repeatOnAnchor == 1;
    int target = fromEnd ? daysInMonth(base.year, base.month) + 1 - n : n;
    // Day 31 may take two months to come round; a few hundred steps cover any valid number.
    std::int64_t a = noon;
    for (int step = 0; step < 400; ++step) {
        a += kDay;
        const auto d = localDateOf(a);
        if (!d)
            return std::nullopt;
        if (fromEnd && d->month != base.month)
            target = daysInMonth(d->year, d->month) + 1 - n;
        if (d->day == target)
            return d;
    }
    return std::nullopt;
}

std::optional<Date> repeatOnYear(const CReminder& r, std::int64_t startInstant, const Date& base) {
    const std::int64_t n = r.repeatOnNumber;
    if (n < 1)
        return std::nullopt;
    const bool fromEnd = r.repeatOnAnchor == 1;
    const LocalDateTime start = fromInstant(startInstant);
    for (int year = base.year; year <= base.year + 1; ++year) {
        const std::int64_t noon =
            fromEnd ? noonOf(year, 12, 31) - (n - 1) * kDay : noonOf(year, 1, 1) + (n - 1) * kDay;
        const auto d = localDateOf(noon);
        if (!d)
            return std::nullopt;
        const std::int64_t candidate =
            toInstant({d->year, d->month, d->day, start.hour, start.minute, 0});
        if (candidate > startInstant)
            return d;
    }
    return std::nullopt;
}

} // namespace

bool isDue(const CReminder& r, std::int64_t now) {
    return r.startInstant() < now;
}

void advanceReminder(CReminder& r) {
    // The real moment of the start: out-of-range fields (25:00) count as the conversion carries
    // them, as they will once saved.
    const std::int64_t startInstant = toInstant(r.start());
    const auto base = localDateOf(startInstant);
    if (!base)
        return;
    const std::int64_t noon = noonOf(base->year, base->month, base->day);

    std::optional<Date> next;
    if (r.periodicMode == static_cast<std::int32_t>(PeriodicMode::RepeatEach)) {
        next = repeatEach(r, noon);
    } else if (r.periodicMode == static_cast<std::int32_t>(PeriodicMode::RepeatOn) &&
               (r.repeatOnAnchor == 0 || r.repeatOnAnchor == 1)) {
        switch (r.repeatOnUnit) {
        case static_cast<std::int32_t>(PeriodUnit::Week):
            next = repeatOnWeek(r, noon);
            break;
        case static_cast<std::int32_t>(PeriodUnit::Month):
            next = repeatOnMonth(r, noon, *base);
            break;
        case static_cast<std::int32_t>(PeriodUnit::Year):
            next = repeatOnYear(r, startInstant, *base);
            break;
        default: // Day has no rule; other values come from no editor
            break;
        }
    }
    if (!next || next->year < kFirstYear || next->year > kLastYear)
        return;
    LocalDateTime moved = r.start();
    moved.year = next->year;
    moved.month = next->month;
    moved.day = next->day;
    r.setStart(moved);
}

bool resetReminder(CHouseObject& owner, CReminder& r) {
    if (r.isPeriodical()) {
        advanceReminder(r);
        return false;
    }
    return owner.removeReminder(&r) != nullptr;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return kDays[static_cast<std::size_t>(month - 1)];
}

std::string formatCategoryDate(const LocalDateTime& t) {
    // English names whatever the user's locale, as the list has always shown them.
    static constexpr std::array<const char*, 12> kMonths{
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const char* month =
        t.month >= 1 && t.month <= 12 ? kMonths[static_cast<std::size_t>(t.month - 1)] : "?";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d %s %d", t.day, month, t.year);
    return buffer;
}

std::string formatEditorTime(const LocalDateTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02i:%02i", t.hour, t.minute);
    return buffer;
}

std::string formatListDateTime(const LocalDateTime& t) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%02i/%02i/%i %02i:%02i", t.day, t.month, t.year, t.hour,
                  t.minute);
    return buffer;
}

std::string formatReminderEditorTime(const LocalDateTime& t) {
    return formatEditorTime(t);
}

namespace {

// The leading decimal integer as atoi reads it, saturating instead of overflowing.
int leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<int>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(kLimit, value * 10 + (text[i] - '0'));
    return static_cast<int>(negative ? -value : value);
}

} // namespace

HourMinute parseTimeText(std::string_view text) {
    HourMinute result;
    result.hour = leadingInteger(text);
    if (const auto colon = text.find(':'); colon != std::string_view::npos)
        result.minute = leadingInteger(text.substr(colon + 1));
    return result;
}

std::vector<ReminderRef> collectReminders(const CBrenvikaDoc& doc) {
    std::vector<ReminderRef> result;
    // An explicit stack: objects nested deeply in a damaged file must not exhaust the call stack.
    std::vector<CHouseObject*> pending;
    for (const auto& section : doc.sections()) {
        for (const auto& block : section->blocks()) {
            for (const auto& floorObject : block->floorObjects()) {
                pending.push_back(floorObject.get());
                while (!pending.empty()) {
                    CHouseObject* object = pending.back();
                    pending.pop_back();
                    for (const auto& reminder : object->reminders())
                        result.push_back({object, reminder.get()});
                    // Pushed in reverse so that Under comes out first, then Inside, then OnTop.
                    for (int pos = kNestPositionCount - 1; pos >= 0; --pos) {
                        const auto& children = object->children(static_cast<NestPosition>(pos));
                        for (auto it = children.rbegin(); it != children.rend(); ++it)
                            pending.push_back(it->get());
                    }
                }
            }
        }
    }
    return result;
}

LocalDateTime firstStorableDate() {
    return {kFirstYear, 1, 1, 0, 0, 0};
}

LocalDateTime lastStorableDate() {
    // The day before the one holding the last second, so that 23:59 of it still fits whatever
    // the time zone.
    const LocalDateTime last =
        fromInstant(std::int64_t{std::numeric_limits<std::uint32_t>::max()} - kDay);
    return {last.year, last.month, last.day, 0, 0, 0};
}

} // namespace ardenvo
