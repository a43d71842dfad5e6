#pragma once

// Image files written byte by byte, for the formats Qt reads but does not write (TGA, GIF) and for
// PCX, in the layouts the decoder must read.

#include <QColor>
#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ardenvo::test {

// Run-length encoding as PCX writes it: runs of up to 63, single bytes below 0xC0 as they are.
inline std::string pcxRle(const std::vector<std::uint8_t>& raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size();) {
        std::size_t run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63)
            ++run;
        if (run > 1 || raw[i] >= 0xC0)
            out += static_cast<char>(0xC0 | run);
        out += static_cast<char>(raw[i]);
        i += run;
    }
    return out;
}

inline void putU16(std::string& s, std::size_t at, int v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

// A PCX file of `bits` per pixel in `planes` planes. `index(x, y)` gives the palette index of a
// paletted picture, `rgba(x, y)` the colour of a 24- or 32-bit one. The 16-colour header palette
// is `headerPalette`; an 8-bit picture gets `endPalette` after the marker when it is not empty.
struct PcxMaker {
    int bits = 8;
    int planes = 1;
    int width = 13;
    int height = 5;
    bool encoded = true;
    bool runsAcrossLines = false; // one run-length stream for the whole picture
    std::vector<QRgb> headerPalette;
    std::vector<QRgb> endPalette;
    std::function<int(int, int)> index;
    std::function<QRgb(int, int)> rgba;

    int bytesPerLine() const {
        const int bytes = (width * bits + 7) / 8;
        return bytes + bytes % 2; // even, as the format asks
    }

    std::vector<std::uint8_t> rawLine(int y) const {
        const int bpl = bytesPerLine();
        std::vector<std::uint8_t> line(static_cast<std::size_t>(bpl * planes), 0);
        for (int x = 0; x < width; ++x) {
            if (bits == 8 && planes >= 3) {
                const QRgb c = rgba(x, y);
                const int channels[] = {qRed(c), qGreen(c), qBlue(c), qAlpha(c)};
                for (int p = 0; p < planes; ++p)
                    line[static_cast<std::size_t>(p * bpl + x)] =
                        static_cast<std::uint8_t>(channels[p]);
            } else if (bits == 1) {
                const int v = index(x, y);
                for (int p = 0; p < planes; ++p)
                    if ((v >> p) & 1)
                        line[static_cast<std::size_t>(p * bpl + x / 8)] |=
                            static_cast<std::uint8_t>(0x80 >> (x % 8));
            } else {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                line[static_cast<std::size_t>(x / perByte)] |=
                    static_cast<std::uint8_t>(index(x, y) << shift);
            }
        }
        return line;
    }

    std::string file() const {
        std::string s(128, '\0');
        s[0] = 0x0A;
        s[1] = 5;
        s[2] = encoded ? 1 : 0;
        s[3] = static_cast<char>(bits);
        putU16(s, 4, 3); // a picture need not start at 0
        putU16(s, 6, 7);
        putU16(s, 8, 3 + width - 1);
        putU16(s, 10, 7 + height - 1);
        for (std::size_t i = 0; i < headerPalette.size() && i < 16; ++i) {
            s[16 + 3 * i] = static_cast<char>(qRed(headerPalette[i]));
            s[17 + 3 * i] = static_cast<char>(qGreen(headerPalette[i]));
            s[18 + 3 * i] = static_cast<char>(qBlue(headerPalette[i]));
        }
        s[65] = static_cast<char>(planes);
        putU16(s, 66, bytesPerLine());
        std::vector<std::uint8_t> all;
        for (int y = 0; y < height; ++y) {
            const auto line = rawLine(y);
            if (!encoded)
                s.append(line.begin(), line.end());
            else if (runsAcrossLines)
                all.insert(all.end(), line.begin(), line.end());
            else
                s += pcxRle(line);
        }
        if (runsAcrossLines)
            s += pcxRle(all);
        if (!endPalette.empty()) {
            s += '\x0C';
            for (std::size_t i = 0; i < 256; ++i) {
                const QRgb c = i < endPalette.size() ? endPalette[i] : 0;
                s += static_cast<char>(qRed(c));
                s += static_cast<char>(qGreen(c));
                s += static_cast<char>(qBlue(c));
            }
        }
        return s;
    }
};

// An uncompressed 24-bit TGA, top row first, with the version 2 footer Qt's reader asks for.
inline std::string tgaFile(const QImage& image) {
    std::string s(18, '\0');
    s[2] = 2;
    putU16(s, 12, image.width());
    putU16(s, 14, image.height());
    s[16] = 24;
    s[17] = 0x20;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            s += static_cast<char>(qBlue(c));
            s += static_cast<char>(qGreen(c));
            s += static_cast<char>(qRed(c));
        }
    s += std::string(8, '\0');
    s += std::string("TRUEVISION-XFILE.") + '\0';
    return s;
}

// A GIF of up to four colours. The LZW stream starts afresh every two pixels, so its codes stay
// three bits wide and need no dictionary here.
inline std::string gifFile(int width, int height, const std::vector<QRgb>& palette,
                           const std::function<int(int, int)>& index) {
    std::string s = "GIF89a";
    s += std::string(4, '\0');
    putU16(s, 6, width);
    putU16(s, 8, height);
    s += '\xF1'; // global palette of 4 entries
    s += '\0';
    s += '\0';
    for (int i = 0; i < 4; ++i) {
        const QRgb c =
            i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0;
        s += static_cast<char>(qRed(c));
        s += static_cast<char>(qGreen(c));
        s += static_cast<char>(qBlue(c));
    }
    std::string d(10, '\0');
    d[0] = 0x2C;
    putU16(d, 5, width);
    putU16(d, 7, height);
    s += d.substr(0, 10);
    s += '\x02'; // minimum code size

    std::vector<std::uint8_t> bytes;
    std::uint32_t acc = 0;
    int bitsHeld = 0;
    auto put = [&](int code) {
        acc |= static_cast<std::uint32_t>(code) << bitsHeld;
        bitsHeld += 3;
        while (bitsHeld >= 8) {
            bytes.push_back(static_cast<std::uint8_t>(acc & 0xFF));
            acc >>= 8;
            bitsHeld -= 8;
        }
    };
    int sinceClear = 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (sinceClear == 2) {
                put(4);
                sinceClear = 0;
            }
            put(index(x, y));
            ++sinceClear;
        }
    put(5);
    if (bitsHeld > 0)
        bytes.push_back(static_cast<std::uint8_t>(acc & 0xFF));
    for (std::size_t i = 0; i < bytes.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, bytes.size() - i);
        s += static_cast<char>(n);
        s.append(reinterpret_cast<const char*>(bytes.data() + i), n);
    }
    s += '\0';
    s += ';';
    return s;
}

} // namespace ardenvo::test
