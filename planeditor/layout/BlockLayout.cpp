#include "planeditor/layout/BlockLayout.h"

#include "model/Translatable.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace ardenvo {

namespace {

std::int32_t clampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// SideAlignment::reversed() without the overflow of negating the smallest 32-bit value, which a
// damaged file can hold.
SideAlignment safelyReversed(const SideAlignment& record) {
    const std::int64_t negated = -static_cast<std::int64_t>(record.shift);
    return {record.mode, clampToInt32(negated)};
}

// The alignment offset along the shared edge: the record's shift adjusted for the mode, where
// `halfDifference` is (anchor extent - neighbour extent) / 2.
std::int64_t alignedOffset(const SideAlignment& record, std::int64_t halfDifference) {
    const std::int64_t shift = record.shift;
    switch (record.mode) {
    case static_cast<std::int32_t>(AlignMode::Start):
        return shift - halfDifference;
    case static_cast<std::int32_t>(AlignMode::Center):
        return shift;
    case static_cast<std::int32_t>(AlignMode::End):
        return shift + halfDifference;
    default:
        return 0; // an unknown mode centres the blocks and ignores the shift
    }
}

void place(const CBlock& anchor, CBlock& neighbour, int side) {
    const int facing = oppositeSide(side);
    if (facing >= 0)
        neighbour.alignments[static_cast<std::size_t>(facing)] =
            safelyReversed(anchor.alignments[static_cast<std::size_t>(side)]);

    // 64-bit throughout: a file's coordinates may be anywhere in the 32-bit range.
    const Rect& p = anchor.rect();
    const Rect& q = neighbour.rect();
    std::int64_t cx = (std::int64_t{p.left} + p.right) / 2;
    std::int64_t cy = (std::int64_t{p.top} + p.bottom) / 2;
    const std::int64_t wp = std::int64_t{p.right} - p.left;
    const std::int64_t hp = std::int64_t{p.bottom} - p.top;
    const std::int64_t wq = std::int64_t{q.right} - q.left;
    const std::int64_t hq = std::int64_t{q.bottom} - q.top;

    if (side == East || side == West) {
        const SideAlignment& record = neighbour.alignments[static_cast<std::size_t>(facing)];
        const std::int64_t gap = (wp + wq) / 2 + 1;
        cx += side == East ? gap : -gap;
        cy += alignedOffset(record, (hp - hq) / 2);
    } else if (side == North || side == South) {
        const SideAlignment& record = neighbour.alignments[static_cast<std::size_t>(facing)];
        const std::int64_t gap = (hq + hp) / 2 + 1;
        cx += alignedOffset(record, (wp - wq) / 2);
        cy += side == South ? gap : -gap;
    }
    // Twice the half size: an odd width or height loses one unit, as it always has.
    neighbour.setRect({clampToInt32(cx - wq / 2), clampToInt32(cy - hq / 2),
                       clampToInt32(cx + wq / 2), clampToInt32(cy + hq / 2)});
    neighbour.changed = 1;
}

} // namespace

void placeNeighbor(CSection& section, std::int32_t anchorId, std::int32_t neighbourId, int side) {
    const CBlock* anchor = section.findBlockById(anchorId);
    CBlock* neighbour = section.findBlockById(neighbourId);
    if (!anchor || !neighbour)
        return;
    place(*anchor, *neighbour, side);
}

void relayoutFrom(CSection& section, std::int32_t blockId, int side) {
    CBlock* start = section.findBlockById(blockId);
    if (!start)
        return;

    // Looked up once: the first block of an id wins, as findBlockById has it.
    std::unordered_map<std::int32_t, CBlock*> byId;
    byId.reserve(section.blocks().size());
    for (const auto& b : section.blocks())
        byId.emplace(b->id, b.get());

    // Depth first over an explicit stack: a long chain of blocks in a file must not exhaust the
    // call stack, and the visited set stops links that loop back (self links, cycles).
    struct Frame {
        CBlock* block;
        int reachedBy;
        int nextSide;
    };
    std::vector<Frame> stack{{start, side, North}};
    std::unordered_set<const CBlock*> visited{start};
    while (!stack.empty()) {
        const std::size_t top = stack.size() - 1;
        if (stack[top].nextSide > West) {
            stack.pop_back();
            continue;
        }
        const int i = stack[top].nextSide++;
        CBlock* block = stack[top].block;
        if (i == oppositeSide(stack[top].reachedBy))
            continue;
        const std::int32_t id = block->neighbours[static_cast<std::size_t>(i)];
        if (id == 0)
            continue;
        const auto found = byId.find(id);
        if (found == byId.end() || visited.count(found->second))
            continue;
        CBlock* next = found->second;
        place(*block, *next, i);
        visited.insert(next);
        stack.push_back({next, i, North});
    }
}

CBlock* addNeighbor(CBrenvikaDoc& doc, std::int32_t anchorId, int side, BlockKind kind) {
    CSection* section = doc.currentSection();
    if (!section)
        return nullptr;
    CBlock* block = section->addBlock(anchorId, side, kind);
    if (!block)
        return nullptr;
    // Only the new block is placed; the rest of the house stays where it is.
    placeNeighbor(*section, anchorId, block->id, side);
    doc.setModified(true);
    doc.notifyViews(ViewHint::AddBlockView, block->id);
    return block;
}

void installLayout(CBrenvikaDoc& doc) {
    doc.setBlockPlacer([](CSection& section, int anchorId, int newId, int side) {
        placeNeighbor(section, anchorId, newId, side);
    });
}

DeleteBlockResult deleteBlock(CSection& section, std::int32_t id) {
    const CBlock* block = section.findBlockById(id);
    if (!block)
        return DeleteBlockResult::NotFound;
    const int count = block->neighbourCount();
    if (count == 0)
        return DeleteBlockResult::InitialBlock;
    if (count > 1)
        return DeleteBlockResult::InBetween;
    return section.deleteBlock(id) ? DeleteBlockResult::Deleted : DeleteBlockResult::NotFound;
}

const char* deleteRefusalMessage(DeleteBlockResult result) {
    switch (result) {
    case DeleteBlockResult::InitialBlock:
        return AV_TRANSLATE_NOOP("ardenvo::BlockLayout", "Can't delete the initial block!");
    case DeleteBlockResult::InBetween:
        return AV_TRANSLATE_NOOP("ardenvo::BlockLayout",
                                 "Can't delete blocks that are in between!");
    default:
        return "";
    }
}

Size minimumBlockSize(const CBlock& block) {
    return block.minimumBlockSize();
}

} // namespace ardenvo
