// The PCX decoder on every layout it reads, pixel for pixel, and on damaged and hostile files.
#include "ImageFileMakers.h"

#include "platform/image/PcxDecoder.h"

#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

pcx::Error decodeBytes(const std::string& bytes, pcx::Image& image,
                       std::size_t maxPixels = pcx::kMaxPixels) {
    return pcx::decode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), image,
                       maxPixels);
}

void expectDecodes(const PcxMaker& maker, const std::function<QRgb(int, int)>& expected,
                   const std::string& what) {
    pcx::Image image;
    ASSERT_EQ(decodeBytes(maker.file(), image), pcx::Error::None) << what;
    ASSERT_EQ(image.width, maker.width) << what;
    ASSERT_EQ(image.height, maker.height) << what;
    for (int y = 0; y < maker.height; ++y)
        for (int x = 0; x < maker.width; ++x)
            ASSERT_EQ(image.pixels[static_cast<std::size_t>(y * maker.width + x)], expected(x, y))
                << what << " at " << x << "," << y;
}

TEST(PcxDecoder, EveryPalettedLayoutGivesItsColoursExactly) {
    std::vector<QRgb> palette;
    for (int i = 0; i < 16; ++i)
        palette.push_back(qRgb(i * 16, 255 - i * 15, (i * 37) % 256));
    for (const auto& [bits, planes] : {std::pair{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 1}, {4, 1}}) {
        for (const bool encoded : {true, false}) {
            PcxMaker maker{bits, planes}; // 13 pixels wide: lines end inside a byte
            maker.encoded = encoded;
            maker.headerPalette = palette;
            const int colours = 1 << (bits * planes);
            maker.index = [colours](int x, int y) {
                return (x * 7 + y * 3 + x / 4) % colours;
            };
            expectDecodes(
                maker, [&](int x, int y) { return palette[maker.index(x, y)]; },
                std::to_string(bits) + " bits x " + std::to_string(planes));
        }
    }
    // Monochrome files often leave the palette zero: they show black and white.
    PcxMaker mono{1, 1};
    mono.index = [](int x, int y) {
        return (x + y) % 2;
    };
    expectDecodes(
        mono, [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); },
        "mono");
}

TEST(PcxDecoder, EightBitsTakeTheEndPaletteAndTrueColourItsPlanes) {
    std::vector<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.push_back(qRgb(i, (i * 3) % 256, 255 - i));
    PcxMaker maker{8, 1, 70, 4}; // runs longer than 63 bytes
    maker.endPalette = palette;
    maker.index = [](int x, int y) {
        return x < 66 ? 200 : (x * 11 + y) % 256;
    };
    expectDecodes(
        maker, [&](int x, int y) { return palette[maker.index(x, y)]; }, "256 colours");
    maker.runsAcrossLines = true; // some writers let a run carry on into the next line
    expectDecodes(
        maker, [&](int x, int y) { return palette[maker.index(x, y)]; }, "across lines");
    maker.endPalette.clear();
    expectDecodes(
        maker,
        [&](int x, int y) { return qRgb(maker.index(x, y), maker.index(x, y), maker.index(x, y)); },
        "no palette: grey");

    PcxMaker colour{8, 3, 9, 6};
    colour.rgba = [](int x, int y) {
        return qRgba(x * 28, y * 40, (x * y * 13) % 256, 255 - x * 20);
    };
    expectDecodes(
        colour, [&](int x, int y) { return colour.rgba(x, y) | 0xFF000000u; }, "24 bits");
    colour.planes = 4;
    expectDecodes(colour, colour.rgba, "32 bits");
}

TEST(PcxDecoder, DamagedAndHostileFilesAreRefusedWithoutAllocatingTheirClaims) {
    PcxMaker maker{4, 1, 40, 30};
    maker.index = [](int x, int y) {
        return (x ^ y) & 15;
    };
    const std::string good = maker.file();
    auto with = [&](std::initializer_list<std::pair<std::size_t, int>> words) {
        std::string s = good;
        for (const auto& [at, v] : words)
            putU16(s, at, v);
        return s;
    };
    std::string zeroRuns = good.substr(0, 128);
    for (int i = 0; i < 5000; ++i)
        zeroRuns += std::string("\xC0\x07", 2); // runs of nothing: the data ends first
    const std::pair<std::string, pcx::Error> cases[] = {
        {"", pcx::Error::NotPcx},
        {good.substr(0, 100), pcx::Error::NotPcx},
        {with({{0, 0x050B}}), pcx::Error::NotPcx},       // signature
        {with({{0, 0x090A}}), pcx::Error::NotPcx},       // version 9
        {with({{2, 0x0402}}), pcx::Error::NotPcx},       // encoding 2
        {with({{2, 0x0301}}), pcx::Error::Unsupported},  // 3 bits per pixel
        {with({{64, 0x0300}}), pcx::Error::Unsupported}, // 4 bits in 3 planes
        {with({{8, 2}}), pcx::Error::BadHeader},         // right edge left of the left one
        {with({{66, 19}}), pcx::Error::BadHeader},       // line too short for 40 pixels
        {good.substr(0, good.size() - 40), pcx::Error::Truncated},
        {good.substr(0, 129), pcx::Error::Truncated},                       // cut inside a run
        {with({{8, 4002}, {10, 4006}, {66, 4000}}), pcx::Error::Truncated}, // 4000 lines of 4000
        {zeroRuns, pcx::Error::Truncated},
        {with({{4, 0}, {6, 0}, {8, 0xFFFF}, {10, 0xFFFF}, {66, 0xFFFF}}), pcx::Error::TooLarge},
    };
    for (const auto& [bytes, expected] : cases) {
        pcx::Image image;
        EXPECT_EQ(decodeBytes(bytes, image), expected) << bytes.size();
        EXPECT_TRUE(image.pixels.empty());
    }
    pcx::Image image;
    EXPECT_EQ(decodeBytes(good, image, 40 * 30 - 1), pcx::Error::TooLarge);
    EXPECT_EQ(decodeBytes(good, image, 40 * 30), pcx::Error::None);

    // 256 colours whose palette was cut off: the colours are unknown, so nothing is shown.
    PcxMaker eight{8, 1, 40, 30};
    eight.endPalette = {qRgb(255, 0, 0), qRgb(0, 0, 255)};
    eight.index = [](int x, int y) {
        return (x + y) % 2;
    };
    const std::string whole = eight.file();
    for (const std::size_t cut : {std::size_t(1), std::size_t(300), std::size_t(768)}) {
        EXPECT_EQ(decodeBytes(whole.substr(0, whole.size() - cut), image), pcx::Error::Truncated)
            << cut;
        EXPECT_TRUE(image.pixels.empty());
    }
    // A whole palette followed by more bytes is still found right after the pixels.
    ASSERT_EQ(decodeBytes(whole + std::string(5, '\x0C'), image), pcx::Error::None);
    EXPECT_EQ(image.pixels[1], qRgb(0, 0, 255));
}

} // namespace
} // namespace ardenvo::test
