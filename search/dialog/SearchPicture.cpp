#include "search/dialog/SearchPicture.h"

#include "widgets/PaintedIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace ardenvo {

QPixmap searchPicture() {
    return paintedPixmap({72, 96}, [](QPainter& p) {
        // The house: walls and a roof.
        p.setPen(QPen(QColor(90, 60, 30), 2));
        p.setBrush(QColor(255, 188, 121));
        p.drawRect(QRectF(8, 44, 40, 34));
        QPainterPath roof;
        roof.moveTo(4, 46);
        roof.lineTo(28, 22);
        roof.lineTo(52, 46);
        roof.closeSubpath();
        p.setBrush(QColor(170, 60, 40));
        p.drawPath(roof);
        p.setBrush(QColor(120, 80, 40));
        p.drawRect(QRectF(22, 60, 12, 18));
        // The glass: a lens with its handle.
        p.setPen(QPen(QColor(40, 40, 40), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(52, 70), QPointF(66, 88));
        p.setPen(QPen(QColor(40, 40, 40), 3));
        p.setBrush(QColor(200, 230, 255, 150));
        p.drawEllipse(QPointF(42, 58), 15, 15);
    });
}

} // namespace ardenvo
