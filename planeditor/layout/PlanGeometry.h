#pragma once

#include "model/CBlock.h"
#include "model/Geometry.h"

#include <array>
#include <cstdint>

// The plan's geometry without widgets: screen transform, handles and their hit squares, the drag
// rules and the fit. The view and the painter call these; the tests call them directly.
namespace ardenvo {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    constexpr bool operator==(const ScreenPoint&) const = default;
};

// Screen coordinates are kept within this range so that hostile coordinates in a file cannot
// overflow the painter; everything this far out is off any window anyway.
inline constexpr int kScreenLimit = 1 << 22;

// The zoom and offsets of a section: model centimetres to window pixels and back.
struct ScreenTransform {
    double zoom = 1.0;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;

    // A zoom a window can use: values that are not positive, not finite or absurd (a damaged
    // file) are replaced by 1 or clamped.
    double usableZoom() const;

    // trunc(zoom * (x + offsetX))
    int toScreenX(std::int64_t x) const;
    int toScreenY(std::int64_t y) const;
    // trunc(x / zoom) - offsetX
    std::int32_t toModelX(int x) const;
    std::int32_t toModelY(int y) const;
    Rect toScreen(const Rect& model) const;
};

// The screen rectangle of a floor object, from its block's screen rectangle.
Rect objectScreenRect(const ScreenTransform& t, const Rect& blockScreen, const Rect& object);
// A screen point relative to a block, in centimetres: trunc((x - block left) / zoom).
ScreenPoint pointInBlock(const ScreenTransform& t, const Rect& blockScreen, ScreenPoint p);

// Windows-style containment: left and top inside, right and bottom outside.
constexpr bool containsPoint(const Rect& r, ScreenPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Handles 1-8 are corners and edge midpoints (resizing), 9-20 the alignment marks, three a side
// for North, East, South and West (Start, Center, End).
inline constexpr int kBlockHandleCount = 20;
inline constexpr int kObjectHandleCount = 8;

std::array<ScreenPoint, kBlockHandleCount> blockHandlePoints(const Rect& screen);
std::array<ScreenPoint, kObjectHandleCount> objectHandlePoints(const Rect& screen);
// Half the side of a block handle's hit square: 5 for 1-8, 3 for 9-20.
int blockHandleHalfSize(int handle);
inline constexpr int kObjectHandleHalfSize = 3;
Rect hitSquare(ScreenPoint centre, int halfSize);

// The first handle whose hit square holds the point, or 0.
int blockHandleAt(const Rect& blockScreen, ScreenPoint p);
int objectHandleAt(const Rect& objectScreen, ScreenPoint p);

enum class HandleCursor { Arrow, SizeNWSE, SizeNS, SizeNESW, SizeWE, Cross };
// The cursor of a handle code: 1-20 a block handle, -1 to -8 an object handle, 0 none.
HandleCursor handleCursor(int code);
// The status text of a handle code ("Ready" for 0).
const char* handleStatusText(int code);

// Handles 9-20: the side whose record they set and the mode they set it to.
constexpr int alignmentHandleSide(int handle) {
    return (handle - 9) / 3;
}
constexpr AlignMode alignmentHandleMode(int handle) {
    return static_cast<AlignMode>((handle - 9) % 3);
}

// Block drag: applies the pointer's model point to a handle of the block. Edges follow the
// pointer only while the block keeps its minimum size (the objects on its floor keep their
// margin); alignment handles set the side's mode. True when the block changed.
bool applyBlockHandle(CBlock& block, int handle, std::int32_t x, std::int32_t y);

// Object resize: the handle's edges take the point (relative to the block), the rectangle is
// normalised and kept 10 cm inside the block.
Rect applyObjectHandle(const Rect& object, int handle, ScreenPoint pointInBlock, Size block);
// Object move: the object shifted by (dx, dy), pushed back inside the block's 10 cm margin.
Rect moveObject(const Rect& object, std::int32_t dx, std::int32_t dy, Size block);
// Keeps a rectangle within 10 cm of the block's edges, never inverted.
Rect clampObjectRect(const Rect& object, Size block);

// Fit: zoom and offsets that show the whole box in a W x H window.
ScreenTransform fitTransform(const Rect& box, int width, int height);
// The zoom changed to newZoom, keeping the point at the window's centre in place.
ScreenTransform zoomAroundCentre(const ScreenTransform& t, double newZoom, int width, int height);
// Offsets added with saturation, so endless scrolling cannot overflow.
std::int32_t addOffset(std::int32_t offset, std::int64_t delta);

} // namespace ardenvo
