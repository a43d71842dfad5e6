#pragma once

#include "model/Geometry.h"

namespace ardenvo {

// The two frames a picture is fitted into; their stretched rectangles differ slightly.
enum class FrameStyle { Objects, Image };

// Where a picture of `width` x `height` goes in `frame`: at its natural size one pixel inside the
// frame's top-left corner when the frame is at least as large, otherwise the rectangle it is
// stretched into. `naturalSize` tells which.
struct PictureTarget {
    bool naturalSize = false;
    Rect rect;
};
PictureTarget pictureTarget(const Rect& frame, int width, int height, FrameStyle style);

// The stretched draw into `box`: scaled by the smaller of the two ratios (single precision, may
// exceed 1), anchored at the box's top-left corner, keeping the picture's proportions.
Rect fittedRect(const Rect& box, int width, int height);

// The rectangle the picture finally covers in the frame (both steps above).
Rect pictureRect(const Rect& frame, int width, int height, FrameStyle style);

} // namespace ardenvo
