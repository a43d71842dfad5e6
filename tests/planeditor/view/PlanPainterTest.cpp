#include "PlanViewTestSupport.h"

#include "widgets/PlanPainter.h"

using namespace ardenvo;
using ardenvo::test::PlanViewTest;

namespace {

QRgb rgbOf(ColorRef c) {
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}
QRgb inverted(ColorRef c) {
    return qRgb(255 - redOf(c), 255 - greenOf(c), 255 - blueOf(c));
}

int pixelsOfColour(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

} // namespace

TEST(PlanColours, HintIsDarkerPerChannelAndObjectNamesContrast) {
    // Channels below 32 stop at 0 instead of borrowing from their neighbour.
    EXPECT_EQ(hintColor(rgb(10, 100, 200)), rgb(0, 68, 168));
    EXPECT_EQ(hintColor(0), 0u);
    EXPECT_EQ(objectNameColor(rgb(200, 100, 250)), rgb(0, 255, 0));
    EXPECT_EQ(objectNameColor(rgb(195, 196, 0)), rgb(255, 0, 255));
}

TEST_F(PlanViewTest, DrawsBackgroundBlockEdgesAndCompass) {
    const QImage& image = view->backBuffer();
    ASSERT_EQ(image.size(), QSize(800, 600));
    EXPECT_EQ(image.pixel(799, 599), rgbOf(kDefaultSectionBackground));

    const Rect s = transform().toScreen(block(1).rect());
    EXPECT_EQ(image.pixel(s.left + 3, s.bottom - 3), rgbOf(kHallColor));
    // A free side has its edge: white to the north and west, black to the east and south.
    EXPECT_EQ(image.pixel(s.left, s.top + 20), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(s.right, s.top + 20), qRgb(0, 0, 0));

    // The compass needle pointing north, and the section's title beside it.
    EXPECT_EQ(image.pixel(50, 30), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(50, 60), rgbOf(kDefaultSectionBackground));
    EXPECT_GT(pixelsOfColour(image, QRect(100, 8, 120, 20), qRgb(200, 255, 200)), 5);
    // The name and the hint show inside the block.
    const QRect inside(s.left, s.top, s.right - s.left, s.bottom - s.top);
    EXPECT_GT(pixelsOfColour(image, inside, qRgb(125, 125, 125)), 0);
    EXPECT_GT(pixelsOfColour(image, inside, rgbOf(hintColor(kHallColor))), 0);
}

TEST_F(PlanViewTest, AttachedSidesStayOpenAndTheSelectionShowsItsHandles) {
    addNeighbor(doc, 1, East, BlockKind::Room);
    click(centreOf(1));
    const QImage& image = view->backBuffer();
    const Rect s = transform().toScreen(block(1).rect());
    EXPECT_NE(image.pixel(s.right, s.bottom - 8), qRgb(0, 0, 0));
    // Handle squares of the selected block are inverted.
    EXPECT_EQ(image.pixel(s.left + 2, s.bottom - 3), inverted(kHallColor));
    const auto marks = blockHandlePoints(s);
    EXPECT_EQ(image.pixel(marks[12].x, marks[12].y + 1), inverted(kHallColor));
    // The room is not selected: no inverted corner.
    const Rect r = transform().toScreen(section().blocks()[1]->rect());
    EXPECT_EQ(image.pixel(r.right - 2, r.bottom - 2), rgbOf(kRoomColor));
}

TEST_F(PlanViewTest, ObjectsDrawInTheirColourAndTheChosenOneOnTop) {
    CHouseObject& below = addObject(1, {10, 10, 100, 100});
    below.color = rgb(0, 0, 255);
    CHouseObject& above = addObject(1, {50, 50, 140, 140});
    above.color = rgb(255, 0, 0);
    view->fitToWindow();
    const QPoint overlap = screenOf(100 + 55, 100 + 95);
    EXPECT_EQ(view->backBuffer().pixel(overlap), rgbOf(above.color));

    // Picking the lower one up brings it to the top of the drawing and inverts its handles.
    const QPoint onBelow = screenOf(100 + 15, 100 + 95);
    click(onBelow);
    click(onBelow);
    ASSERT_TRUE(below.selected);
    const QImage& image = view->backBuffer();
    EXPECT_EQ(image.pixel(overlap), rgbOf(below.color));
    const ScreenTransform t = transform();
    const Rect o = objectScreenRect(t, t.toScreen(block(1).rect()), below.location.rect);
    EXPECT_EQ(image.pixel(o.right - 2, o.bottom - 2), inverted(below.color));
}
