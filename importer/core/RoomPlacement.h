#pragma once

#include <string>

namespace ardenvo {

class CBlock;
class CSection;

// Adds a room named `name` to the section beside its last block, by the neighbour rules: the
// first free side, east, south, west then north, where the room overlaps no other block; failing
// that beside the blocks before it; failing everything the first free side of the last block
// that has one. Null only when no block of the section has a free side.
CBlock* addRoomBesideLast(CSection& section, const std::string& name);

} // namespace ardenvo
