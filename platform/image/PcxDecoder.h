#pragma once

// The PCX decoder. Plain C++ with no Qt, so that a fuzz target can compile this file alone.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ardenvo::pcx {

// The largest picture the decoder builds, in pixels (256 MB of 32-bit pixels).
inline constexpr std::size_t kMaxPixels = 64u * 1024u * 1024u;
inline constexpr std::size_t kHeaderSize = 128;

enum class Error {
    None,
    NotPcx,      // the header is not a PCX header
    Unsupported, // a PCX layout we do not decode (bits per pixel and planes)
    BadHeader,   // inconsistent sizes or line length
    TooLarge,    // more pixels than the limit
    Truncated,   // the pixel data ends before the picture does
};

const char* errorText(Error error);

struct Image {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    // width * height pixels, row by row, as 0xAARRGGBB (alpha 0xFF unless hasAlpha).
    std::vector<std::uint32_t> pixels;
};

// The fields of the 128-byte header the decoder uses.
struct Header {
    int version = 0;
    int encoding = 0; // 1 run-length encoded, 0 raw
    int bitsPerPixel = 0;
    int planes = 0;
    int bytesPerLine = 0;
    int width = 0;
    int height = 0;
};

// Reads and checks the header: a known version and encoding, a layout we decode, a line long
// enough for the width. Error::None when `data` starts with such a header.
Error readHeader(const std::uint8_t* data, std::size_t size, Header& header);

// Whether `data` starts with a PCX header we would decode (format detection by content).
inline bool looksLikePcx(const std::uint8_t* data, std::size_t size) {
    Header header;
    return readHeader(data, size, header) == Error::None;
}

// Decodes a whole PCX file. Every size and run is checked against the bytes that remain, and no
// more than `maxPixels` pixels are allocated; on error `image` is left empty.
Error decode(const std::uint8_t* data, std::size_t size, Image& image,
             std::size_t maxPixels = kMaxPixels);

} // namespace ardenvo::pcx
