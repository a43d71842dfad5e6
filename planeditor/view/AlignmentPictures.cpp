#include "planeditor/view/AlignmentPictures.h"

#include <QPainter>
#include <QPen>

namespace ardenvo {

namespace {

// The sketch is worked out for the North side (neighbour above, block below, modes along x);
// the other sides mirror or transpose it.
QRect transposed(const QRect& r) {
    return QRect(r.top(), r.left(), r.height(), r.width());
}
QRect flippedVertically(const QRect& r, int size) {
    return QRect(r.left(), size - 1 - r.bottom(), r.width(), r.height());
}
QLine transposed(const QLine& l) {
    return QLine(l.y1(), l.x1(), l.y2(), l.x2());
}
QLine flippedVertically(const QLine& l, int size) {
    return QLine(l.x1(), size - 1 - l.y1(), l.x2(), size - 1 - l.y2());
}

AlignmentSketch northSketch(int mode, int size) {
    const int margin = size / 10;
    const int middle = size / 2;
    const int gap = size / 20 + 1;
    AlignmentSketch s;
    s.neighbour = QRect(QPoint(margin, margin), QPoint(size - 1 - margin, middle - gap));
    const int width = size * 9 / 20;
    int left = (size - width) / 2;
    int markerX = size / 2;
    if (mode == 0) {
        left = margin;
        markerX = margin;
    } else if (mode == 2) {
        left = size - margin - width;
        markerX = size - 1 - margin;
    }
    s.block = QRect(QPoint(left, middle + gap), QPoint(left + width - 1, size - 1 - margin));
    s.marker = QLine(markerX, 1, markerX, size - 2);
    return s;
}

} // namespace

AlignmentSketch alignmentSketch(int side, int mode, int size) {
    if (side < North || side > West)
        side = North;
    if (mode < 0 || mode > 2)
        mode = 1;
    AlignmentSketch s = northSketch(mode, size);
    // South: the neighbour below. West: the neighbour to the left, modes along y. East: both.
    if (side == West || side == East) {
        s.neighbour = transposed(s.neighbour);
        s.block = transposed(s.block);
        s.marker = transposed(s.marker);
    }
    if (side == South) {
        s.neighbour = flippedVertically(s.neighbour, size);
        s.block = flippedVertically(s.block, size);
        s.marker = flippedVertically(s.marker, size);
    } else if (side == East) {
        // Mirror left to right, keeping top and bottom.
        auto mirror = [size](const QRect& r) {
            return QRect(size - 1 - r.right(), r.top(), r.width(), r.height());
        };
        s.neighbour = mirror(s.neighbour);
        s.block = mirror(s.block);
        s.marker =
            QLine(size - 1 - s.marker.x1(), s.marker.y1(), size - 1 - s.marker.x2(), s.marker.y2());
    }
    return s;
}

QImage alignmentPicture(int side, int mode, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const AlignmentSketch s = alignmentSketch(side, mode, size);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(QColor(218, 218, 218));
    painter.drawRect(s.neighbour.adjusted(0, 0, -1, -1));
    painter.setBrush(QColor(255, 188, 121));
    painter.drawRect(s.block.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(QColor(220, 0, 0), 1, Qt::DashLine));
    painter.drawLine(s.marker);
    return image;
}

} // namespace ardenvo
