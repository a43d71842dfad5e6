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

std::vector<QRgb> sixteenColours() {
    std::vector<QRgb> palette;
    for (int i = 0; i < 16; ++i)
        palette.push_back(qRgb(i * 16, 255 - i * 15, (i * 37) % 256));
    return palette;
}

void expectPixels(const pcx::Image& image, const PcxMaker& maker,
                  const std::function<QRgb(int, int)>& expected, const char* what) {
    ASSERT_EQ(image.width, maker.width) << what;
    ASSERT_EQ(image.height, maker.height) << what;
    for (int y = 0; y < maker.height; ++y)
        for (int x = 0; x < maker.width; ++x)
            ASSERT_EQ(image.pixels[static_cast<std::size_t>(y * maker.width + x)], expected(x, y))
                << what << " at " << x << "," << y;
}

TEST(PcxDecoder, EveryPalettedLayoutGivesItsColoursExactly) {
    const std::vector<QRgb> palette = sixteenColours();
    struct Layout {
        int bits, planes;
        const char* name;
    };
    for (const Layout layout :
         {Layout{1, 1, "1 bit"}, Layout{1, 2, "1 bit x 2 planes"}, Layout{1, 3, "1 bit x 3 planes"},
          Layout{1, 4, "1 bit x 4 planes"}, Layout{2, 1, "2 bits"}, Layout{4, 1, "4 bits"}}) {
        for (const bool encoded : {true, false}) {
            PcxMaker maker;
            maker.bits = layout.bits;
            maker.planes = layout.planes;
            maker.width = 13; // lines end inside a byte
            maker.encoded = encoded;
            maker.headerPalette = palette;
            const int colours = 1 << (layout.bits * layout.planes);
            maker.index = [colours](int x, int y) {
                return (x * 7 + y * 3 + x / 4) % colours;
            };
            pcx::Image image;
            ASSERT_EQ(decodeBytes(maker.file(), image), pcx::Error::None) << layout.name;
            EXPECT_FALSE(image.hasAlpha);
            expectPixels(
                image, maker,
                [&](int x, int y) { return palette[static_cast<std::size_t>(maker.index(x, y))]; },
                layout.name);
        }
    }
}

TEST(PcxDecoder, MonochromeWithoutAPaletteIsBlackAndWhite) {
    PcxMaker maker;
    maker.bits = 1;
    maker.index = [](int x, int y) {
        return (x + y) % 2;
    };
    pcx::Image image;
    ASSERT_EQ(decodeBytes(maker.file(), image), pcx::Error::None);
    expectPixels(
        image, maker,
        [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }, "mono");
}

TEST(PcxDecoder, EightBitsTakeTheEndPaletteOrReadAsGreyWithoutIt) {
    std::vector<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.push_back(qRgb(i, (i * 3) % 256, 255 - i));
    PcxMaker maker;
    maker.width = 70; // runs longer than 63 bytes
    maker.height = 4;
    maker.headerPalette = sixteenColours(); // not used by 8-bit pictures
    maker.endPalette = palette;
    maker.index = [](int x, int y) {
        return x < 66 ? 200 : (x * 11 + y) % 256;
    };
    pcx::Image image;
    ASSERT_EQ(decodeBytes(maker.file(), image), pcx::Error::None);
    expectPixels(
        image, maker,
        [&](int x, int y) { return palette[static_cast<std::size_t>(maker.index(x, y))]; },
        "256 colours");

    maker.endPalette.clear();
    ASSERT_EQ(decodeBytes(maker.file(), image), pcx::Error::None);
    expectPixels(
        image, maker,
        [&](int x, int y) {
            const int v = maker.index(x, y);
            return qRgb(v, v, v);
        },
        "grey");
}

TEST(PcxDecoder, TrueColourInThreePlanesAndAlphaInAFourth) {
    PcxMaker maker;
    maker.width = 9;
    maker.height = 6;
    maker.rgba = [](int x, int y) {
        return qRgba(x * 28, y * 40, (x * y * 13) % 256, 255 - x * 20);
    };
    for (const int planes : {3, 4}) {
        maker.planes = planes;
        pcx::Image image;
        ASSERT_EQ(decodeBytes(maker.file(), image), pcx::Error::None) << planes;
        EXPECT_EQ(image.hasAlpha, planes == 4);
        expectPixels(
            image, maker,
            [&](int x, int y) {
                const QRgb c = maker.rgba(x, y);
                return planes == 4 ? c : (c | 0xFF000000u);
            },
            planes == 3 ? "24 bits" : "32 bits");
    }
}

