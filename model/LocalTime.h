#pragma once

#include "model/CReminder.h"

#include <cstdint>

namespace ardenvo {

// Conversions between local calendar fields and seconds since 1970 UTC, by the C library's rules
// for the current time zone (daylight saving decided by the conversion). Always 64-bit.
std::int64_t toInstant(const LocalDateTime& local);
LocalDateTime fromInstant(std::int64_t instant);

// The weekday of a local date, Sunday = 1 ... Saturday = 7.
int weekdayOf(std::int64_t instant);

} // namespace ardenvo
