#include "planeditor/layout/PlanGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace ardenvo;

namespace {

std::unique_ptr<CBlock> hallAt(const Rect& r) {
    auto block = CBlock::create(BlockKind::Hall, r);
    block->setRect(r);
    return block;
}

void addObject(CBlock& block, const Rect& r) {
    auto o = std::make_unique<CHouseObject>();
    o->location.rect = r;
    block.addFloorObject(std::move(o));
}

} // namespace

TEST(PlanTransform, MapsBothWaysWithTruncationTowardZero) {
    const ScreenTransform t{0.5, 10, -20};
    EXPECT_EQ(t.toScreenX(91), 50);  // trunc(0.5 * 101)
    EXPECT_EQ(t.toScreenY(21), 0);   // trunc(0.5 * 1)
    EXPECT_EQ(t.toScreenX(-13), -1); // trunc(-1.5), not floor
    EXPECT_EQ(t.toModelX(50), 90);   // trunc(100) - 10
    EXPECT_EQ(t.toModelY(-3), 14);   // trunc(-6) + 20
    EXPECT_EQ(ScreenTransform({2.0, 0, 0}).toScreen(Rect{1, 2, 3, 4}), (Rect{2, 4, 6, 8}));
}

TEST(PlanTransform, DamagedZoomAndHugeCoordinatesStayUsable) {
    for (double bad : {0.0, -2.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        const ScreenTransform t{bad, 0, 0};
        EXPECT_EQ(t.usableZoom(), 1.0) << bad;
        EXPECT_EQ(t.toModelX(100), 100);
    }
    const ScreenTransform t{100.0, std::numeric_limits<std::int32_t>::max(), 0};
    EXPECT_EQ(t.toScreenX(std::numeric_limits<std::int32_t>::max()), kScreenLimit);
    EXPECT_EQ(ScreenTransform({1.0, std::numeric_limits<std::int32_t>::min(), 0})
                  .toScreenX(std::numeric_limits<std::int32_t>::min()),
              -kScreenLimit);
    EXPECT_EQ(addOffset(std::numeric_limits<std::int32_t>::max() - 10, 60),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(addOffset(5, -60), -55);
}

TEST(PlanTransform, ObjectsSitOnTheirBlockAndPointsMapBackIntoIt) {
    const ScreenTransform t{0.5, 0, 0};
    const Rect block = t.toScreen(Rect{100, 100, 250, 250}); // (50, 50, 125, 125)
    EXPECT_EQ(objectScreenRect(t, block, Rect{10, 10, 70, 70}), (Rect{55, 55, 85, 85}));
    EXPECT_EQ(pointInBlock(t, block, ScreenPoint{60, 53}), (ScreenPoint{20, 6}));
}

TEST(PlanHandles, SitOnCornersMidpointsAndAlignmentMarks) {
    const Rect s{0, 0, 100, 50};
    const auto p = blockHandlePoints(s);
    EXPECT_EQ(p[1], (ScreenPoint{50, 0}));
    EXPECT_EQ(p[4], (ScreenPoint{100, 25}));
    EXPECT_EQ(p[7], (ScreenPoint{100, 50}));
    EXPECT_EQ(p[8], (ScreenPoint{40, 5}));   // 9: north, start
    EXPECT_EQ(p[12], (ScreenPoint{90, 25})); // 13: east, centre
    EXPECT_EQ(p[16], (ScreenPoint{60, 45})); // 17: south, end
    EXPECT_EQ(p[19], (ScreenPoint{10, 30})); // 20: west, end

    const auto o = objectHandlePoints(Rect{10, 10, 31, 21});
    EXPECT_EQ(o[1], (ScreenPoint{20, 10}));
    EXPECT_EQ(o[6], (ScreenPoint{20, 21}));
}

TEST(PlanHandles, HitSquaresHaveTheirSizesAndTheFirstHandleWins) {
    const Rect s{100, 100, 300, 200};
    EXPECT_EQ(blockHandleAt(s, {95, 95}), 1);
    EXPECT_EQ(blockHandleAt(s, {105, 100}), 0); // the square's right edge is outside
    EXPECT_EQ(blockHandleAt(s, {300, 150}), 5);
    EXPECT_EQ(blockHandleAt(s, {280, 150}), 13); // east centre mark at (R - w/10, cy)
    EXPECT_EQ(blockHandleAt(s, {283, 150}), 0);  // alignment marks are only +-3
    EXPECT_EQ(blockHandleAt(s, {200, 150}), 0);

    // In a tiny block the squares overlap: the lowest number is taken.
    EXPECT_EQ(blockHandleAt(Rect{0, 0, 4, 4}, {2, 2}), 1);

    EXPECT_EQ(objectHandleAt(Rect{10, 10, 50, 50}, {52, 52}), 8);
    EXPECT_EQ(objectHandleAt(Rect{10, 10, 50, 50}, {54, 54}), 0);
}

TEST(PlanBlockDrag, EdgesStopAtTheObjectsMarginWhileTheOtherDimensionFollows) {
    auto block = hallAt({100, 100, 250, 250});
    addObject(*block, {10, 10, 70, 70}); // minimum size 80 x 80

    // Corner 8 inward: x would leave 50 (< 80), y leaves 100.
    EXPECT_TRUE(applyBlockHandle(*block, 8, 150, 200));
    EXPECT_EQ(block->rect(), (Rect{100, 100, 250, 200}));
    // Exactly the minimum is allowed.
    EXPECT_TRUE(applyBlockHandle(*block, 5, 180, 0));
    EXPECT_EQ(block->rect(), (Rect{100, 100, 180, 200}));
    // Corner 1 past the right edge: nothing is written, nothing inverts.
    EXPECT_FALSE(applyBlockHandle(*block, 1, 400, 400));
    EXPECT_EQ(block->rect(), (Rect{100, 100, 180, 200}));
    // Corner 1 outward moves left and top.
    EXPECT_TRUE(applyBlockHandle(*block, 1, 50, 60));
    EXPECT_EQ(block->rect(), (Rect{50, 60, 180, 200}));
    // Handle 2 moves only the top.
    EXPECT_TRUE(applyBlockHandle(*block, 2, 999, 70));
    EXPECT_EQ(block->rect(), (Rect{50, 70, 180, 200}));
}

TEST(PlanBlockDrag, AlignmentMarksSetTheSidesModeAndKeepTheShift) {
    auto block = hallAt({0, 0, 150, 150});
    block->alignments[East] = {1, 25};
    EXPECT_TRUE(applyBlockHandle(*block, 12, 0, 0));
    EXPECT_EQ(block->alignments[East], (SideAlignment{0, 25}));
    EXPECT_FALSE(applyBlockHandle(*block, 12, 0, 0)); // already Start
    EXPECT_TRUE(applyBlockHandle(*block, 17, 0, 0));
    EXPECT_EQ(block->alignments[South].mode, 2);
    EXPECT_EQ(block->rect(), (Rect{0, 0, 150, 150}));
}

TEST(PlanObjectDrag, ResizeNormalisesAndKeepsTheMargin) {
    const Size block{150, 150};
    // Right edge dragged past the left one: the rectangle turns round.
    EXPECT_EQ(applyObjectHandle({40, 40, 80, 80}, 5, {20, 0}, block), (Rect{20, 40, 40, 80}));
    // Corner 8 far out: held 10 inside the block.
    EXPECT_EQ(applyObjectHandle({40, 40, 80, 80}, 8, {500, 500}, block), (Rect{40, 40, 140, 140}));
    // Corner 1 out of the block to the north-west.
    EXPECT_EQ(applyObjectHandle({40, 40, 80, 80}, 1, {-30, 2}, block), (Rect{10, 10, 80, 80}));
    // A block narrower than two margins never yields an inverted rectangle.
    const Rect r = clampObjectRect({10, 10, 70, 70}, Size{15, 15});
    EXPECT_LE(r.left, r.right);
    EXPECT_LE(r.top, r.bottom);
    // An object lying wholly outside the block (a damaged file) is pulled in.
    const Rect out = clampObjectRect({500, 500, 600, 600}, block);
    EXPECT_EQ(out, (Rect{140, 140, 140, 140}));
}

TEST(PlanObjectDrag, MovePushesBackInsideAndKeepsTheSize) {
    const Size block{150, 150};
    EXPECT_EQ(moveObject({10, 10, 70, 70}, 20, 30, block), (Rect{30, 40, 90, 100}));
    EXPECT_EQ(moveObject({10, 10, 70, 70}, 500, -500, block), (Rect{80, 10, 140, 70}));
    // Larger than the block: it lands at the north-west margin and is trimmed.
    EXPECT_EQ(moveObject({10, 10, 310, 70}, 5, 0, block), (Rect{10, 10, 140, 70}));
    // Hostile values do not overflow.
    const Rect r = moveObject({0, 0, 10, 10}, std::numeric_limits<std::int32_t>::max(), 0, block);
    EXPECT_EQ(r, (Rect{130, 10, 140, 20}));
}

TEST(PlanFit, LargeHousesShrinkToTheNarrowerRatioButNotBelowTheFloor) {
    // 2000 x 1000 in 800 x 600: 0.4 wide, 0.6 high -> 0.4.
    EXPECT_DOUBLE_EQ(fitTransform({0, 0, 2000, 1000}, 800, 600).zoom, 0.4 * 0.95);
    EXPECT_DOUBLE_EQ(fitTransform({0, 0, 1000, 2000}, 800, 600).zoom, 0.3 * 0.95);
    EXPECT_DOUBLE_EQ(fitTransform({0, 0, 100000, 100000}, 800, 600).zoom, 0.2 * 0.95);
    // The box centre lands at the window centre.
    const ScreenTransform t = fitTransform({-500, 300, 1500, 1300}, 800, 600);
    EXPECT_NEAR(t.toScreenX(500), 400, 1);
    EXPECT_NEAR(t.toScreenY(800), 300, 1);
}

TEST(PlanFit, NothingToFitDoesNotShrinkTheZoomAgainAndAgain) {
    EXPECT_DOUBLE_EQ(fitTransform({50, 50, 50, 50}, 800, 600).zoom, 0.95);
    // A hostile box spanning the whole int range still gives finite offsets.
    const ScreenTransform wide = fitTransform(
        {std::numeric_limits<std::int32_t>::min(), 0, std::numeric_limits<std::int32_t>::max(), 10},
        800, 600);
    EXPECT_DOUBLE_EQ(wide.zoom, 0.19);
}

TEST(PlanFit, ZoomKeepsTheWindowCentreInPlace) {
    const ScreenTransform before{0.8, 120, -40};
    const std::int32_t cx = before.toModelX(400);
    const std::int32_t cy = before.toModelY(300);
    const ScreenTransform after = zoomAroundCentre(before, 1.0, 800, 600);
    EXPECT_DOUBLE_EQ(after.zoom, 1.0);
    EXPECT_NEAR(after.toModelX(400), cx, 2);
    EXPECT_NEAR(after.toModelY(300), cy, 2);
}