TEST(PcxDecoder, ARunMayCarryOnIntoTheNextLine) {
    PcxMaker maker;
    maker.width = 20;
    maker.height = 8;
    maker.runsAcrossLines = true;
    maker.endPalette = std::vector<QRgb>(256, qRgb(10, 20, 30));
    maker.index = [](int, int y) {
        return y < 7 ? 5 : 6;
    };
    const std::string bytes = maker.file();
    ASSERT_LT(bytes.size(), 128u + 20u + 769u); // the runs did cross the lines
    pcx::Image image;
    ASSERT_EQ(decodeBytes(bytes, image), pcx::Error::None);
    EXPECT_EQ(image.pixels.back(), qRgb(10, 20, 30));
}

TEST(PcxDecoder, DamagedAndHostileFilesAreRefusedWithoutAllocatingTheirClaims) {
    PcxMaker maker;
    maker.width = 40;
    maker.height = 30;
    maker.bits = 4;
    maker.index = [](int x, int y) {
        return (x ^ y) & 15;
    };
    const std::string good = maker.file();
    pcx::Image image;

    struct Case {
        const char* what;
        std::string bytes;
        pcx::Error expected;
    };
    auto withU16 = [&](std::size_t at, int v) {
        std::string s = good;
        putU16(s, at, v);
        return s;
    };
    auto withByte = [&](std::size_t at, char v) {
        std::string s = good;
        s[at] = v;
        return s;
    };
    // A header that claims thousands of lines of 64 KiB over a few bytes of data.
    std::string huge = withU16(8, 3 + 3999);
    putU16(huge, 10, 7 + 3999);
    putU16(huge, 66, 4000);
    std::string zeroRuns = good.substr(0, 128);
    for (int i = 0; i < 5000; ++i)
        zeroRuns += std::string("\xC0\x07", 2); // runs of nothing: the data ends first
    std::string vast = withU16(66, 0xFFFF);
    vast.replace(4, 8, std::string(4, '\0') + "\xFF\xFF\xFF\xFF");
    const Case cases[] = {
        {"empty", "", pcx::Error::NotPcx},
        {"header only in part", good.substr(0, 100), pcx::Error::NotPcx},
        {"wrong signature", withByte(0, 0x0B), pcx::Error::NotPcx},
        {"unknown version", withByte(1, 9), pcx::Error::NotPcx},
        {"unknown encoding", withByte(2, 2), pcx::Error::NotPcx},
        {"3 bits per pixel", withByte(3, 3), pcx::Error::Unsupported},
        {"4 bits in 3 planes", withByte(65, 3), pcx::Error::Unsupported},
        {"no planes", withByte(65, 0), pcx::Error::Unsupported},
        {"right edge before left", withU16(8, 2), pcx::Error::BadHeader},
        {"line too short for the width", withU16(66, 19), pcx::Error::BadHeader},
        {"zero line length", withU16(66, 0), pcx::Error::BadHeader},
        {"cut in the pixels", good.substr(0, good.size() - 40), pcx::Error::Truncated},
        {"cut inside a run", good.substr(0, 128 + 1), pcx::Error::Truncated},
        {"more lines than data", huge, pcx::Error::Truncated},
        {"runs of nothing", zeroRuns, pcx::Error::Truncated},
        {"65536 x 65536", vast, pcx::Error::TooLarge},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodeBytes(c.bytes, image), c.expected) << c.what;
        EXPECT_TRUE(image.pixels.empty()) << c.what;
        EXPECT_EQ(image.width, 0) << c.what;
    }
    EXPECT_EQ(decodeBytes(good, image, 40 * 30 - 1), pcx::Error::TooLarge);
    EXPECT_EQ(decodeBytes(good, image, 40 * 30), pcx::Error::None);
    EXPECT_TRUE(pcx::looksLikePcx(reinterpret_cast<const std::uint8_t*>(good.data()), good.size()));
}

} // namespace
} // namespace ardenvo::test
