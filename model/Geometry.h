#pragma once

#include <climits>
#include <cstdint>

namespace ardenvo {

// Colours are COLORREF values: red in the lowest byte, then green, then blue.
using ColorRef = std::uint32_t;

constexpr ColorRef rgb(int r, int g, int b) {
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(ColorRef c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// Lengths are centimetres; x grows to the east, y to the south.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool operator==(const Rect&) const = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    constexpr bool operator==(const Size&) const = default;
};

// Width and height of a rectangle, saturated (a damaged file may span the whole int range).
Size sizeOf(const Rect& r);
// The rectangle with its left and top kept and the extents a dialog returned (centimetres,
// truncated to whole ones; saturated so a far-out rectangle cannot overflow).
Rect withExtent(const Rect& r, double width, double height);

enum BlockSide : int { North = 0, East = 1, South = 2, West = 3 };

// The side facing `side`, or -1 for anything that is not a side.
constexpr int oppositeSide(int side) {
    return (side >= 0 && side <= 3) ? (side + 2) % 4 : -1;
}

enum class AlignMode : std::int32_t { Start = 0, Center = 1, End = 2 };

struct SideAlignment {
    std::int32_t mode = static_cast<std::int32_t>(AlignMode::Center);
    std::int32_t shift = 0;

    // The same record as seen from the other block of the pair. A damaged file's most negative
    // shift has no negation in 32 bits; it saturates.
    constexpr SideAlignment reversed() const {
        return {mode, shift == INT32_MIN ? INT32_MAX : -shift};
    }
    constexpr bool operator==(const SideAlignment&) const = default;
};

struct CColorRect {
    ColorRef color = 0;
    Rect rect;
    constexpr bool operator==(const CColorRect&) const = default;
};

} // namespace ardenvo
