#pragma once

// The PCX decoder. Plain C++ with no Qt, so that a fuzz target can compile this file alone.

#include "platform/image/PixelTarget.h"

#include <cstddef>
#include <cstdint>

namespace ardenvo::pcx {

inline constexpr std::size_t kMaxPixels = image::kMaxPixels;
inline constexpr std::size_t kHeaderSize = 128;

enum class Error {
    None,
    NotPcx,      // the header is not a PCX header
    Unsupported, // a PCX layout we do not decode (bits per pixel and planes)
    BadHeader,   // inconsistent sizes or line length
    TooLarge,    // more pixels than the limit, or more than memory holds
    Truncated,   // the pixel data or the palette after it ends before the picture does
    Stopped,     // the picture was no longer wanted
};

const char* errorText(Error error);

using Image = image::Pixels;

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

// Decodes a whole PCX file into `target`. Every size and run is checked against the bytes that
// remain, and a picture of more than `maxPixels` pixels, or more than the bytes could fill, is
// refused before it is allocated; on error the target is discarded.
Error decode(const std::uint8_t* data, std::size_t size, image::PixelTarget& target,
             std::size_t maxPixels = kMaxPixels);

} // namespace ardenvo::pcx
