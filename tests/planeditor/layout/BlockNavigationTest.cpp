#include "planeditor/layout/BlockNavigation.h"

#include <gtest/gtest.h>

#include <climits>

namespace ardenvo {
namespace {

// A section of loose blocks (ids from 1) at the given places, none linked.
struct Plan {
    CSection section;
    std::vector<std::int32_t> ids;
    explicit Plan(std::initializer_list<Rect> rects) {
        section.clearBlocks();
        std::int32_t id = 0;
        for (const Rect& r : rects) {
            auto block = CBlock::create(BlockKind::Room, r);
            block->id = ++id;
            section.appendBlockAsStored(std::move(block));
            ids.push_back(id);
        }
    }
    CBlock& block(std::int32_t id) { return *section.findBlockById(id); }
};

TEST(BlockNavigation, TheAttachedNeighbourComesFirstThenTheNearestThatWay) {
    // 1 in the middle; 2 just east of it; 3 far east but attached to 1's east side; 4 south-east
    // of 1, nearer than 3 but off to the side; 5 far south.
    Plan plan{{0, 0, 100, 100},
              {110, 0, 210, 100},
              {900, 0, 1000, 100},
              {200, 130, 300, 230},
              {0, 2000, 100, 2100}};
    plan.block(1).neighbours[East] = 3;
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 1, East), 3);
    // Without the link the nearest straight ahead wins over a nearer one off to the side.
    plan.block(1).neighbours[East] = 0;
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 1, East), 2);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 2, West), 1);
    // Nothing straight ahead to the south of 2 but 4; from 1 the far 5 is ahead and 4 is not.
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 2, South), 4);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 1, South), 5);
    // Of two straight ahead the nearer one.
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 5, North), 4);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 4, North), 2);
    // Nothing lies north of 1, nor west of it.
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 1, North), 0);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 1, West), 0);
}

TEST(BlockNavigation, OnlyCandidatesCountAndBadInputGivesNone) {
    Plan plan{{0, 0, 100, 100}, {110, 0, 210, 100}, {300, 0, 400, 100}};
    // A link to a block without a figure, or to a block that is not there, is passed over.
    plan.block(1).neighbours[East] = 2;
    EXPECT_EQ(blockTowards(plan.section, {1, 3}, 1, East), 3);
    plan.block(1).neighbours[East] = 77;
    EXPECT_EQ(blockTowards(plan.section, {1, 77, 2}, 1, East), 2);
    // A block linked to itself (a damaged file) does not keep the keyboard in place.
    plan.block(3).neighbours[West] = 3;
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 3, West), 2);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 42, East), 0);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 1, 4), 0);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 1, -1), 0);
    EXPECT_EQ(blockTowards(plan.section, {}, 1, East), 0);

    // Off to the side is still better than nothing at all.
    Plan aside{{0, 0, 100, 100}, {500, 110, 600, 210}};
    EXPECT_EQ(blockTowards(aside.section, aside.ids, 1, South), 2);
}

TEST(BlockNavigation, FarOutBlocksDoNotOverflow) {
    Plan plan{{INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10},
              {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX},
              {INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 10}};
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 1, East), 3);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 1, South), 2);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 2, North), 3);
    EXPECT_EQ(blockTowards(plan.section, plan.ids, 2, West), 1);
}

} // namespace
} // namespace ardenvo
