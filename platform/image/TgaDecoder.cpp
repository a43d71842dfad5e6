#include "platform/image/TgaDecoder.h"

#include <new>
#include <vector>

namespace ardenvo::tga {

namespace {

// One packet of a run-length stream gives at most this many pixels.
constexpr std::size_t kLongestPacket = 128;

int u16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}

int bytesFor(int bits) {
    return (bits + 7) / 8;
}

std::uint8_t fiveBits(int v) {
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}

// One stored value as a pixel: BGR(A) bytes, 15/16-bit words (alpha in the top bit) or grey.
std::uint32_t colourOf(const std::uint8_t* p, int bits, bool grey, bool alpha) {
    if (grey) {
        const std::uint32_t pixel = image::opaque(p[0], p[0], p[0]);
        return bits == 16 && alpha ? (pixel & 0x00FFFFFFu) | (std::uint32_t(p[1]) << 24) : pixel;
    }
    switch (bits) {
    case 15:
    case 16: {
        const int w = u16(p);
        const std::uint32_t pixel =
            image::opaque(fiveBits((w >> 10) & 31), fiveBits((w >> 5) & 31), fiveBits(w & 31));
        return alpha && !(w & 0x8000) ? pixel & 0x00FFFFFFu : pixel;
    }
    case 24:
        return image::opaque(p[2], p[1], p[0]);
    default: { // 32
        const std::uint32_t pixel = image::opaque(p[2], p[1], p[0]);
        return alpha ? (pixel & 0x00FFFFFFu) | (std::uint32_t(p[3]) << 24) : pixel;
    }
    }
}

bool colourDepth(int bits) {
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

// Hands out the stored values of the pixel data one at a time, raw or from run-length packets.
// A packet may carry on into the next row, as many writers produce.
class ValueReader {
public:
    ValueReader(const std::uint8_t* data, std::size_t size, std::size_t valueBytes, bool encoded)
        : m_data(data), m_size(size), m_valueBytes(valueBytes), m_encoded(encoded) {}

    // The next value's bytes, or nullptr when the data ends first.
    const std::uint8_t* next() {
        if (!m_encoded)
            return take();
        if (m_left == 0) {
            if (m_pos >= m_size)
                return nullptr;
            const std::uint8_t packet = m_data[m_pos++];
            m_left = (packet & 0x7Fu) + 1u;
            m_repeated = nullptr;
            if (packet & 0x80u) {
                m_repeated = take();
                if (!m_repeated)
                    return nullptr;
            }
        }
        --m_left;
        return m_repeated ? m_repeated : take();
    }

private:
    const std::uint8_t* take() {
        if (m_size - m_pos < m_valueBytes)
            return nullptr;
        const std::uint8_t* value = m_data + m_pos;
        m_pos += m_valueBytes;
        return value;
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_valueBytes;
    bool m_encoded;
    std::size_t m_pos = 0;
    std::size_t m_left = 0;
    const std::uint8_t* m_repeated = nullptr;
};

} // namespace

const char* errorText(Error error) {
    switch (error) {
    case Error::None:
        return "no error";
    case Error::NotTga:
        return "not a TGA file";
    case Error::Unsupported:
        return "unsupported TGA layout";
    case Error::BadHeader:
        return "damaged TGA header";
    case Error::TooLarge:
        return "TGA picture too large";
    case Error::Truncated:
        return "TGA pixel data cut short";
    case Error::BadIndex:
        return "TGA colour index outside its palette";
    case Error::Stopped:
        return "TGA decoding stopped";
    }
    return "unknown error";
}

Error readHeader(const std::uint8_t* data, std::size_t size, Header& header) {
    if (!data || size < kHeaderSize)
        return Error::NotTga;
    const int paletteType = data[1];
    const int type = data[2];
    if (paletteType > 1)
        return Error::NotTga;
    switch (type & ~8) {
    case 1:
        header.kind = Kind::ColourMapped;
        break;
    case 2:
        header.kind = Kind::TrueColour;
        break;
    case 3:
        header.kind = Kind::Grey;
        break;
    default:
        return Error::NotTga;
    }
    header.encoded = type & 8;
    header.idLength = data[0];
    header.paletteFirst = u16(data + 3);
    header.paletteLength = u16(data + 5);
    header.paletteBits = data[7];
    header.width = u16(data + 12);
    header.height = u16(data + 14);
    header.bitsPerPixel = data[16];
    const int descriptor = data[17];
    header.alphaBits = descriptor & 0x0F;
    header.rightToLeft = descriptor & 0x10;
    header.topToBottom = descriptor & 0x20;

    const int bits = header.bitsPerPixel;
    switch (header.kind) {
    case Kind::ColourMapped:
        if (paletteType != 1 || (bits != 8 && bits != 16))
            return Error::NotTga;
        break;
    case Kind::TrueColour:
        if (!colourDepth(bits))
            return Error::NotTga;
        break;
    case Kind::Grey:
        if (bits != 8 && bits != 16)
            return Error::NotTga;
        break;
    }
    // A palette is skipped when the type does not use it, so its size must be known either way.
    if (paletteType == 1 && (!colourDepth(header.paletteBits) || header.paletteLength == 0))
        return Error::BadHeader;
    if (paletteType == 0)
        header.paletteLength = 0;
    if (header.width == 0 || header.height == 0)
        return Error::BadHeader;
    if (descriptor & 0xC0)
        return Error::Unsupported; // interleaved rows, from the days of interlaced screens
    return Error::None;
}

Error decode(const std::uint8_t* data, std::size_t size, image::PixelTarget& target,
             std::size_t maxPixels) {
    Header h;
    if (const Error e = readHeader(data, size, h); e != Error::None)
        return e;
    const std::size_t width = static_cast<std::size_t>(h.width);
    const std::size_t height = static_cast<std::size_t>(h.height);
    const std::size_t count = width * height;
    if (count > maxPixels)
        return Error::TooLarge;

    const std::size_t paletteBytes = static_cast<std::size_t>(h.paletteLength) *
                                     static_cast<std::size_t>(bytesFor(h.paletteBits));
    const std::size_t pixelsAt = kHeaderSize + static_cast<std::size_t>(h.idLength) + paletteBytes;
    if (pixelsAt > size)
        return Error::Truncated;
    // Refuse at once what the remaining bytes could never fill, before allocating anything.
    const std::size_t valueBytes = static_cast<std::size_t>(bytesFor(h.bitsPerPixel));
    const std::size_t available = size - pixelsAt;
    const std::size_t mostValues =
        h.encoded ? (available / (valueBytes + 1) + 1) * kLongestPacket : available / valueBytes;
    if (count > mostValues)
        return Error::Truncated;

    const bool mapped = h.kind == Kind::ColourMapped;
    const bool grey = h.kind == Kind::Grey;
    const int colourBits = mapped ? h.paletteBits : h.bitsPerPixel;
    const bool alpha =
        h.alphaBits > 0 && (grey ? h.bitsPerPixel == 16 : colourBits == 16 || colourBits == 32);
    std::vector<std::uint32_t> palette;
    try {
        if (mapped)
            palette.resize(static_cast<std::size_t>(h.paletteLength));
    } catch (const std::bad_alloc&) {
        return Error::TooLarge;
    }
    const std::uint8_t* entry = data + kHeaderSize + h.idLength;
    const std::size_t entryBytes = static_cast<std::size_t>(bytesFor(h.paletteBits));
    for (std::size_t i = 0; i < palette.size(); ++i, entry += entryBytes)
        palette[i] = colourOf(entry, h.paletteBits, false, alpha);

    if (!target.allocate(h.width, h.height, alpha))
        return Error::TooLarge;
    const auto failed = [&target](Error e) {
        target.discard();
        return e;
    };
    ValueReader reader(data + pixelsAt, available, valueBytes, h.encoded);
    for (std::size_t fileRow = 0; fileRow < height; ++fileRow) {
        if (!target.wanted())
            return failed(Error::Stopped);
        const std::size_t y = h.topToBottom ? fileRow : height - 1 - fileRow;
        std::uint32_t* row = target.row(static_cast<int>(y));
        for (std::size_t column = 0; column < width; ++column) {
            const std::uint8_t* value = reader.next();
            if (!value)
                return failed(Error::Truncated);
            std::uint32_t pixel;
            if (mapped) {
                const int index = (h.bitsPerPixel == 16 ? u16(value) : value[0]) - h.paletteFirst;
                if (index < 0 || index >= h.paletteLength)
                    return failed(Error::BadIndex);
                pixel = palette[static_cast<std::size_t>(index)];
            } else {
                pixel = colourOf(value, h.bitsPerPixel, grey, alpha);
            }
            row[h.rightToLeft ? width - 1 - column : column] = pixel;
        }
    }
    return Error::None;
}

} // namespace ardenvo::tga
