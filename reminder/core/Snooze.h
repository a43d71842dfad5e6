#pragma once

#include <array>
#include <cstdint>

namespace ardenvo {

// The choices of "Remind me later", in the order the menus list them.
enum class SnoozeChoice { TenMinutes, OneHour, Tomorrow };
inline constexpr std::array<SnoozeChoice, 3> kSnoozeChoices{
    SnoozeChoice::TenMinutes, SnoozeChoice::OneHour, SnoozeChoice::Tomorrow};

const char* snoozeLabel(SnoozeChoice choice);

// When a reminder held back at `now` (seconds since 1970) is due again. "Tomorrow at this time"
// is the same local time of day on the next calendar day, whatever the clock change between.
std::int64_t snoozeEnd(SnoozeChoice choice, std::int64_t now);

} // namespace ardenvo
