#pragma once

#include "model/CSection.h"

#include <cstdint>
#include <vector>

namespace ardenvo {

// The block the keyboard goes to from block `from` towards `side` (North, East, South, West),
// among the blocks `candidates` names (in drawing order): the neighbour attached on that side;
// failing that, the nearest whose centre lies that way, those straight ahead before those off to
// the side. 0 when no block lies that way.
std::int32_t blockTowards(const CSection& section, const std::vector<std::int32_t>& candidates,
                          std::int32_t from, int side);

} // namespace ardenvo
