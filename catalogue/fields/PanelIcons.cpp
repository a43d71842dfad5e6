#include "catalogue/fields/PanelIcons.h"

#include "widgets/PaintedIcon.h"

#include <QPainter>
#include <QPixmap>

namespace ardenvo {

namespace {

// A small sheet with ruled lines, the mark drawn over its lower right corner by `mark`.
template <typename Mark> QIcon sheetIcon(Mark mark) {
    return paintedIcon({16, 16}, [mark](QPainter& p) {
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 10, 12));
        p.setPen(QPen(QColor(150, 170, 200), 1));
        for (int y = 4; y <= 10; y += 2)
            p.drawLine(QPointF(3.5, y + 0.5), QPointF(9.5, y + 0.5));
        mark(p);
    });
}

} // namespace

QIcon addFieldIcon() {
    return sheetIcon([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 140, 50));
        p.drawRect(QRectF(10, 7, 3, 9));
        p.drawRect(QRectF(7, 10, 9, 3));
    });
}

QIcon deleteFieldIcon() {
    return sheetIcon([](QPainter& p) {
        p.setPen(QPen(QColor(200, 40, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8.5, 8.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(14.5, 8.5), QPointF(8.5, 14.5));
    });
}

} // namespace ardenvo
