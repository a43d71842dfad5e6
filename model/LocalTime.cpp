#include "model/LocalTime.h"

#include <ctime>

namespace ardenvo {

std::int64_t toInstant(const LocalDateTime& local) {
    std::tm tm{};
    tm.tm_year = local.year - 1900;
    tm.tm_mon = local.month - 1;
    tm.tm_mday = local.day;
    tm.tm_hour = local.hour;
    tm.tm_min = local.minute;
    tm.tm_sec = local.second;
    tm.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&tm));
}

LocalDateTime fromInstant(std::int64_t instant) {
    const std::time_t t = static_cast<std::time_t>(instant);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int weekdayOf(std::int64_t instant) {
    const std::time_t t = static_cast<std::time_t>(instant);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm.tm_wday + 1;
}

} // namespace ardenvo
