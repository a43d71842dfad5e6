#pragma once

// Picture files written byte by byte: PCX and TGA in every layout the decoders read, and the
// formats Qt reads but does not write (GIF, tiled TIFF).

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ardenvo::test {

inline void putU16(std::string& s, std::size_t at, int v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

// Run-length encoding as PCX writes it: runs of up to 63, single bytes below 0xC0 as they are.
inline std::string pcxRle(const std::vector<std::uint8_t>& raw) {
    std::string out;
    for (std::size_t i = 0, run = 1; i < raw.size(); i += run, run = 1) {
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63)
            ++run;
        if (run > 1 || raw[i] >= 0xC0)
            out += static_cast<char>(0xC0 | run);
        out += static_cast<char>(raw[i]);
    }
    return out;
}

// A PCX file: `index(x, y)` gives the palette index of a paletted picture, `rgba(x, y)` the
// colour of one in three or four planes. An 8-bit picture gets `endPalette` after the marker when
// it is not empty.
struct PcxMaker {
    int bits = 8, planes = 1, width = 13, height = 5;
    bool encoded = true;
    bool runsAcrossLines = false; // one run-length stream for the whole picture
    std::vector<QRgb> headerPalette, endPalette;
    std::function<int(int, int)> index;
    std::function<QRgb(int, int)> rgba;

    int bytesPerLine() const { return ((width * bits + 7) / 8 + 1) / 2 * 2; }

    std::vector<std::uint8_t> rawLine(int y) const {
        const int bpl = bytesPerLine();
        std::vector<std::uint8_t> line(static_cast<std::size_t>(bpl * planes), 0);
        auto at = [&](int plane, int byte) -> std::uint8_t& {
            return line[static_cast<std::size_t>(plane * bpl + byte)];
        };
        for (int x = 0; x < width; ++x) {
            if (bits == 8 && planes >= 3) {
                const QRgb c = rgba(x, y);
                const int channels[] = {qRed(c), qGreen(c), qBlue(c), qAlpha(c)};
                for (int p = 0; p < planes; ++p)
                    at(p, x) = static_cast<std::uint8_t>(channels[p]);
            } else {
                const int v = index(x, y), perByte = 8 / bits;
                for (int p = 0; p < planes; ++p) {
                    const int value = bits == 1 ? (v >> p) & 1 : v;
                    at(p, x / perByte) |=
                        static_cast<std::uint8_t>(value << (8 - bits * (x % perByte + 1)));
                }
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
        for (std::size_t i = 0; i < headerPalette.size() && i < 16; ++i)
            for (int c = 0; c < 3; ++c)
                s[16 + 3 * i + c] = static_cast<char>(headerPalette[i] >> (16 - 8 * c));
        s[65] = static_cast<char>(planes);
        putU16(s, 66, bytesPerLine());
        std::vector<std::uint8_t> all;
        for (int y = 0; y < height; ++y) {
            const auto line = rawLine(y);
            all.insert(all.end(), line.begin(), line.end());
            if (!runsAcrossLines)
                s += encoded ? pcxRle(line) : std::string(line.begin(), line.end());
        }
        if (runsAcrossLines)
            s += pcxRle(all);
        if (!endPalette.empty()) {
            s += '\x0C';
            for (std::size_t i = 0; i < 256; ++i)
                for (int c = 0; c < 3; ++c)
                    s += static_cast<char>(i < endPalette.size() ? endPalette[i] >> (16 - 8 * c)
                                                                 : 0);
        }
        return s;
    }
};

// What a colour becomes in 5 bits a channel.
inline QRgb fiveBitColour(QRgb c, bool keepAlpha = false) {
    auto q = [](int v) {
        return (v >> 3 << 3) | (v >> 5);
    };
    const int alpha = keepAlpha ? (qAlpha(c) >= 128 ? 255 : 0) : 255;
    return qRgba(q(qRed(c)), q(qGreen(c)), q(qBlue(c)), alpha);
}

// A TGA file of any kind: image type 1, 2, 3 (raw) or 9, 10, 11 (run-length packets that carry
// on across rows), stored bottom row first unless `topToBottom`, and right to left on request.
// `colour(x, y)` gives the picture as shown, `index(x, y)` the palette entry of a mapped one.
struct TgaMaker {
    int type = 2, bits = 24, width = 7, height = 5;
    bool topToBottom = false, rightToLeft = false, footer = true;
    int alphaBits = 0;
    int paletteBits = 24, paletteFirst = 0;
    std::vector<QRgb> palette;
    std::string id;
    std::function<QRgb(int, int)> colour;
    std::function<int(int, int)> index;

    static std::string value(QRgb c, int bits) {
        std::string v;
        if (bits == 15 || bits == 16) {
            const int w = (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3 |
                          (qAlpha(c) >= 128 ? 0x8000 : 0);
            v = {static_cast<char>(w & 0xFF), static_cast<char>(w >> 8)};
        } else {
            v = {static_cast<char>(qBlue(c)), static_cast<char>(qGreen(c)),
                 static_cast<char>(qRed(c))};
            if (bits == 32)
                v += static_cast<char>(qAlpha(c));
        }
        return v;
    }

    std::string pixelValue(int x, int y) const {
        if (type % 8 == 1)
            return bits == 8 ? std::string(1, static_cast<char>(index(x, y)))
                             : std::string{static_cast<char>(index(x, y) & 0xFF),
                                           static_cast<char>(index(x, y) >> 8)};
        if (type % 8 == 3)
            return bits == 8 ? std::string(1, static_cast<char>(qGreen(colour(x, y))))
                             : std::string{static_cast<char>(qGreen(colour(x, y))),
                                           static_cast<char>(qAlpha(colour(x, y)))};
        return value(colour(x, y), bits);
    }

    std::string file() const {
        std::string s(18, '\0');
        s[0] = static_cast<char>(id.size());
        s[1] = palette.empty() ? 0 : 1;
        s[2] = static_cast<char>(type);
        putU16(s, 3, paletteFirst);
        putU16(s, 5, static_cast<int>(palette.size()));
        s[7] = static_cast<char>(palette.empty() ? 0 : paletteBits);
        putU16(s, 12, width);
        putU16(s, 14, height);
        s[16] = static_cast<char>(bits);
        s[17] = static_cast<char>(alphaBits | (rightToLeft ? 0x10 : 0) | (topToBottom ? 0x20 : 0));
        s += id;
        for (QRgb c : palette)
            s += value(c, paletteBits);
        std::vector<std::string> values;
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                values.push_back(pixelValue(rightToLeft ? width - 1 - column : column,
                                            topToBottom ? row : height - 1 - row));
        if (type < 8) {
            for (const std::string& v : values)
                s += v;
        } else {
            for (std::size_t i = 0; i < values.size();) {
                std::size_t run = 1;
                while (i + run < values.size() && values[i + run] == values[i] && run < 128)
                    ++run;
                if (run > 1) {
                    s += static_cast<char>(0x80 | (run - 1));
                    s += values[i];
                } else {
                    while (i + run < values.size() && values[i + run] != values[i + run - 1] &&
                           run < 128)
                        ++run;
                    s += static_cast<char>(run - 1);
                    for (std::size_t j = 0; j < run; ++j)
                        s += values[i + j];
                }
                i += run;
            }
        }
        if (footer)
            s += std::string(8, '\0') + "TRUEVISION-XFILE." + '\0';
        return s;
    }
};

// An uncompressed 24-bit TGA, top row first, with or without the second version's footer.
inline std::string tgaFile(const QImage& image, bool footer) {
    std::string s(18, '\0');
    s[2] = 2;
    putU16(s, 12, image.width());
    putU16(s, 14, image.height());
    s[16] = 24;
    s[17] = 0x20;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (int shift : {0, 8, 16})
                s += static_cast<char>(image.pixel(x, y) >> shift);
    if (footer)
        s += std::string(8, '\0') + "TRUEVISION-XFILE." + '\0';
    return s;
}

// A GIF of four colours. The LZW stream starts afresh every two pixels, so its codes stay three
// bits wide and need no dictionary.
inline std::string gifFile(int width, int height, const QRgb (&palette)[4],
                           const std::function<int(int, int)>& index) {
    std::string s = "GIF89a" + std::string(7, '\0');
    putU16(s, 6, width);
    putU16(s, 8, height);
    s[10] = '\xF1'; // a global palette of 4 entries
    for (QRgb c : palette)
        for (int shift : {16, 8, 0})
            s += static_cast<char>(c >> shift);
    std::string descriptor(10, '\0');
    descriptor[0] = 0x2C;
    putU16(descriptor, 5, width);
    putU16(descriptor, 7, height);
    s += descriptor + '\x02'; // minimum code size 2: clear is 4, end is 5
    std::string codes;
    std::uint32_t acc = 0;
    int held = 0;
    auto put = [&](int code) {
        acc |= static_cast<std::uint32_t>(code) << held;
        for (held += 3; held >= 8; held -= 8, acc >>= 8)
            codes += static_cast<char>(acc & 0xFF);
    };
    for (int i = 0; i < width * height; ++i) {
        if (i % 2 == 0)
            put(4);
        put(index(i % width, i / width));
    }
    put(5);
    if (held > 0)
        codes += static_cast<char>(acc & 0xFF);
    for (std::size_t i = 0; i < codes.size(); i += 255) {
        const std::string block = codes.substr(i, 255);
        s += static_cast<char>(block.size()) + block;
    }
    return s + '\0' + ';';
}

} // namespace ardenvo::test
