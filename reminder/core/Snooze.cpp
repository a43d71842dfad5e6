#include "reminder/core/Snooze.h"

#include "model/LocalTime.h"

namespace ardenvo {

const char* snoozeLabel(SnoozeChoice choice) {
    switch (choice) {
    case SnoozeChoice::TenMinutes:
        return "in 10 minutes";
    case SnoozeChoice::OneHour:
        return "in 1 hour";
    case SnoozeChoice::Tomorrow:
        break;
    }
    return "tomorrow at this time";
}

std::int64_t snoozeEnd(SnoozeChoice choice, std::int64_t now) {
    switch (choice) {
    case SnoozeChoice::TenMinutes:
        return now + 10 * 60;
    case SnoozeChoice::OneHour:
        return now + 60 * 60;
    case SnoozeChoice::Tomorrow:
        break;
    }
    LocalDateTime next = fromInstant(now);
    next.day += 1; // carried into the next month by the conversion
    return toInstant(next);
}

} // namespace ardenvo
