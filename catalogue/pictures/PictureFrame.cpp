#include "catalogue/pictures/PictureFrame.h"

#include "platform/image/ImageFile.h"

#include <QPainter>

namespace ardenvo {

PictureFrame::PictureFrame(QSize size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size);
}

void PictureFrame::setPainter(std::function<void(QPainter&, const Rect&)> painter) {
    m_painter = std::move(painter);
    update();
}

void PictureFrame::clear(QPainter& painter, const Rect& frame) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(frame.left, frame.top, frame.width() - 1, frame.height() - 1);
}

void PictureFrame::drawPlaceholder(QPainter& painter, const Rect& frame) {
    painter.fillRect(frame.left + 1, frame.top + 1, frame.width() - 2, frame.height() - 2,
                     QColor(0xee, 0xee, 0xee));
}

void PictureFrame::drawPicture(QPainter& painter, const Rect& frame, const ImageFile& image,
                               FrameStyle style) {
    const Rect r = pictureRect(frame, image.width(), image.height(), style);
    painter.save();
    painter.setClipRect(frame.left, frame.top, frame.width(), frame.height());
    image.draw(painter, QRect(r.left, r.top, r.width(), r.height()));
    painter.restore();
}

void PictureFrame::paintEvent(QPaintEvent*) {
    if (!m_painter)
        return;
    QPainter painter(this);
    m_painter(painter, frameRect());
}

} // namespace ardenvo
