#include "importer/core/RoomPlacement.h"

#include "model/CBlock.h"
#include "model/CSection.h"
#include "planeditor/layout/BlockLayout.h"

#include <algorithm>
#include <array>

namespace ardenvo {

namespace {

// East first: a house imported room after room grows in a row, as a plan is read.
constexpr std::array kSides = {1, 2, 3, 0};
// Blocks tried as anchors, from the last one back: enough for any plan a person draws, and a
// bound on the work for a section of thousands of blocks.
constexpr int kAnchorsTried = 64;

bool overlapsOthers(const CSection& section, const CBlock& block) {
    const Rect& r = block.rect();
    for (const auto& other : section.blocks()) {
        if (other.get() == &block)
            continue;
        const Rect& o = other->rect();
        if (r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom)
            return true;
    }
    return false;
}

CBlock* addRoom(CSection& section, CBlock& anchor, int side) {
    CBlock* room = section.addBlock(anchor.id, side, BlockKind::Room);
    if (room)
        placeNeighbor(section, anchor.id, room->id, side);
    return room;
}

} // namespace

CBlock* addRoomBesideLast(CSection& section, const std::string& name) {
    const int count = static_cast<int>(section.blocks().size());
    CBlock* fallbackAnchor = nullptr;
    int fallbackSide = -1;
    for (int i = count - 1; i >= std::max(0, count - kAnchorsTried); --i) {
        CBlock& anchor = *section.blockAt(i);
        for (int side : kSides) {
            if (anchor.neighbours[static_cast<std::size_t>(side)] != 0)
                continue;
            if (!fallbackAnchor) {
                fallbackAnchor = &anchor;
                fallbackSide = side;
            }
            CBlock* room = addRoom(section, anchor, side);
            if (!room)
                continue;
            if (!overlapsOthers(section, *room)) {
                room->name = name;
                return room;
            }
            // Taken back at once; only the section's id counter remembers it.
            section.deleteBlock(room->id);
        }
    }
    if (!fallbackAnchor)
        return nullptr;
    CBlock* room = addRoom(section, *fallbackAnchor, fallbackSide);
    if (room)
        room->name = name;
    return room;
}

} // namespace ardenvo
