#pragma once

#include "model/RecordPool.h"

#include <cstdint>
#include <string>

namespace ardenvo {

enum class ReminderType : std::int32_t { SingleDate = 0, PeriodicalDate = 1 };
enum class PeriodicMode : std::int32_t { RepeatEach = 0, RepeatOn = 1 };
enum class PeriodUnit : std::int32_t { Day = 0, Week = 1, Month = 2, Year = 3 };
enum class RepeatOnAnchor : std::int32_t { BeginningOf = 0, EndOf = 1 };

// A local calendar date and time of day; month 1-12.
struct LocalDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    constexpr bool operator==(const LocalDateTime&) const = default;

    static LocalDateTime now();
};

// One dated note of an object. The enumerated fields are kept as the raw 32-bit values of the file
// so that values no editor produces survive a load and save unchanged.
class CReminder final : public RecordMemory<CReminder> {
public:
    CReminder() : CReminder(LocalDateTime::now()) {}
    explicit CReminder(const LocalDateTime& start) : m_start(start) {}
    ~CReminder() = default;

    std::int32_t type = static_cast<std::int32_t>(ReminderType::SingleDate);
    std::string notes;
    std::string objectName;
    std::int32_t periodicMode = static_cast<std::int32_t>(PeriodicMode::RepeatEach);
    std::int32_t repeatEachCount = 1;
    std::int32_t repeatEachUnit = static_cast<std::int32_t>(PeriodUnit::Month);
    std::int32_t repeatOnNumber = 1;
    std::int32_t repeatOnAnchor = static_cast<std::int32_t>(RepeatOnAnchor::BeginningOf);
    std::int32_t repeatOnUnit = static_cast<std::int32_t>(PeriodUnit::Month);

    const LocalDateTime& start() const { return m_start; }
    void setStart(const LocalDateTime& start) {
        m_start = start;
        m_startInstantValid = false;
    }
    // The start with the instant it came from, for readers that have both: the stored instant is
    // kept as it is, and no conversion back (which asks the time zone files) is needed.
    void setStart(const LocalDateTime& start, std::int64_t instant) {
        m_start = start;
        m_startInstant = instant;
        m_startInstantValid = true;
    }
    // The start as seconds since 1970, converted once and kept: the reminder program tests every
    // reminder each second, and the conversion is far dearer than the comparison.
    std::int64_t startInstant() const {
        return m_startInstantValid ? m_startInstant : convertStart();
    }

    bool isPeriodical() const {
        return type == static_cast<std::int32_t>(ReminderType::PeriodicalDate);
    }

private:
    std::int64_t convertStart() const;

    LocalDateTime m_start;
    mutable std::int64_t m_startInstant = 0;
    mutable bool m_startInstantValid = false;
};

} // namespace ardenvo
