#include "reminder/ui/ReminderIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ardenvo {

namespace {

QPixmap drawBell(int size, const QColor& tile, bool ringing) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);

    // The bell: a dome over a flared rim, with its clapper below.
    QPainterPath bell;
    bell.moveTo(8, 22);
    bell.cubicTo(10, 20, 10, 16, 10, 13);
    bell.cubicTo(10, 6, 22, 6, 22, 13);
    bell.cubicTo(22, 16, 22, 20, 24, 22);
    bell.closeSubpath();
    p.setBrush(ringing ? QColor(255, 244, 160) : QColor(250, 250, 250));
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.save();
    if (ringing) {
        p.translate(16, 7);
        p.rotate(-14);
        p.translate(-16, -7);
    }
    p.drawPath(bell);
    p.drawEllipse(QPointF(16, 24), 2.2, 2.2);
    p.restore();
    p.drawEllipse(QPointF(16, 6.5), 1.3, 1.3);

    if (ringing) {
        // Sound marks either side of the bell.
        p.setPen(QPen(QColor(255, 255, 255), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(2.5, 9, 6, 10), 120 * 16, 120 * 16);
        p.drawArc(QRectF(23.5, 9, 6, 10), -60 * 16, 120 * 16);
    }
    return pixmap;
}

QIcon drawIcon(const QColor& tile, bool ringing) {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(drawBell(size, tile, ringing));
    return icon;
}

} // namespace

QIcon reminderNormalIcon() {
    static const QIcon icon = drawIcon(QColor(40, 96, 180), false);
    return icon;
}

QIcon reminderAlternateIcon() {
    static const QIcon icon = drawIcon(QColor(230, 110, 20), true);
    return icon;
}

} // namespace ardenvo
