#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include <functional>

class QPainter;

namespace ardenvo {

// The program's pictures are drawn in code. On a scaled screen (150 %, 200 %) a picture drawn at
// its size in widget pixels would be enlarged and blurred, so each is drawn at the screen's own
// pixels instead, `draw` always painting in widget pixels.
using PaintFn = std::function<void(QPainter&)>;

// A transparent pixmap of `size` widget pixels at `ratio` screen pixels to each, antialiased.
QPixmap paintedPixmap(QSize size, qreal ratio, const PaintFn& draw);
// The same at the scale of the primary screen, for pictures shown once in a dialog.
QPixmap paintedPixmap(QSize size, const PaintFn& draw);
// An icon of `size` widget pixels drawn for every usual screen scale (100 % to 300 %), from which
// Qt picks the one of the screen it is shown on.
QIcon paintedIcon(QSize size, const PaintFn& draw);

} // namespace ardenvo
