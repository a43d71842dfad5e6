#include "shell/ToolbarIcons.h"

#include "widgets/PaintedIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace ardenvo {

namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 244);
const QColor kBlue(48, 96, 192);
const QColor kGreen(30, 130, 70);
const QColor kRoof(176, 52, 40);
const QColor kWall(238, 206, 150);

// An arrow pointing in `dir` (0 east, 1 west, 2 north, 3 south) across the 16 x 16 square.
void drawArrow(QPainter& p, int dir) {
    QPolygonF head;
    QRectF shaft;
    switch (dir) {
    case 0:
        head << QPointF(15, 8) << QPointF(9, 2) << QPointF(9, 14);
        shaft = QRectF(1, 6, 9, 4);
        break;
    case 1:
        head << QPointF(1, 8) << QPointF(7, 2) << QPointF(7, 14);
        shaft = QRectF(6, 6, 9, 4);
        break;
    case 2:
        head << QPointF(8, 1) << QPointF(2, 7) << QPointF(14, 7);
        shaft = QRectF(6, 6, 4, 9);
        break;
    default:
        head << QPointF(8, 15) << QPointF(2, 9) << QPointF(14, 9);
        shaft = QRectF(6, 1, 4, 9);
        break;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRect(shaft);
    p.drawPolygon(head);
}

// A hooked arrow turning back to the left (undo); mirrored, to the right (redo).
void drawTurnArrow(QPainter& p, bool mirrored) {
    p.save();
    if (mirrored) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath hook;
    hook.moveTo(4, 7);
    hook.cubicTo(7, 3.5, 14, 4, 14, 9);
    hook.cubicTo(14, 12, 11.5, 14, 8.5, 14);
    p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    QPolygonF head;
    head << QPointF(1, 9.5) << QPointF(2.5, 2.5) << QPointF(8, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(head);
    p.restore();
}

void drawMagnifier(QPainter& p, bool plus) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    p.setPen(QPen(kBlue, 1.5));
    p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (plus)
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
}

void drawHouse(QPainter& p, qreal s) {
    QPolygonF roof;
    roof << QPointF(0.5 * s, 0.06 * s) << QPointF(0.97 * s, 0.48 * s)
         << QPointF(0.03 * s, 0.48 * s);
    p.setPen(QPen(kInk, qMax<qreal>(1.0, s / 16)));
    p.setBrush(kWall);
    p.drawRect(QRectF(0.16 * s, 0.45 * s, 0.68 * s, 0.48 * s));
    p.setBrush(kRoof);
    p.drawPolygon(roof);
    p.setBrush(kBlue);
    p.drawRect(QRectF(0.42 * s, 0.62 * s, 0.18 * s, 0.31 * s));
}

void paintIcon(QPainter& p, ToolIcon icon) {
    switch (icon) {
    case ToolIcon::New: {
        QPolygonF sheet;
        sheet << QPointF(3, 1) << QPointF(10, 1) << QPointF(13, 4) << QPointF(13, 15)
              << QPointF(3, 15);
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawPolygon(sheet);
        p.drawLine(QPointF(10, 1), QPointF(10, 4));
        p.drawLine(QPointF(10, 4), QPointF(13, 4));
        p.setPen(QPen(QColor(230, 170, 20), 1.5));
        p.drawLine(QPointF(6, 8), QPointF(10, 12));
        p.drawLine(QPointF(10, 8), QPointF(6, 12));
        break;
    }
    case ToolIcon::Open: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(220, 180, 70));
        p.drawRect(QRectF(1.5, 4.5, 11, 9));
        QPolygonF flap;
        flap << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(12.5, 13.5)
             << QPointF(1.5, 13.5);
        p.setBrush(QColor(245, 210, 110));
        p.drawPolygon(flap);
        break;
    }
    case ToolIcon::Save:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case ToolIcon::ScrollEast:
        drawArrow(p, 0);
        break;
    case ToolIcon::ScrollWest:
        drawArrow(p, 1);
        break;
    case ToolIcon::ScrollNorth:
        drawArrow(p, 2);
        break;
    case ToolIcon::ScrollSouth:
        drawArrow(p, 3);
        break;
    case ToolIcon::Center:
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(kRoof, 1.5));
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        p.setBrush(kRoof);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    case ToolIcon::ActualSize: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(0.5, 3.5, 15, 9));
        QFont f = p.font();
        f.setPixelSize(8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kBlue);
        p.drawText(QRectF(0, 3, 16, 10), Qt::AlignCenter, QStringLiteral("1:1"));
        break;
    }
    case ToolIcon::ZoomIn:
        drawMagnifier(p, true);
        break;
    case ToolIcon::ZoomOut:
        drawMagnifier(p, false);
        break;
    case ToolIcon::Sections:
        // Three storeys seen from the side.
        p.setPen(QPen(kInk, 1));
        for (int i = 0; i < 3; ++i) {
            p.setBrush(i == 1 ? kWall : QColor(170, 200, 230));
            p.drawRect(QRectF(2.5, 1.5 + 4.5 * i, 11, 4));
        }
        break;
    case ToolIcon::Tobrin:
        // A little helper with a question in its speech bubble.
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(120, 170, 90));
        p.drawEllipse(QRectF(1.5, 6.5, 8, 8));
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(8.5, 0.5, 7, 6));
        p.setPen(kInk);
        p.drawPoint(QPointF(4, 9.5));
        p.drawPoint(QPointF(7, 9.5));
        {
            QFont f = p.font();
            f.setPixelSize(6);
            f.setBold(true);
            p.setFont(f);
            p.drawText(QRectF(8.5, 0, 7, 7), Qt::AlignCenter, QStringLiteral("?"));
        }
        break;
    case ToolIcon::Print:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(150, 150, 160));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case ToolIcon::Undo:
        drawTurnArrow(p, false);
        break;
    case ToolIcon::Redo:
        drawTurnArrow(p, true);
        break;
    case ToolIcon::About:
        p.setPen(QPen(kBlue, 1));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(QPen(Qt::white, 2));
        p.drawPoint(QPointF(8, 4.5));
        p.drawLine(QPointF(8, 7), QPointF(8, 12));
        break;
    }
}

} // namespace

QPixmap toolPixmap(ToolIcon icon) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paintIcon(p, icon);
    return pixmap;
}

QIcon toolIcon(ToolIcon icon) {
    return paintedIcon({16, 16}, [icon](QPainter& p) { paintIcon(p, icon); });
}

QPixmap housePixmap(int size) {
    return paintedPixmap({size, size}, [size](QPainter& p) { drawHouse(p, size); });
}

QIcon houseIcon(int size) {
    return paintedIcon({size, size}, [size](QPainter& p) { drawHouse(p, size); });
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(
            paintedPixmap({size, size}, 1.0, [size](QPainter& p) { drawHouse(p, size); }));
    return icon;
}

} // namespace ardenvo
