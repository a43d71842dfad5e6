#pragma once

#include <QIcon>
#include <QPixmap>

namespace ardenvo {

// The program's own pictures, drawn here at run time so that no bitmap has to be shipped.
enum class ToolIcon {
    New,
    Open,
    Save,
    Undo,
    Redo,
    ScrollEast,
    ScrollWest,
    ScrollNorth,
    ScrollSouth,
    Center,
    ActualSize,
    ZoomIn,
    ZoomOut,
    Sections,
    Tobrin,
    Print,
    About,
};

// A 16 x 16 toolbar picture.
QPixmap toolPixmap(ToolIcon icon);
QIcon toolIcon(ToolIcon icon);
// The program's icon (a small house), in the given square size (widget pixels, drawn at the
// primary screen's scale); as an icon for every scale.
QPixmap housePixmap(int size);
QIcon houseIcon(int size);
QIcon appIcon();

} // namespace ardenvo
