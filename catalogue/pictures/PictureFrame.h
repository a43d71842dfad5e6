#pragma once

#include "catalogue/pictures/PictureFit.h"

#include <QWidget>

#include <functional>

class QPainter;

namespace ardenvo {

class ImageFile;

// The fixed-size frame a picture is shown in. What it shows comes from its owner on every paint;
// painting never decodes a file or asks anything.
class PictureFrame : public QWidget {
public:
    PictureFrame(QSize size, QWidget* parent = nullptr);

    // Called on every paint with the frame rectangle.
    void setPainter(std::function<void(QPainter&, const Rect&)> painter);
    Rect frameRect() const { return {0, 0, width(), height()}; }

    // Black outline, white inside: an empty frame.
    static void clear(QPainter& painter, const Rect& frame);
    // An empty frame tinted a light grey: its picture is on its way.
    static void drawPlaceholder(QPainter& painter, const Rect& frame);
    // The picture placed by the fitting rule, clipped to the frame.
    static void drawPicture(QPainter& painter, const Rect& frame, const ImageFile& image,
                            FrameStyle style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(QPainter&, const Rect&)> m_painter;
};

} // namespace ardenvo
