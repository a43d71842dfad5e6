#include "planeditor/layout/BlockLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace ardenvo {
namespace {

// A house whose document places new blocks by the layout rules, recording what the views hear.
struct House {
    CBrenvikaDoc doc;
    std::vector<std::pair<ViewHint, int>> hints;

    House() {
        installLayout(doc);
        doc.addViewListener([this](ViewHint hint, int id) { hints.emplace_back(hint, id); });
    }
    CSection& section() { return *doc.currentSection(); }
    CBlock& hall() { return *section().findBlockById(1); }
    CBlock* add(std::int32_t anchor, int side, BlockKind kind = BlockKind::Room) {
        return addNeighbor(doc, anchor, side, kind);
    }
};

Rect shifted(const Rect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

TEST(BlockPlacement, NewBlocksStandOneUnitAwayCentredAndLinkedBothWays) {
    House house;
    house.doc.setModified(false);
    CBlock* room = house.doc.addBlock(1, East, BlockKind::Room);
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->rect(), (Rect{251, -25, 651, 375})); // the worked example
    EXPECT_TRUE(house.doc.isModified());
    ASSERT_EQ(house.hints.size(), 1u);
    EXPECT_EQ(house.hints[0], std::make_pair(ViewHint::AddBlockView, room->id));

    CBlock* north = house.add(1, North, BlockKind::Hall);
    CBlock* south = house.add(1, South, BlockKind::Hall);
    CBlock* west = house.add(1, West, BlockKind::Hall);
    EXPECT_EQ(north->rect(), (Rect{100, -51, 250, 99}));
    EXPECT_EQ(south->rect(), (Rect{100, 251, 250, 401}));
    EXPECT_EQ(west->rect(), (Rect{-51, 100, 99, 250}));
    EXPECT_EQ(house.hall().neighbours,
              (std::array<std::int32_t, 4>{north->id, room->id, south->id, west->id}));
    EXPECT_EQ(room->neighbours[West], 1);
    EXPECT_EQ(house.hall().rect(), (Rect{100, 100, 250, 250})); // only the new block moves
    EXPECT_EQ(room->rect(), (Rect{251, -25, 651, 375}));

    // A missing anchor, a non-side or an unknown kind add nothing and tell nobody.
    house.hints.clear();
    house.doc.setModified(false);
    EXPECT_EQ(house.add(99, East), nullptr);
    EXPECT_EQ(house.add(1, 4), nullptr);
    EXPECT_EQ(house.add(1, North, static_cast<BlockKind>(7)), nullptr);
    EXPECT_TRUE(house.hints.empty());
    EXPECT_FALSE(house.doc.isModified());
    EXPECT_EQ(house.section().blocks().size(), 5u);
}

TEST(BlockPlacement, AlignmentIsTheSameSeenFromEitherBlock) {
    House house;
    house.hall().alignments[East] = {static_cast<std::int32_t>(AlignMode::Start), 20};
    CBlock* room = house.add(1, East);
    EXPECT_EQ(room->alignments[West], (SideAlignment{0, -20}));
    EXPECT_EQ(room->rect().top, house.hall().rect().top - 20);
    EXPECT_EQ(room->rect().left, 251);
    const Rect hall = house.hall().rect();
    const Rect placed = room->rect();
    relayoutFrom(house.section(), 1);
    EXPECT_EQ(room->rect(), placed);
    relayoutFrom(house.section(), room->id);
    EXPECT_EQ(house.hall().rect(), hall);
    EXPECT_EQ(house.hall().alignments[East], (SideAlignment{0, 20}));

    // End/+20 on the south side: east edges level, then 20 to the east.
    house.hall().alignments[South] = {static_cast<std::int32_t>(AlignMode::End), 20};
    CBlock* below = house.add(1, South);
    EXPECT_EQ(below->rect().right, house.hall().rect().right - 20);
    EXPECT_EQ(below->rect().top, 251);

    // Unknown modes (from a damaged file) and sides centre the blocks.
    house.hall().alignments[North] = {9, 500};
    CBlock* odd = house.add(1, North);
    EXPECT_EQ(odd->rect(), (Rect{-25, -301, 375, 99}));
    placeNeighbor(house.section(), 1, odd->id, 7);
    EXPECT_EQ(odd->rect(), (Rect{-25, -25, 375, 375}));
}

TEST(BlockRelayout, FromALeafMovesTheRestAndOddSizesShrink) {
    House house;
    CBlock* east = house.add(1, East);
    CBlock* north = house.add(east->id, North, BlockKind::Hall);
    CBlock* west = house.add(1, West, BlockKind::Hall);
    const Rect hall = house.hall().rect(), eastRect = east->rect(), westRect = west->rect();

    // The leaf is moved by hand, as a drag would; the house follows it.
    north->setRect(shifted(north->rect(), 35, -12));
    const Rect moved = north->rect();
    relayoutFrom(house.section(), north->id);
    EXPECT_EQ(north->rect(), moved);
    EXPECT_EQ(east->rect(), shifted(eastRect, 35, -12));
    EXPECT_EQ(house.hall().rect(), shifted(hall, 35, -12));
    EXPECT_EQ(west->rect(), shifted(westRect, 35, -12));

    // A resize of the hall pushes its neighbours out; relayout from the hall keeps the hall.
    house.hall().setRect({100, 100, 300, 250});
    relayoutFrom(house.section(), 1);
    EXPECT_EQ(house.hall().rect(), (Rect{100, 100, 300, 250}));
    EXPECT_EQ(east->rect().left, 301);
    EXPECT_EQ(west->rect().right, 99);
    EXPECT_EQ(north->rect().bottom, east->rect().top - 1);

    // Odd sizes lose one unit when placed; even sizes stay.
    east->setRect({0, 0, 151, 77});
    for (int pass = 0; pass < 2; ++pass) {
        relayoutFrom(house.section(), 1);
        EXPECT_EQ(east->rect().width(), 150);
        EXPECT_EQ(east->rect().height(), 76);
    }
}

TEST(BlockDelete, RefusalsUnlinkingAndReuseOfTheSideAlignment) {
    House house;
    EXPECT_EQ(deleteBlock(house.section(), 1), DeleteBlockResult::InitialBlock);
    EXPECT_EQ(deleteBlock(house.section(), 77), DeleteBlockResult::NotFound);
    house.hall().alignments[East] = {static_cast<std::int32_t>(AlignMode::End), 7};
    const std::int32_t eastId = house.add(1, East)->id;
    const Rect eastRect = house.section().findBlockById(eastId)->rect();
    const std::int32_t furtherId = house.add(eastId, East)->id;

    EXPECT_EQ(deleteBlock(house.section(), eastId), DeleteBlockResult::InBetween);
    EXPECT_EQ(deleteBlock(house.section(), furtherId), DeleteBlockResult::Deleted);
    EXPECT_EQ(house.section().findBlockById(furtherId), nullptr);
    EXPECT_EQ(house.section().findBlockById(eastId)->neighbours[East], 0);
    EXPECT_EQ(deleteBlock(house.section(), eastId), DeleteBlockResult::Deleted);
    EXPECT_EQ(house.hall().neighbourCount(), 0);
    EXPECT_EQ(house.section().blocks().size(), 1u);
    EXPECT_STREQ(deleteRefusalMessage(DeleteBlockResult::InitialBlock),
                 "Can't delete the initial block!");
    EXPECT_STREQ(deleteRefusalMessage(DeleteBlockResult::InBetween),
                 "Can't delete blocks that are in between!");

    CBlock* again = house.add(1, East);
    EXPECT_EQ(again->alignments[West], (SideAlignment{2, -7}));
    EXPECT_EQ(again->rect(), eastRect);
    EXPECT_EQ(again->id, 4); // ids are never reused
}

} // namespace
} // namespace ardenvo
