#include "planeditor/layout/PlanGeometry.h"

#include "model/Translatable.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace ardenvo {

namespace {

constexpr double kMinZoom = 0.01;
constexpr double kMaxZoom = 100.0;

int toScreenRange(double v) {
    if (!(v > -kScreenLimit)) // also catches NaN
        return -kScreenLimit;
    if (v > kScreenLimit)
        return kScreenLimit;
    return static_cast<int>(std::trunc(v));
}

std::int32_t toInt32(double v) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (!(v > lo))
        return std::numeric_limits<std::int32_t>::min();
    if (v >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::trunc(v));
}

std::int32_t toInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool movesLeft(int h) {
    return h == 1 || h == 4 || h == 6;
}
bool movesRight(int h) {
    return h == 3 || h == 5 || h == 8;
}
bool movesTop(int h) {
    return h == 1 || h == 2 || h == 3;
}
bool movesBottom(int h) {
    return h == 6 || h == 7 || h == 8;
}

} // namespace

double ScreenTransform::usableZoom() const {
    if (!std::isfinite(zoom) || zoom <= 0)
        return 1.0;
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

int ScreenTransform::toScreenX(std::int64_t x) const {
    return toScreenRange(usableZoom() * static_cast<double>(x + offsetX));
}

int ScreenTransform::toScreenY(std::int64_t y) const {
    return toScreenRange(usableZoom() * static_cast<double>(y + offsetY));
}

std::int32_t ScreenTransform::toModelX(int x) const {
    return toInt32(std::trunc(x / usableZoom()) - offsetX);
}

std::int32_t ScreenTransform::toModelY(int y) const {
    return toInt32(std::trunc(y / usableZoom()) - offsetY);
}

Rect ScreenTransform::toScreen(const Rect& m) const {
    return {toScreenX(m.left), toScreenY(m.top), toScreenX(m.right), toScreenY(m.bottom)};
}

Rect objectScreenRect(const ScreenTransform& t, const Rect& blockScreen, const Rect& object) {
    // The block's corner goes back to model units first, so objects stay on the block's pixel
    // grid whatever the offsets.
    const double z = t.usableZoom();
    const double originX = std::trunc(blockScreen.left / z);
    const double originY = std::trunc(blockScreen.top / z);
    return {toScreenRange(z * (object.left + originX)), toScreenRange(z * (object.top + originY)),
            toScreenRange(z * (object.right + originX)),
            toScreenRange(z * (object.bottom + originY))};
}

ScreenPoint pointInBlock(const ScreenTransform& t, const Rect& blockScreen, ScreenPoint p) {
    const double z = t.usableZoom();
    return {toScreenRange(std::trunc((p.x - blockScreen.left) / z)),
            toScreenRange(std::trunc((p.y - blockScreen.top) / z))};
}

std::array<ScreenPoint, kObjectHandleCount> objectHandlePoints(const Rect& s) {
    const int cx = s.left + (s.right - s.left) / 2;
    const int cy = s.top + (s.bottom - s.top) / 2;
    return {{{s.left, s.top},
             {cx, s.top},
             {s.right, s.top},
             {s.left, cy},
             {s.right, cy},
             {s.left, s.bottom},
             {cx, s.bottom},
             {s.right, s.bottom}}};
}

std::array<ScreenPoint, kBlockHandleCount> blockHandlePoints(const Rect& s) {
    const int w = s.right - s.left;
    const int h = s.bottom - s.top;
    const int cx = s.left + w / 2;
    const int cy = s.top + h / 2;
    const int dx = w / 10;
    const int dy = h / 10;
    // The eight of an object on the outline, then three inside each side for its alignment.
    const auto outline = objectHandlePoints(s);
    std::array<ScreenPoint, kBlockHandleCount> points{};
    std::copy(outline.begin(), outline.end(), points.begin());
    const ScreenPoint inner[] = {
        {cx - dx, s.top + dy},    {cx, s.top + dy},    {cx + dx, s.top + dy},
        {s.right - dx, cy - dy},  {s.right - dx, cy},  {s.right - dx, cy + dy},
        {cx - dx, s.bottom - dy}, {cx, s.bottom - dy}, {cx + dx, s.bottom - dy},
        {s.left + dx, cy - dy},   {s.left + dx, cy},   {s.left + dx, cy + dy},
    };
    static_assert(kObjectHandleCount + int(std::size(inner)) == kBlockHandleCount);
    std::copy(std::begin(inner), std::end(inner), points.begin() + kObjectHandleCount);
    return points;
}

int blockHandleHalfSize(int handle) {
    return handle <= 8 ? 5 : 3;
}

Rect hitSquare(ScreenPoint c, int s) {
    return {c.x - s, c.y - s, c.x + s, c.y + s};
}

int blockHandleAt(const Rect& blockScreen, ScreenPoint p) {
    const auto points = blockHandlePoints(blockScreen);
    for (int i = 0; i < kBlockHandleCount; ++i)
        if (containsPoint(hitSquare(points[i], blockHandleHalfSize(i + 1)), p))
            return i + 1;
    return 0;
}

int objectHandleAt(const Rect& objectScreen, ScreenPoint p) {
    const auto points = objectHandlePoints(objectScreen);
    for (int i = 0; i < kObjectHandleCount; ++i)
        if (containsPoint(hitSquare(points[i], kObjectHandleHalfSize), p))
            return i + 1;
    return 0;
}

HandleCursor handleCursor(int code) {
    if (code < 0)
        code = -code;
    switch (code) {
    case 1:
    case 8:
        return HandleCursor::SizeNWSE;
    case 2:
    case 7:
        return HandleCursor::SizeNS;
    case 3:
    case 6:
        return HandleCursor::SizeNESW;
    case 4:
    case 5:
        return HandleCursor::SizeWE;
    default:
        return code >= 9 && code <= 20 ? HandleCursor::Cross : HandleCursor::Arrow;
    }
}

const char* handleStatusText(int code) {
    if (code < 0)
        return AV_TRANSLATE_NOOP("ardenvo::PlanGeometry", "Drag to resize the object");
    if (code >= 1 && code <= 8)
        return AV_TRANSLATE_NOOP("ardenvo::PlanGeometry", "Drag to resize the room");
    if (code >= 9)
        return AV_TRANSLATE_NOOP("ardenvo::PlanGeometry", "Click to reposition the room");
    //: The status bar while the pointer is on no handle of the plan
    return AV_TRANSLATE_NOOP("ardenvo::PlanGeometry", "Ready");
}

bool applyBlockHandle(CBlock& block, int handle, std::int32_t x, std::int32_t y) {
    if (handle >= 9 && handle <= 20) {
        SideAlignment& record =
            block.alignments[static_cast<std::size_t>(alignmentHandleSide(handle))];
        const auto mode = static_cast<std::int32_t>(alignmentHandleMode(handle));
        if (record.mode == mode)
            return false;
        record.mode = mode;
        block.changed = 1;
        return true;
    }
    if (handle < 1 || handle > 8)
        return false;

    const Size minimum = block.minimumBlockSize();
    Rect r = block.rect();
    const Rect before = r;
    if (movesLeft(handle) || movesRight(handle)) {
        const std::int32_t left = movesLeft(handle) ? x : r.left;
        const std::int32_t right = movesRight(handle) ? x : r.right;
        if (static_cast<std::int64_t>(right) - left >= minimum.width) {
            r.left = left;
            r.right = right;
        }
    }
    if (movesTop(handle) || movesBottom(handle)) {
        const std::int32_t top = movesTop(handle) ? y : r.top;
        const std::int32_t bottom = movesBottom(handle) ? y : r.bottom;
        if (static_cast<std::int64_t>(bottom) - top >= minimum.height) {
            r.top = top;
            r.bottom = bottom;
        }
    }
    if (r == before)
        return false;
    block.setRect(r);
    block.changed = 1;
    return true;
}

Rect clampObjectRect(const Rect& o, Size block) {
    constexpr std::int32_t margin = 10;
    // In a block narrower than two margins the two margin clamps would cross; keep the object as a
    // line at the margin instead of an inverted rectangle.
    const std::int32_t maxX = std::max(margin, block.width - margin);
    const std::int32_t maxY = std::max(margin, block.height - margin);
    Rect r;
    r.left = std::clamp(o.left, margin, maxX);
    r.top = std::clamp(o.top, margin, maxY);
    r.right = std::clamp(o.right, r.left, std::max(r.left, block.width - margin));
    r.bottom = std::clamp(o.bottom, r.top, std::max(r.top, block.height - margin));
    return r;
}

Rect applyObjectHandle(const Rect& object, int handle, ScreenPoint p, Size block) {
    Rect r = object;
    if (movesLeft(handle))
        r.left = p.x;
    if (movesRight(handle))
        r.right = p.x;
    if (movesTop(handle))
        r.top = p.y;
    if (movesBottom(handle))
        r.bottom = p.y;
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return clampObjectRect(r, block);
}

Rect moveObject(const Rect& object, std::int32_t dx, std::int32_t dy, Size block) {
    constexpr std::int64_t margin = 10;
    std::int64_t l = static_cast<std::int64_t>(object.left) + dx;
    std::int64_t t = static_cast<std::int64_t>(object.top) + dy;
    const std::int64_t w = static_cast<std::int64_t>(object.right) - object.left;
    const std::int64_t h = static_cast<std::int64_t>(object.bottom) - object.top;
    // Push back from the east and south first, so that an object larger than the block ends up
    // at the west and north margin (and the clamp trims the rest).
    l = std::min(l, block.width - margin - w);
    t = std::min(t, block.height - margin - h);
    l = std::max(l, margin);
    t = std::max(t, margin);
    return clampObjectRect({toInt32(l), toInt32(t), toInt32(l + w), toInt32(t + h)}, block);
}

ScreenTransform fitTransform(const Rect& box, int width, int height) {
    const std::int64_t bw = static_cast<std::int64_t>(box.right) - box.left;
    const std::int64_t bh = static_cast<std::int64_t>(box.bottom) - box.top;
    // With nothing to fit the zoom would otherwise shrink by 0.95 at every fit; start from 1.
    double z = 1.0;
    if (bw != 0 && bh != 0) {
        const double zx = static_cast<double>(width) / static_cast<double>(bw);
        const double zy = static_cast<double>(height) / static_cast<double>(bh);
        z = std::fabs(zx > zy ? zy : zx);
        if (z >= 1)
            z = 1;
        if (z < 0.2)
            z = 0.2;
    }
    z *= 0.95;
    const std::int64_t midX = (static_cast<std::int64_t>(box.left) + box.right) / 2;
    const std::int64_t midY = (static_cast<std::int64_t>(box.top) + box.bottom) / 2;
    ScreenTransform t;
    t.zoom = z;
    t.offsetX = toInt32(width * 0.5 / z - static_cast<double>(midX));
    t.offsetY = toInt32(height * 0.5 / z - static_cast<double>(midY));
    return t;
}

ScreenTransform zoomAroundCentre(const ScreenTransform& t, double newZoom, int width, int height) {
    const double delta = 1.0 / newZoom - 1.0 / t.usableZoom();
    ScreenTransform r = t;
    r.zoom = newZoom;
    r.offsetX = addOffset(t.offsetX, toInt32(delta * width * 0.5));
    r.offsetY = addOffset(t.offsetY, toInt32(delta * height * 0.5));
    return r;
}

std::int32_t addOffset(std::int32_t offset, std::int64_t delta) {
    return toInt32(offset + delta);
}

} // namespace ardenvo
