#include "widgets/PaintedIcon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace ardenvo {

namespace {

constexpr qreal kScreenScales[] = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

} // namespace

QPixmap paintedPixmap(QSize size, qreal ratio, const PaintFn& draw) {
    QPixmap pixmap((QSizeF(size) * ratio).toSize().expandedTo({1, 1}));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pixmap;
}

QPixmap paintedPixmap(QSize size, const PaintFn& draw) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return paintedPixmap(size, screen ? screen->devicePixelRatio() : 1.0, draw);
}

QIcon paintedIcon(QSize size, const PaintFn& draw) {
    QIcon icon;
    for (const qreal scale : kScreenScales)
        icon.addPixmap(paintedPixmap(size, scale, draw));
    return icon;
}

} // namespace ardenvo
