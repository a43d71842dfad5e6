#include "planeditor/layout/PlanDrag.h"
#include "planeditor/layout/BlockLayout.h"

#include <gtest/gtest.h>

using namespace ardenvo;

namespace {

// A house of a 150 x 150 hall at (100, 100) with a room to its east, seen at zoom 1 without
// offsets, so screen points are model points.
class PlanDragTest : public testing::Test {
protected:
    void SetUp() override {
        installLayout(doc);
        room = addNeighbor(doc, 1, East, BlockKind::Room);
        ASSERT_NE(room, nullptr);
        hall().selected = 1;
    }
    CSection& section() { return *doc.currentSection(); }
    CBlock& hall() { return *section().findBlockById(1); }
    ScreenPoint handle(int code) {
        return blockHandlePoints(t.toScreen(hall().rect()))[static_cast<std::size_t>(code - 1)];
    }
    CHouseObject& addObject(const Rect& r) {
        auto o = std::make_unique<CHouseObject>();
        o->location.rect = r;
        CHouseObject& added = hall().addFloorObject(std::move(o));
        added.selected = 1;
        return added;
    }

    CBrenvikaDoc doc;
    CBlock* room = nullptr;
    const ScreenTransform t{1.0, 0, 0};
    PlanDrag drag;
};

} // namespace

TEST_F(PlanDragTest, HoverFindsTheHandleAndAPressOffEveryHandleIsAClick) {
    EXPECT_FALSE(drag.hover(nullptr, t, {100, 100})); // nothing selected: no handle, no change
    EXPECT_TRUE(drag.hover(&hall(), t, handle(8)));
    EXPECT_EQ(drag.handle(), 8);
    EXPECT_FALSE(drag.hover(&hall(), t, handle(8))); // same handle: nothing to update
    EXPECT_TRUE(drag.hover(&hall(), t, {175, 175}));
    EXPECT_EQ(drag.handle(), 0);
    EXPECT_FALSE(drag.pressHandle(&hall(), {175, 175}));
    EXPECT_FALSE(drag.active());

    // The selected object's handles are negative and come after the block's.
    addObject({20, 20, 60, 60});
    EXPECT_TRUE(drag.hover(&hall(), t, {160, 160}));
    EXPECT_EQ(drag.handle(), -8);
    EXPECT_TRUE(drag.pressHandle(&hall(), {160, 160}));
    EXPECT_EQ(drag.mode(), PlanDrag::Mode::ObjectResize);
    EXPECT_STREQ(drag.name(), "Resize");
}

TEST_F(PlanDragTest, ABlockDragCarriesTheNeighbourAndEscapeRestoresBoth) {
    const Rect hallBefore = hall().rect();
    const Rect roomBefore = room->rect();
    drag.hover(&hall(), t, handle(5));
    ASSERT_TRUE(drag.pressHandle(&hall(), handle(5)));
    EXPECT_EQ(drag.mode(), PlanDrag::Mode::Block);
    EXPECT_EQ(drag.moveTo(&section(), t, {310, 175}), PlanDrag::Step::BlockChanged);
    EXPECT_EQ(hall().rect().right, 310);
    EXPECT_EQ(room->rect().left, roomBefore.left + 60);
    // A point that changes nothing (the same again) asks for no redraw.
    EXPECT_EQ(drag.moveTo(&section(), t, {310, 175}), PlanDrag::Step::None);

    drag.cancel(&section());
    EXPECT_FALSE(drag.active());
    EXPECT_EQ(drag.handle(), 0);
    EXPECT_EQ(hall().rect(), hallBefore);
    EXPECT_EQ(room->rect(), roomBefore);
}

TEST_F(PlanDragTest, AReleaseTellsWhetherAnythingChanged) {
    drag.hover(&hall(), t, handle(5));
    drag.pressHandle(&hall(), handle(5));
    PlanDrag::Release r = drag.release(&section(), t, handle(5));
    EXPECT_FALSE(r.changed); // a click on a handle is no edit
    EXPECT_FALSE(drag.active());

    drag.hover(&hall(), t, handle(15)); // south, Start: a click sets the mode
    drag.pressHandle(&hall(), handle(15));
    r = drag.release(&section(), t, handle(15));
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(r.step, PlanDrag::Step::BlockChanged);
    EXPECT_EQ(hall().alignments[South].mode, 0);
}

TEST_F(PlanDragTest, AnObjectMoveIsMeasuredFromThePressAndStaysInside) {
    CHouseObject& object = addObject({20, 20, 60, 60});
    const ScreenTransform fine{2.0, 0, 0}; // a pixel is half a centimetre
    drag.beginMove(hall(), object, {280, 280});
    EXPECT_STREQ(drag.name(), "Move");
    // Twenty one-pixel steps add up to ten centimetres, none of them lost to truncation.
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(drag.moveTo(&section(), fine, {280 + i, 280}), PlanDrag::Step::Redraw);
    EXPECT_EQ(object.location.rect.left, 30);
    drag.moveTo(&section(), fine, {5000, 5000});
    EXPECT_EQ(object.location.rect, (Rect{100, 100, 140, 140}));
    EXPECT_TRUE(drag.release(&section(), fine, {5000, 5000}).changed);
    EXPECT_STREQ(drag.name(), "Move"); // still named after it ended, for the undo step
}

TEST_F(PlanDragTest, ADragWhoseBlockWentAwayEndsQuietly) {
    drag.hover(&hall(), t, handle(5));
    drag.pressHandle(&hall(), handle(5));
    EXPECT_EQ(drag.moveTo(nullptr, t, {300, 175}), PlanDrag::Step::Lost); // no section left
    EXPECT_FALSE(drag.active());
    EXPECT_EQ(drag.moveTo(&section(), t, {300, 175}), PlanDrag::Step::None);
    EXPECT_FALSE(drag.release(nullptr, t, {300, 175}).changed);
}
