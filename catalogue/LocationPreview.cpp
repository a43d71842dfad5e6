#include "catalogue/LocationPreview.h"

#include "planeditor/layout/PlanGeometry.h"

#include <algorithm>
#include <cmath>

namespace ardenvo {

double fitScale(int areaWidth, int areaHeight, int blockWidth, int blockHeight) {
    // A damaged file's empty or inverted block must not divide by zero.
    const double wb = std::max(1, blockWidth);
    const double hb = std::max(1, blockHeight);
    const double wa = std::max(0, areaWidth);
    const double ha = std::max(0, areaHeight);
    const double u = ha / hb > wa / wb ? wa / wb : ha / hb;
    return u >= 1 ? 1.0 : u;
}

SliderSetup slidersFor(const Rect& object, Size block) {
    const Size size = sizeOf(object);
    const int hw = size.width / 2;
    const int hh = size.height / 2;
    SliderSetup s;
    s.horizontal = {hw + 10, static_cast<int>(std::max<std::int64_t>(
                                 INT32_MIN, static_cast<std::int64_t>(block.width) - hw - 10))};
    s.vertical = {hh + 10, static_cast<int>(std::max<std::int64_t>(
                               INT32_MIN, static_cast<std::int64_t>(block.height) - hh - 10))};
    s.centreX = static_cast<int>((static_cast<std::int64_t>(object.left) + object.right) / 2);
    s.centreY = static_cast<int>((static_cast<std::int64_t>(object.top) + object.bottom) / 2);
    return s;
}

Rect movedHorizontally(const Rect& object, int v) {
    const int hw = sizeOf(object).width / 2;
    return {v - hw, object.top, v + hw, object.bottom};
}

Rect movedVertically(const Rect& object, int v) {
    const int hh = sizeOf(object).height / 2;
    return {object.left, v - hh, object.right, v + hh};
}

void LocationPreview::layout(CBlock* block, const QRect& area, qreal devicePixelRatio) {
    m_block = block;
    const Size size = block ? sizeOf(block->rect()) : Size{1, 1};
    m_scale = fitScale(area.width(), area.height(), size.width, size.height);
    const int w = static_cast<int>(std::trunc(m_scale * std::max(1, size.width)));
    const int h = static_cast<int>(std::trunc(m_scale * std::max(1, size.height)));
    m_preview = QRect(area.topLeft(), QSize(std::max(1, w), std::max(1, h)));
    m_bitmap = QImage((QSizeF(m_preview.size()) * devicePixelRatio).toSize().expandedTo({1, 1}),
                      QImage::Format_RGB32);
    m_bitmap.setDevicePixelRatio(devicePixelRatio);
}

void LocationPreview::render() {
    if (m_bitmap.isNull())
        return;
    m_bitmap.fill(Qt::black);
    if (m_block)
        m_painter.paintBlock(m_bitmap, *m_block, m_scale);
}

CHouseObject* LocationPreview::hitTest(int x, int y) {
    if (!m_block)
        return nullptr;
    const auto& floor = m_block->floorObjects();
    const ScreenTransform t{m_scale, 0, 0};
    for (auto it = floor.rbegin(); it != floor.rend(); ++it) {
        const Rect r = objectScreenRect(t, Rect{}, (*it)->location.rect);
        if (containsPoint(r, {x, y})) {
            CHouseObject* hit = it->get();
            m_block->bringToFront(hit);
            return hit;
        }
    }
    return nullptr;
}

int LocationPreview::bringToFrontByName(const std::string& name) {
    CHouseObject* found = m_block ? m_block->findFloorObject(name) : nullptr;
    if (!found)
        return -1;
    m_block->bringToFront(found);
    return found->floorIndex;
}

} // namespace ardenvo
