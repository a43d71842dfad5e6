#pragma once

// The TGA decoder. Plain C++ with no Qt, so that a fuzz target can compile this file alone.

#include "platform/image/PixelTarget.h"

#include <cstddef>
#include <cstdint>

namespace ardenvo::tga {

inline constexpr std::size_t kHeaderSize = 18;

enum class Error {
    None,
    NotTga,      // the header is not a TGA header
    Unsupported, // a TGA kind we do not decode (interleaved rows, Huffman coding)
    BadHeader,   // inconsistent sizes, depths or palette
    TooLarge,    // more pixels than the limit, or more than memory holds
    Truncated,   // the palette or the pixel data ends before the picture does
    BadIndex,    // a colour index outside the palette
    Stopped,     // the picture was no longer wanted
};

const char* errorText(Error error);

enum class Kind { ColourMapped, TrueColour, Grey };

// The fields of the 18-byte header the decoder uses.
struct Header {
    int idLength = 0;
    Kind kind = Kind::TrueColour;
    bool encoded = false; // run-length encoded (image types 9, 10, 11)
    int paletteFirst = 0;
    int paletteLength = 0;
    int paletteBits = 0; // 15, 16, 24 or 32
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int alphaBits = 0;
    bool rightToLeft = false;
    bool topToBottom = false;
};

// Reads and checks the header: a known image type with a depth it allows and a palette where the
// type needs one. Error::None when `data` starts with such a header.
Error readHeader(const std::uint8_t* data, std::size_t size, Header& header);

// A TGA file has no signature: whether `data` starts with a header we would decode.
inline bool looksLikeTga(const std::uint8_t* data, std::size_t size) {
    Header header;
    return readHeader(data, size, header) == Error::None;
}

// Decodes a whole TGA file into `target`, top row first whatever order the file keeps. Every
// count is checked against the bytes that remain, and a picture of more than `maxPixels` pixels,
// or more than the bytes could fill, is refused before it is allocated; on error the target is
// discarded.
Error decode(const std::uint8_t* data, std::size_t size, image::PixelTarget& target,
             std::size_t maxPixels = image::kMaxPixels);

} // namespace ardenvo::tga
