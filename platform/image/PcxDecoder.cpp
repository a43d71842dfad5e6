#include "platform/image/PcxDecoder.h"

#include <array>

namespace ardenvo::pcx {

namespace {

constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kPaletteMarker = 0x0C;
constexpr std::size_t kEndPaletteSize = 1 + 256 * 3;
// The most bytes one run of two input bytes can produce (a count of 63).
constexpr std::size_t kLongestRun = 63;

int u16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}

using image::opaque;

bool layoutSupported(int bits, int planes) {
    switch (bits) {
    case 1:
        return planes >= 1 && planes <= 4;
    case 2:
    case 4:
        return planes == 1;
    case 8:
        return planes == 1 || planes == 3 || planes == 4;
    default:
        return false;
    }
}

// Hands out the decoded bytes of the pixel data one at a time. A run may carry on into the next
// line, as some writers produce.
class RunReader {
public:
    RunReader(const std::uint8_t* data, std::size_t size, bool encoded)
        : m_data(data), m_size(size), m_encoded(encoded) {}

    // Fills `line` completely; false when the data ends first.
    bool fill(std::uint8_t* line, std::size_t length) {
        std::size_t done = 0;
        while (done < length) {
            if (m_runLeft == 0 && !startRun())
                return false;
            std::size_t take = length - done < m_runLeft ? length - done : m_runLeft;
            for (std::size_t i = 0; i < take; ++i)
                line[done + i] = m_runValue;
            done += take;
            m_runLeft -= take;
        }
        return true;
    }

