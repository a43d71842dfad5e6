#include "planeditor/layout/BlockLayout.h"

#include <gtest/gtest.h>

#include <string>
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
    CBlock& block(std::int32_t id) { return *section().findBlockById(id); }
    CBlock& hall() { return block(1); }
};

Rect shifted(const Rect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

TEST(BlockPlacement, NewBlocksStandOneUnitAwayAndCentredByDefault) {
    House house;
    CBlock* room = addNeighbor(house.doc, 1, East, BlockKind::Room);
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->rect(), (Rect{251, -25, 651, 375})); // the worked example

    CBlock* north = addNeighbor(house.doc, 1, North, BlockKind::Hall);
    CBlock* south = addNeighbor(house.doc, 1, South, BlockKind::Hall);
    CBlock* west = addNeighbor(house.doc, 1, West, BlockKind::Hall);
    EXPECT_EQ(north->rect(), (Rect{100, -51, 250, 99}));
    EXPECT_EQ(south->rect(), (Rect{100, 251, 250, 401}));
    EXPECT_EQ(west->rect(), (Rect{-51, 100, 99, 250}));

    // Links both ways, and nothing but the new block moves.
    EXPECT_EQ(house.hall().neighbours,
              (std::array<std::int32_t, 4>{north->id, room->id, south->id, west->id}));
    EXPECT_EQ(room->neighbours[West], 1);
    EXPECT_EQ(house.hall().rect(), (Rect{100, 100, 250, 250}));
    EXPECT_EQ(room->rect(), (Rect{251, -25, 651, 375}));
}

TEST(BlockPlacement, DocumentAddBlockPlacesAndNotifies) {
    House house;
    house.doc.setModified(false);
    house.hints.clear();
    CBlock* viaDoc = house.doc.addBlock(1, East, BlockKind::Room);
    ASSERT_NE(viaDoc, nullptr);
    EXPECT_EQ(viaDoc->rect(), (Rect{251, -25, 651, 375}));
    EXPECT_TRUE(house.doc.isModified());
    ASSERT_EQ(house.hints.size(), 1u);
    EXPECT_EQ(house.hints[0], std::make_pair(ViewHint::AddBlockView, viaDoc->id));

    house.hints.clear();
    CBlock* viaLayout = addNeighbor(house.doc, viaDoc->id, South, BlockKind::Hall);
    ASSERT_NE(viaLayout, nullptr);
    ASSERT_EQ(house.hints.size(), 1u);
    EXPECT_EQ(house.hints[0], std::make_pair(ViewHint::AddBlockView, viaLayout->id));

    // A missing anchor, a non-side or an unknown kind add nothing and tell nobody.
    house.hints.clear();
    house.doc.setModified(false);
    EXPECT_EQ(addNeighbor(house.doc, 99, East, BlockKind::Room), nullptr);
    EXPECT_EQ(addNeighbor(house.doc, 1, 4, BlockKind::Room), nullptr);
    EXPECT_EQ(addNeighbor(house.doc, 1, North, static_cast<BlockKind>(7)), nullptr);
    EXPECT_TRUE(house.hints.empty());
    EXPECT_FALSE(house.doc.isModified());
    EXPECT_EQ(house.section().blocks().size(), 3u);
}

TEST(BlockPlacement, AlignmentIsTheSameSeenFromEitherBlock) {
    House house;
    house.hall().alignments[East] = {static_cast<std::int32_t>(AlignMode::Start), 20};
    CBlock* room = addNeighbor(house.doc, 1, East, BlockKind::Room);
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
    CBlock* below = addNeighbor(house.doc, 1, South, BlockKind::Room);
    EXPECT_EQ(below->rect().right, house.hall().rect().right - 20);
    EXPECT_EQ(below->rect().top, 251);
}

TEST(BlockPlacement, UnknownModesAndSidesCentreTheBlocks) {
    House house;
    house.hall().alignments[East] = {9, 500};
    CBlock* room = addNeighbor(house.doc, 1, East, BlockKind::Room);
    EXPECT_EQ(room->rect(), (Rect{251, -25, 651, 375}));
    EXPECT_EQ(room->alignments[West], (SideAlignment{9, -500}));

    placeNeighbor(house.section(), 1, room->id, 7);
    EXPECT_EQ(room->rect(), (Rect{-25, -25, 375, 375}));
    // Missing blocks: nothing happens.
    placeNeighbor(house.section(), 1, 42, East);
    placeNeighbor(house.section(), 42, room->id, East);
    EXPECT_EQ(room->rect(), (Rect{-25, -25, 375, 375}));
}

