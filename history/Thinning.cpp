#include "history/Thinning.h"

#include <algorithm>
#include <ctime>
#include <set>

namespace ardenvo {

namespace {

constexpr std::int64_t kHourMs = 3600 * 1000;
constexpr std::int64_t kDayMs = 24 * kHourMs;

// The local calendar day or month of a moment, as one number.
std::int64_t calendarKey(std::int64_t timeMs, bool month) {
    std::time_t seconds = static_cast<std::time_t>(timeMs / 1000);
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return timeMs / (month ? 31 * kDayMs : kDayMs);
    const std::int64_t yearMonth = (local.tm_year + 1900) * 100LL + local.tm_mon + 1;
    return month ? yearMonth : yearMonth * 100 + local.tm_mday;
}

} // namespace

std::vector<std::size_t> versionsToThin(const std::vector<VersionAge>& newestFirst,
                                        std::int64_t nowMs, std::uint64_t houseSize) {
    std::vector<bool> keep(newestFirst.size(), false);
    std::set<std::int64_t> daysSeen, monthsSeen;
    for (std::size_t i = 0; i < newestFirst.size(); ++i) {
        const std::int64_t time = newestFirst[i].timeMs;
        const std::int64_t age = nowMs - time;
        const std::int64_t day = calendarKey(time, false), month = calendarKey(time, true);
        if (i == 0 || age < kDayMs)
            keep[i] = true; // a clock set back makes ages negative: those stay too
        else if (age < kDayMs + 30 * kDayMs)
            keep[i] = !daysSeen.count(day);
        else if (age < 365 * kDayMs)
            keep[i] = !monthsSeen.count(month);
        // What is kept is the newest of its day and of its month.
        if (keep[i]) {
            daysSeen.insert(day);
            monthsSeen.insert(month);
        }
    }

    // A house that shrank (rooms deleted) must not lose the versions from before: its size is
    // the largest it has been.
    std::uint64_t largest = houseSize, total = 0;
    for (std::size_t i = 0; i < newestFirst.size(); ++i) {
        if (keep[i]) {
            largest = std::max(largest, newestFirst[i].size);
            total += newestFirst[i].size;
        }
    }
    const std::uint64_t budget = std::min(kMaxVersionBytes, largest * kVersionSizeFactor);
    for (std::size_t i = newestFirst.size(); i-- > 1 && total > budget;) {
        if (keep[i]) {
            keep[i] = false;
            total -= newestFirst[i].size;
        }
    }

    std::vector<std::size_t> removed;
    for (std::size_t i = 0; i < newestFirst.size(); ++i)
        if (!keep[i])
            removed.push_back(i);
    return removed;
}

} // namespace ardenvo