    // Where the bytes not read yet start: after the last run handed out, even in part.
    std::size_t position() const { return m_pos; }

private:
    bool startRun() {
        if (m_pos >= m_size)
            return false;
        std::uint8_t byte = m_data[m_pos++];
        if (m_encoded && (byte & 0xC0) == 0xC0) {
            if (m_pos >= m_size)
                return false;
            m_runLeft = byte & 0x3F;
            m_runValue = m_data[m_pos++];
            // A count of zero is legal and produces nothing; the loop reads on.
            return true;
        }
        m_runLeft = 1;
        m_runValue = byte;
        return true;
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    bool m_encoded;
    std::size_t m_pos = 0;
    std::size_t m_runLeft = 0;
    std::uint8_t m_runValue = 0;
};

using Palette = std::array<std::uint32_t, 256>;

Palette headerPalette(const std::uint8_t* data, int bits, int planes) {
    Palette palette{};
    for (int i = 0; i < 16; ++i) {
        const std::uint8_t* rgb = data + 16 + 3 * i;
        palette[static_cast<std::size_t>(i)] = opaque(rgb[0], rgb[1], rgb[2]);
    }
    // Monochrome files often leave the header palette zero: two equal colours would show nothing,
    // so they read as black and white.
    if (bits == 1 && planes == 1 && palette[0] == palette[1]) {
        palette[0] = opaque(0, 0, 0);
        palette[1] = opaque(255, 255, 255);
    }
    return palette;
}

} // namespace

const char* errorText(Error error) {
    switch (error) {
    case Error::None:
        return "no error";
    case Error::NotPcx:
        return "not a PCX file";
    case Error::Unsupported:
        return "unsupported PCX layout";
    case Error::BadHeader:
        return "damaged PCX header";
    case Error::TooLarge:
        return "PCX picture too large";
    case Error::Truncated:
        return "PCX pixel data cut short";
    case Error::Stopped:
        return "PCX decoding stopped";
    }
    return "unknown error";
}

Error readHeader(const std::uint8_t* data, std::size_t size, Header& header) {
    if (!data || size < kHeaderSize || data[0] != kManufacturer)
        return Error::NotPcx;
    const int version = data[1];
    const int encoding = data[2];
    if ((version != 0 && version != 2 && version != 3 && version != 4 && version != 5) ||
        (encoding != 0 && encoding != 1))
        return Error::NotPcx;
    header.version = version;
    header.encoding = encoding;
    header.bitsPerPixel = data[3];
    header.planes = data[65];
    if (!layoutSupported(header.bitsPerPixel, header.planes))
        return Error::Unsupported;
    const int xMin = u16(data + 4), yMin = u16(data + 6);
    const int xMax = u16(data + 8), yMax = u16(data + 10);
    if (xMax < xMin || yMax < yMin)
        return Error::BadHeader;
    header.width = xMax - xMin + 1;
    header.height = yMax - yMin + 1;
    header.bytesPerLine = u16(data + 66);
    const long long neededBits = static_cast<long long>(header.width) * header.bitsPerPixel;
    if (header.bytesPerLine <= 0 || static_cast<long long>(header.bytesPerLine) * 8 < neededBits)
        return Error::BadHeader;
    return Error::None;
}

Error decode(const std::uint8_t* data, std::size_t size, image::PixelTarget& target,
             std::size_t maxPixels) {
    Header h;
    if (const Error e = readHeader(data, size, h); e != Error::None)
        return e;

    const std::size_t width = static_cast<std::size_t>(h.width);
    const std::size_t height = static_cast<std::size_t>(h.height);
    if (width * height > maxPixels)
        return Error::TooLarge;

    // The 256-colour palette follows the pixel data; those bytes are not pixels. Where it is
    // missing from the end, it is looked for right after the pixel data once that is decoded.
    const bool indexed = h.bitsPerPixel == 8 && h.planes == 1;
    const bool paletteAtEnd = indexed && size >= kHeaderSize + kEndPaletteSize &&
                              data[size - kEndPaletteSize] == kPaletteMarker;
    const std::size_t dataEnd = paletteAtEnd ? size - kEndPaletteSize : size;
    const Palette palette = headerPalette(data, h.bitsPerPixel, h.planes);

    // Refuse at once what the remaining bytes could never fill, before allocating anything.
    const std::size_t planeBytes = static_cast<std::size_t>(h.bytesPerLine);
    const std::size_t lineBytes = planeBytes * static_cast<std::size_t>(h.planes);
    const std::size_t available = dataEnd - kHeaderSize;
    const std::size_t mostDecodable =
        h.encoding == 1 ? (available / 2 + 1) * kLongestRun : available;
    if (lineBytes * height > mostDecodable)
        return Error::Truncated;

    std::vector<std::uint8_t> line;
    try {
        line.resize(lineBytes);
    } catch (const std::bad_alloc&) {
        return Error::TooLarge;
    }
    if (!target.allocate(h.width, h.height, h.bitsPerPixel == 8 && h.planes == 4))
        return Error::TooLarge;
    const auto failed = [&target](Error e) {
        target.discard();
        return e;
    };

    RunReader reader(data + kHeaderSize, available, h.encoding == 1);
    for (std::size_t y = 0; y < height; ++y) {
        if (!target.wanted())
            return failed(Error::Stopped);
        if (!reader.fill(line.data(), lineBytes))
            return failed(Error::Truncated);
        std::uint32_t* row = target.row(static_cast<int>(y));
        const std::uint8_t* l = line.data();
        switch (h.bitsPerPixel) {
        case 1:
            for (std::size_t x = 0; x < width; ++x) {
                unsigned index = 0;
                for (int p = 0; p < h.planes; ++p) {
                    const std::uint8_t byte = l[static_cast<std::size_t>(p) * planeBytes + x / 8];
                    index |= ((byte >> (7 - x % 8)) & 1u) << p;
                }
                row[x] = palette[index];
            }
            break;
        case 2:
            for (std::size_t x = 0; x < width; ++x)
                row[x] = palette[(l[x / 4] >> (6 - 2 * (x % 4))) & 3u];
            break;
        case 4:
            for (std::size_t x = 0; x < width; ++x)
                row[x] = palette[(l[x / 2] >> (x % 2 ? 0 : 4)) & 15u];
            break;
        default: // 8 bits
            if (indexed) {
                // The index for now: the palette may only be known after the last line.
                for (std::size_t x = 0; x < width; ++x)
                    row[x] = l[x];
            } else {
                for (std::size_t x = 0; x < width; ++x) {
                    std::uint32_t pixel = opaque(l[x], l[planeBytes + x], l[2 * planeBytes + x]);
                    if (h.planes == 4)
                        pixel =
                            (pixel & 0x00FFFFFFu) | (std::uint32_t(l[3 * planeBytes + x]) << 24);
                    row[x] = pixel;
                }
            }
            break;
        }
    }
    if (indexed) {
        const std::size_t after = kHeaderSize + reader.position();
        Palette colours{};
        if (paletteAtEnd || (after < size && data[after] == kPaletteMarker)) {
            // A marker after the pixels with fewer bytes than a palette: the file was cut short,
            // and its colours are not known.
            const std::size_t at = paletteAtEnd ? size - kEndPaletteSize : after;
            if (size - at < kEndPaletteSize)
                return failed(Error::Truncated);
            for (std::size_t i = 0; i < 256; ++i)
                colours[i] =
                    opaque(data[at + 1 + 3 * i], data[at + 2 + 3 * i], data[at + 3 + 3 * i]);
        } else {
            // No palette written: the file's values read as grey levels.
            for (std::size_t i = 0; i < 256; ++i) {
                const auto v = static_cast<std::uint8_t>(i);
                colours[i] = opaque(v, v, v);
            }
        }
        for (std::size_t y = 0; y < height; ++y) {
            std::uint32_t* row = target.row(static_cast<int>(y));
            for (std::size_t x = 0; x < width; ++x)
                row[x] = colours[row[x] & 0xFFu];
        }
    }
    return Error::None;
}

} // namespace ardenvo::pcx
