#include "catalogue/pictures/PictureFit.h"

namespace ardenvo {

PictureTarget pictureTarget(const Rect& frame, int width, int height, FrameStyle style) {
    const int l = frame.left, t = frame.top;
    if (width <= 0 || height <= 0)
        return {false, {l + 1, t + 1, l + 1, t + 1}};
    if (frame.width() >= width && frame.height() >= height)
        return {true, {l + 1, t + 1, l + 1 + width, t + 1 + height}};
    const double sx = static_cast<double>(frame.width()) / width;
    const double sy = static_cast<double>(frame.height()) / height;
    const double s = sy > sx ? sx : sy;
    Rect target{l + 1, t + 1, static_cast<int>(width * s + l), static_cast<int>(height * s + t)};
    if (style == FrameStyle::Image) {
        target.right -= 2;
        target.bottom -= 1;
    }
    return {false, target};
}

Rect fittedRect(const Rect& box, int width, int height) {
    if (width <= 0 || height <= 0)
        return {box.left, box.top, box.left, box.top};
    const float sx = static_cast<float>(box.width()) / static_cast<float>(width);
    const float sy = static_cast<float>(box.height()) / static_cast<float>(height);
    const float s = sx < sy ? sx : sy;
    // A frame smaller than two pixels leaves nothing to draw into.
    if (s <= 0)
        return {box.left, box.top, box.left, box.top};
    return {box.left, box.top, box.left + static_cast<int>(static_cast<float>(width) * s),
            box.top + static_cast<int>(static_cast<float>(height) * s)};
}

Rect pictureRect(const Rect& frame, int width, int height, FrameStyle style) {
    const PictureTarget target = pictureTarget(frame, width, height, style);
    return target.naturalSize ? target.rect : fittedRect(target.rect, width, height);
}

} // namespace ardenvo
