#pragma once

#include "model/Geometry.h"

#include <QImage>
#include <QRect>

namespace ardenvo {

// The pictures of the Reposition dialog's radio buttons. Each shows the block (orange) beside its
// neighbour (grey) on the given side, lined up as the mode says, with the lined-up edges or
// centres marked by a red line.
struct AlignmentSketch {
    QRect neighbour;
    QRect block;
    QLine marker;
};

// Where the two blocks and the marker lie in a size x size picture. Sides outside 0-3 are taken
// as North, modes outside 0-2 as Center.
AlignmentSketch alignmentSketch(int side, int mode, int size);

// The picture itself, transparent around the blocks.
QImage alignmentPicture(int side, int mode, int size = 40);

} // namespace ardenvo
