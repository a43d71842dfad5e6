#include "model/Geometry.h"

#include <algorithm>
#include <limits>

namespace ardenvo {

namespace {

constexpr std::int32_t saturated(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

Size sizeOf(const Rect& r) {
    return {saturated(static_cast<std::int64_t>(r.right) - r.left),
            saturated(static_cast<std::int64_t>(r.bottom) - r.top)};
}

Rect withExtent(const Rect& r, double width, double height) {
    // Negative and NaN extents are none; anything beyond a billion centimetres is far out anyway.
    const auto extent = [](double cm) {
        return cm > 0 ? static_cast<std::int32_t>(std::min(cm, 1.0e9)) : 0;
    };
    const auto endOf = [](std::int32_t start, std::int32_t extent) {
        return saturated(static_cast<std::int64_t>(start) + extent);
    };
    return {r.left, r.top, endOf(r.left, extent(width)), endOf(r.top, extent(height))};
}

} // namespace ardenvo
