#include "catalogue/LocationPreview.h"

#include <gtest/gtest.h>

using namespace ardenvo;

TEST(LocationPreviewTest, FitScaleNeverEnlargesAndLaysOutTheTruncatedRectangle) {
    EXPECT_DOUBLE_EQ(fitScale(400, 400, 800, 400), 0.5);
    EXPECT_DOUBLE_EQ(fitScale(400, 400, 100, 100), 1.0);
    EXPECT_DOUBLE_EQ(fitScale(400, 400, 0, -5), 1.0); // a damaged block divides by nothing

    CRoom room(Rect{0, 0, 800, 400});
    LocationPreview preview;
    preview.layout(&room, QRect(10, 20, 400, 400));
    EXPECT_EQ(preview.previewRect(), QRect(10, 20, 400, 200));
    EXPECT_EQ(preview.bitmap().size(), QSize(400, 200));
}

TEST(LocationPreviewTest, SliderRangesKeepTenCentimetresAndOddExtentsLoseOne) {
    const SliderSetup s = slidersFor(Rect{70, 10, 130, 50}, Size{300, 200});
    EXPECT_EQ(s.horizontal.minimum, 40);
    EXPECT_EQ(s.horizontal.maximum, 260);
    EXPECT_EQ(s.vertical.minimum, 30);
    EXPECT_EQ(s.vertical.maximum, 170);
    EXPECT_EQ(s.centreX, 100);

    // 61 wide centred at 100, moved to 150.
    EXPECT_EQ(movedHorizontally(Rect{70, 0, 131, 10}, 150), (Rect{120, 0, 180, 10}));
    EXPECT_EQ(movedVertically(Rect{0, 10, 10, 30}, 50), (Rect{0, 40, 10, 60}));

    // Too large to move along an axis.
    EXPECT_FALSE(slidersFor(Rect{0, 0, 290, 20}, Size{300, 200}).horizontal.usable());
    EXPECT_TRUE(slidersFor(Rect{0, 0, 280, 20}, Size{300, 200}).horizontal.usable());
}

TEST(LocationPreviewTest, ClicksTakeTheObjectDrawnOnTopAndBringItToTheFront) {
    CRoom room(Rect{0, 0, 400, 400});
    auto add = [&](const char* name, Rect r) -> CHouseObject& {
        auto o = std::make_unique<CHouseObject>();
        o->name = name;
        o->location.rect = r;
        o->color = rgb(10, 200, 30);
        return room.addFloorObject(std::move(o));
    };
    CHouseObject& under = add("Under", {10, 10, 110, 110});
    CHouseObject& over = add("Over", {60, 60, 160, 160});
    LocationPreview preview;
    preview.layout(&room, QRect(0, 0, 200, 200)); // u = 0.5

    // (40, 40) pixels is (80, 80) cm: both objects; the one drawn last wins.
    EXPECT_EQ(preview.hitTest(40, 40), &over);
    EXPECT_EQ(preview.hitTest(10, 10), &under);
    EXPECT_EQ(room.floorObjects().back().get(), &under);
    EXPECT_EQ(under.floorIndex, 0); // indexes are not renumbered
    EXPECT_EQ(preview.hitTest(90, 10), nullptr);
    // Right and bottom edges are outside: 55 px is 110 cm.
    EXPECT_EQ(preview.hitTest(55, 20), nullptr);

    EXPECT_EQ(preview.bringToFrontByName("Over"), 1);
    EXPECT_EQ(room.floorObjects().back().get(), &over);
    EXPECT_EQ(preview.bringToFrontByName("Nobody"), -1);

    // The plan's drawing at the preview's scale: the object's colour where it stands.
    preview.render();
    EXPECT_EQ(preview.bitmap().pixelColor(75, 75), QColor(10, 200, 30));
}

TEST(LocationPreviewTest, NamesAtThePreviewsEdgesAreMovedInsideWhole) {
    // The same narrow object with a long name in the middle, then against each edge: the
    // name shows as many pixels everywhere.
    const auto namePixels = [](Rect at) {
        CRoom room(Rect{0, 0, 400, 200});
        auto o = std::make_unique<CHouseObject>();
        o->name = "Bookshelf with the atlas";
        o->location.rect = at;
        o->color = rgb(200, 40, 200); // its name in green
        room.addFloorObject(std::move(o));
        LocationPreview preview;
        preview.layout(&room, QRect(0, 0, 400, 200));
        preview.render();
        const QImage& image = preview.bitmap();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == QColor(0, 255, 0);
        return n;
    };
    const int middle = namePixels({100, 20, 120, 80});
    EXPECT_GT(middle, 30);
    EXPECT_EQ(namePixels({380, 20, 400, 80}), middle);
    EXPECT_EQ(namePixels({0, 20, 20, 80}), middle);
    EXPECT_EQ(namePixels({100, 196, 120, 200}), middle);
}
