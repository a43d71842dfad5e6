#pragma once

#include "model/CBlock.h"
#include "widgets/PlanPainter.h"

#include <QImage>
#include <QRect>

#include <string>

namespace ardenvo {

// Pixels per centimetre that fit a block of Wb x Hb cm into an area of Wa x Ha pixels, never
// above 1: the preview never enlarges a block.
double fitScale(int areaWidth, int areaHeight, int blockWidth, int blockHeight);

// Where the sliders may carry an object's centre: 10 cm plus half its size from the walls. An
// object too large for that has an empty range on that axis and cannot move along it.
struct SliderRange {
    int minimum = 0;
    int maximum = 0;
    bool usable() const { return minimum <= maximum; }
};
struct SliderSetup {
    SliderRange horizontal;
    SliderRange vertical;
    int centreX = 0;
    int centreY = 0;
};
SliderSetup slidersFor(const Rect& object, Size block);
// The object centred at slider position v on one axis, keeping twice its half extent (an odd
// extent loses a centimetre, as the sliders have always done).
Rect movedHorizontally(const Rect& object, int v);
Rect movedVertically(const Rect& object, int v);

// The scaled drawing of one block with its floor objects, drawn by the plan's own block drawing.
class LocationPreview {
public:
    // Fits the block into `area` (widget pixels); the preview rectangle starts at its top-left.
    // The bitmap, in the screen's pixels (`devicePixelRatio` to each widget pixel), is drawn at
    // the next render().
    void layout(CBlock* block, const QRect& area, qreal devicePixelRatio = 1.0);
    CBlock* block() const { return m_block; }
    double scale() const { return m_scale; }
    // The preview rectangle P, in the same pixels as the area.
    const QRect& previewRect() const { return m_preview; }
    // Draws the block into the bitmap (call after every change of the block's objects).
    void render();
    const QImage& bitmap() const { return m_bitmap; }

    // The floor object at (x, y), relative to P, moved to the end of the floor list so it is drawn
    // on top; null when none. What is drawn on top is what the click takes.
    CHouseObject* hitTest(int x, int y);
    // The first floor object of that exact name moved to the end of the floor list; its floor
    // index, or -1 (and no change) when none bears it.
    int bringToFrontByName(const std::string& name);

private:
    CBlock* m_block = nullptr;
    double m_scale = 1.0;
    QRect m_preview;
    QImage m_bitmap;
    PlanPainter m_painter;
};

} // namespace ardenvo