TEST(BlockPlacement, OddSizesLoseOneUnitWhenPlaced) {
    House house;
    CBlock* room = addNeighbor(house.doc, 1, East, BlockKind::Room);
    room->setRect({0, 0, 151, 77});
    relayoutFrom(house.section(), 1);
    EXPECT_EQ(room->rect().width(), 150);
    EXPECT_EQ(room->rect().height(), 76);
    // Even sizes stay.
    relayoutFrom(house.section(), 1);
    EXPECT_EQ(room->rect().width(), 150);
    EXPECT_EQ(room->rect().height(), 76);
}

TEST(BlockRelayout, FromALeafMovesTheRestNotTheLeaf) {
    House house;
    CBlock* east = addNeighbor(house.doc, 1, East, BlockKind::Room);
    CBlock* north = addNeighbor(house.doc, east->id, North, BlockKind::Hall);
    CBlock* west = addNeighbor(house.doc, 1, West, BlockKind::Hall);
    const Rect hall = house.hall().rect();
    const Rect eastRect = east->rect();
    const Rect northRect = north->rect();
    const Rect westRect = west->rect();

    // The leaf is moved by hand, as a drag would; the house follows it.
    north->setRect(shifted(northRect, 35, -12));
    relayoutFrom(house.section(), north->id);
    EXPECT_EQ(north->rect(), shifted(northRect, 35, -12));
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
    relayoutFrom(house.section(), 12345); // missing start: nothing
    EXPECT_EQ(east->rect().left, 301);
}

TEST(BlockDelete, RefusalsAndUnlinking) {
    House house;
    EXPECT_EQ(deleteBlock(house.section(), 1), DeleteBlockResult::InitialBlock);
    EXPECT_EQ(deleteBlock(house.section(), 77), DeleteBlockResult::NotFound);
    CBlock* east = addNeighbor(house.doc, 1, East, BlockKind::Room);
    const std::int32_t eastId = east->id;
    CBlock* further = addNeighbor(house.doc, eastId, East, BlockKind::Room);
    const std::int32_t furtherId = further->id;

    EXPECT_EQ(deleteBlock(house.section(), eastId), DeleteBlockResult::InBetween);
    EXPECT_EQ(house.section().blocks().size(), 3u);
    // The hall has one neighbour now, so it could go; deleting the far end first.
    EXPECT_EQ(deleteBlock(house.section(), furtherId), DeleteBlockResult::Deleted);
    EXPECT_EQ(house.section().findBlockById(furtherId), nullptr);
    EXPECT_EQ(house.block(eastId).neighbours[East], 0);
    EXPECT_EQ(deleteBlock(house.section(), eastId), DeleteBlockResult::Deleted);
    EXPECT_EQ(house.hall().neighbourCount(), 0);
    EXPECT_EQ(deleteBlock(house.section(), 1), DeleteBlockResult::InitialBlock);
    EXPECT_EQ(house.section().blocks().size(), 1u);

    EXPECT_STREQ(deleteRefusalMessage(DeleteBlockResult::InitialBlock),
                 "Can't delete the initial block!");
    EXPECT_STREQ(deleteRefusalMessage(DeleteBlockResult::InBetween),
                 "Can't delete blocks that are in between!");
    EXPECT_STREQ(deleteRefusalMessage(DeleteBlockResult::Deleted), "");
    EXPECT_STREQ(deleteRefusalMessage(DeleteBlockResult::NotFound), "");
}

TEST(BlockDelete, AddingAgainReusesTheSideAlignmentAndTheFreedName) {
    House house;
    house.hall().alignments[South] = {static_cast<std::int32_t>(AlignMode::End), 7};
    CBlock* first = addNeighbor(house.doc, 1, South, BlockKind::Room);
    const Rect firstRect = first->rect();
    ASSERT_EQ(deleteBlock(house.section(), first->id), DeleteBlockResult::Deleted);
    CBlock* again = addNeighbor(house.doc, 1, South, BlockKind::Room);
    EXPECT_EQ(again->alignments[North], (SideAlignment{2, -7}));
    EXPECT_EQ(again->rect(), firstRect);
    EXPECT_EQ(again->id, 3); // ids are never reused

    CBlock* r2 = addNeighbor(house.doc, 1, East, BlockKind::Room);
    CBlock* r3 = addNeighbor(house.doc, 1, North, BlockKind::Room);
    EXPECT_EQ(again->name, "I'm a room");
    EXPECT_EQ(r2->name, "I'm a room 2");
    EXPECT_EQ(r3->name, "I'm a room 3");
    ASSERT_EQ(deleteBlock(house.section(), r2->id), DeleteBlockResult::Deleted);
    EXPECT_EQ(addNeighbor(house.doc, 1, East, BlockKind::Room)->name, "I'm a room 2");
}

} // namespace
} // namespace ardenvo
