#pragma once

// What our own decoders write into. Plain C++ with no Qt, so that a fuzz target can compile the
// decoders alone.

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace ardenvo::image {

// The largest picture any decoder builds and any command reads, in pixels (16384 x 16384, a
// GiB of 32-bit pixels): above the 200 megapixels of today's phone cameras.
inline constexpr std::size_t kMaxPixels = 256u * 1024u * 1024u;

// The picture a decoder fills. The decoder asks for it once, when the file's sizes have passed
// every check, and then writes each row in place: there is never a second copy of the pixels.
class PixelTarget {
public:
    virtual ~PixelTarget() = default;

    // Makes room for width x height pixels; false when the memory cannot be had.
    virtual bool allocate(int width, int height, bool hasAlpha) = 0;
    // Row `y` of the picture allocated: `width` pixels as 0xAARRGGBB (alpha 0xFF when opaque).
    virtual std::uint32_t* row(int y) = 0;
    // Asked between rows; false when the picture is no longer wanted, which stops the decoding.
    virtual bool wanted() const { return true; }
    // Told when decoding failed after the picture was allocated.
    virtual void discard() {}
};

// A picture held in memory, for tests and tools that want the pixels without Qt.
struct Pixels final : PixelTarget {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    // width * height pixels, row by row, as 0xAARRGGBB.
    std::vector<std::uint32_t> pixels;

    bool allocate(int w, int h, bool alpha) override;
    std::uint32_t* row(int y) override {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
    void discard() override { *this = Pixels{}; }
};

inline bool Pixels::allocate(int w, int h, bool alpha) {
    discard();
    try {
        pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0u);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width = w;
    height = h;
    hasAlpha = alpha;
    return true;
}

inline std::uint32_t opaque(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return 0xFF000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b;
}

} // namespace ardenvo::image
