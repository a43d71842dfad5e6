// Sections as a damaged or hostile file can leave them: the relayout must end and stay sane.
#include "model/ProjectFile.h"
#include "planeditor/layout/BlockLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace ardenvo {
namespace {

// A section of `count` blocks as a reader would append them, 100 x 100 each, unlinked.
std::unique_ptr<CSection> storedSection(int count) {
    auto section = std::make_unique<CSection>();
    section->clearBlocks();
    for (int i = 1; i <= count; ++i) {
        auto block = CBlock::create(BlockKind::Hall, {0, 0, 100, 100});
        block->id = i;
        section->appendBlockAsStored(std::move(block));
    }
    section->nextBlockId = count + 1;
    return section;
}

TEST(DamagedLinks, AFileWithBrokenLinksLoadsAndRelaysOut) {
    // Written from a house whose links were then damaged, read back as any file would be.
    CBrenvikaDoc written;
    installLayout(written);
    CBlock* east = addNeighbor(written, 1, East, BlockKind::Room);
    CBlock* south = addNeighbor(written, east->id, South, BlockKind::Hall);
    south->neighbours[East] = 1;                                       // a cycle back to the hall
    south->neighbours[South] = south->id;                              // itself
    east->neighbours[North] = 4000;                                    // nobody
    written.currentSection()->blockAt(0)->neighbours[West] = east->id; // the hall twice to 2
    const std::string bytes = writeProject(written);

    CBrenvikaDoc doc;
    ASSERT_EQ(readProject(bytes, doc), FileError::None);
    CSection& s = *doc.currentSection();
    ASSERT_EQ(s.blocks().size(), 3u);
    s.blockAt(0)->setRect({0, 0, 150, 150});
    relayoutFrom(s, 1);
    EXPECT_EQ(s.blockAt(0)->rect(), (Rect{0, 0, 150, 150}));
    // The room is placed once, east of the hall (its first link), never again from the west.
    EXPECT_EQ(s.blockAt(1)->rect(), (Rect{151, -125, 551, 275}));
    EXPECT_EQ(s.blockAt(2)->rect(), (Rect{276, 276, 426, 426}));
    for (int start = 1; start <= 3; ++start)
        relayoutFrom(s, start); // ends, whichever block it starts from
}

TEST(DamagedLinks, AVeryLongChainDoesNotExhaustTheStack) {
    constexpr int kCount = 200'000;
    auto s = storedSection(kCount);
    for (int i = 0; i + 1 < kCount; ++i) {
        s->blockAt(i)->neighbours[South] = i + 2;
        s->blockAt(i + 1)->neighbours[North] = i + 1;
    }
    relayoutFrom(*s, 1);
    EXPECT_EQ(s->findBlockById(kCount)->rect().top, (kCount - 1) * 101);
}

TEST(DamagedLinks, ExtremeCoordinatesAndShiftsAreClamped) {
    auto s = storedSection(2);
    s->findBlockById(1)->neighbours[East] = 2;
    s->findBlockById(1)->setRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    s->findBlockById(1)->alignments[East] = {0, INT_MIN};
    s->findBlockById(2)->setRect({INT_MIN, 0, INT_MAX, 10});
    relayoutFrom(*s, 1);
    const CBlock& placed = *s->findBlockById(2);
    EXPECT_EQ(placed.alignments[West].shift, INT_MAX);
    EXPECT_EQ(placed.rect().right, INT_MAX);
    EXPECT_GE(placed.rect().left, 0); // pushed east of a block spanning the whole plane
}

} // namespace
} // namespace ardenvo
