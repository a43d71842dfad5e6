#include "model/CReminder.h"

#include "model/LocalTime.h"

#include <ctime>

namespace ardenvo {

LocalDateTime LocalDateTime::now() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::int64_t CReminder::convertStart() const {
    m_startInstant = toInstant(m_start);
    m_startInstantValid = true;
    return m_startInstant;
}

} // namespace ardenvo
