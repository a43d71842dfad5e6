#pragma once

#include <cstdint>
#include <vector>

namespace ardenvo {

// One kept version as the thinning sees it.
struct VersionAge {
    std::int64_t timeMs = 0; // when that house was saved, milliseconds since 1970
    std::uint64_t size = 0;
};

// Never more than this in all, whatever the house.
inline constexpr std::uint64_t kMaxVersionBytes = 1024ull * 1024 * 1024;
// Nor more than this many times the house.
inline constexpr std::uint64_t kVersionSizeFactor = 20;

// Which versions to remove, as indexes into `newestFirst`: every version of the last 24 hours
// stays; older ones keep the newest of each local day for 30 more days, then the newest of each
// local month up to a year; older still go. Then the oldest go until the rest take at most
// 20 times the house (the largest it has been among them and `houseSize`) and at most 1 GB. The
// newest version is always kept: it may be the only copy of what the last save replaced.
std::vector<std::size_t> versionsToThin(const std::vector<VersionAge>& newestFirst,
                                        std::int64_t nowMs, std::uint64_t houseSize);

} // namespace ardenvo
