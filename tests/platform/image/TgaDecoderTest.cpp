// The TGA decoder on every kind it reads, pixel for pixel in every row order, and on damaged and
// hostile files.
#include "ImageFileMakers.h"

#include "platform/image/TgaDecoder.h"

#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

tga::Error decodeBytes(const std::string& bytes, image::Pixels& image,
                       std::size_t maxPixels = image::kMaxPixels) {
    return tga::decode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), image,
                       maxPixels);
}

// Every variant of the picture in each of the four corners the file may start from.
void expectDecodes(TgaMaker maker, const std::function<QRgb(int, int)>& expected,
                   const std::string& what) {
    for (int corner = 0; corner < 4; ++corner) {
        maker.topToBottom = corner & 1;
        maker.rightToLeft = corner & 2;
        const std::string where = what + " corner " + std::to_string(corner);
        image::Pixels image;
        ASSERT_EQ(decodeBytes(maker.file(), image), tga::Error::None) << where;
        ASSERT_EQ(image.width, maker.width) << where;
        ASSERT_EQ(image.height, maker.height) << where;
        for (int y = 0; y < maker.height; ++y)
            for (int x = 0; x < maker.width; ++x)
                ASSERT_EQ(image.pixels[static_cast<std::size_t>(y * maker.width + x)],
                          expected(x, y))
                    << where << " at " << x << "," << y;
    }
}

QRgb sample(int x, int y) {
    // Runs along each row, so the packets of the encoded kinds repeat and carry on across rows.
    return x < 3 ? qRgba(200, 40, 90, 255) : qRgba(x * 31, y * 47, (x * y * 13) % 256, x * 30);
}

TEST(TgaDecoder, TrueColourAndGreyInEveryDepthRawAndEncoded) {
    for (const int type : {2, 10}) {
        const std::string kind = type == 2 ? "raw " : "encoded ";
        TgaMaker maker;
        maker.type = type;
        maker.colour = sample;
        maker.bits = 24;
        expectDecodes(
            maker, [](int x, int y) { return sample(x, y) | 0xFF000000u; }, kind + "24");
        maker.bits = 32;
        maker.alphaBits = 8;
        expectDecodes(maker, sample, kind + "32 with alpha");
        maker.alphaBits = 0; // the fourth byte is not alpha unless the header says so
        expectDecodes(
            maker, [](int x, int y) { return sample(x, y) | 0xFF000000u; }, kind + "32");
        maker.bits = 15;
        expectDecodes(
            maker, [](int x, int y) { return fiveBitColour(sample(x, y)); }, kind + "15");
        maker.bits = 16;
        maker.alphaBits = 1;
        expectDecodes(
            maker, [](int x, int y) { return fiveBitColour(sample(x, y), true); },
            kind + "16 with alpha");

        TgaMaker grey;
        grey.type = type + 1;
        grey.bits = 8;
        grey.colour = sample;
        expectDecodes(
            grey,
            [](int x, int y) {
                return qRgb(qGreen(sample(x, y)), qGreen(sample(x, y)), qGreen(sample(x, y)));
            },
            kind + "grey");
        grey.bits = 16;
        grey.alphaBits = 8;
        expectDecodes(
            grey,
            [](int x, int y) {
                const int g = qGreen(sample(x, y));
                return qRgba(g, g, g, qAlpha(sample(x, y)));
            },
            kind + "grey with alpha");
    }
}

TEST(TgaDecoder, ColourMappedTakesItsPaletteFromItsFirstEntryInEveryEntrySize) {
    std::vector<QRgb> palette;
    for (int i = 0; i < 40; ++i)
        palette.push_back(qRgba(i * 6, 255 - i * 5, (i * 37) % 256, i < 20 ? 255 : 0));
    for (const int type : {1, 9}) {
        for (const int entryBits : {15, 16, 24, 32}) {
            TgaMaker maker;
            maker.type = type;
            maker.bits = 8;
            maker.palette = palette;
            maker.paletteBits = entryBits;
            maker.paletteFirst = 5; // the file's indices start at 5
            maker.alphaBits = entryBits == 32 ? 8 : entryBits == 16 ? 1 : 0;
            maker.id = "made by a test";
            maker.index = [](int x, int y) {
                return 5 + (x < 4 ? 7 : (x * 3 + y * 5) % 40);
            };
            const auto expected = [&](int x, int y) {
                const QRgb c = palette[static_cast<std::size_t>(maker.index(x, y) - 5)];
                if (entryBits == 15 || entryBits == 16)
                    return fiveBitColour(c, entryBits == 16);
                return entryBits == 24 ? c | 0xFF000000u : c;
            };
            const std::string what =
                "type " + std::to_string(type) + ", " + std::to_string(entryBits) + "-bit entries";
            expectDecodes(maker, expected, what);
            maker.bits = 16; // indices of two bytes
            expectDecodes(maker, expected, what + ", 16-bit indices");
        }
    }
}

TEST(TgaDecoder, DamagedAndHostileFilesAreRefusedWithoutAllocatingTheirClaims) {
    TgaMaker maker;
    maker.colour = sample;
    const std::string raw = maker.file();
    maker.type = 10;
    const std::string encoded = maker.file();
    TgaMaker mapped;
    mapped.type = 1;
    mapped.bits = 8;
    mapped.palette = {qRgb(1, 2, 3), qRgb(4, 5, 6)};
    mapped.index = [](int x, int) {
        return x % 2;
    };
    auto with = [](std::string s, std::initializer_list<std::pair<std::size_t, int>> bytes) {
        for (const auto& [at, v] : bytes)
            s[at] = static_cast<char>(v);
        return s;
    };
    // 8192 x 8192 at 32 bits in 47 bytes: a header, a footer and nothing to fill it with.
    TgaMaker vast;
    vast.colour = sample;
    vast.width = 1;
    vast.height = 1;
    vast.bits = 32;
    std::string claims = vast.file();
    claims.erase(18, 1);
    putU16(claims, 12, 8192);
    putU16(claims, 14, 8192);
    std::string claimsEncoded = with(claims, {{2, 10}});

    const std::pair<std::string, tga::Error> cases[] = {
        {"", tga::Error::NotTga},
        {raw.substr(0, 17), tga::Error::NotTga},
        {with(raw, {{1, 2}}), tga::Error::NotTga},             // palette type 2
        {with(raw, {{2, 32}}), tga::Error::NotTga},            // Huffman coding
        {with(raw, {{16, 12}}), tga::Error::NotTga},           // 12 bits per pixel
        {with(raw, {{1, 1}, {7, 24}}), tga::Error::BadHeader}, // a palette of no entries
        {with(raw, {{12, 0}}), tga::Error::BadHeader},         // no width
        {with(raw, {{17, 0x40}}), tga::Error::Unsupported},    // interleaved rows
        {raw.substr(0, raw.size() - 30), tga::Error::Truncated},
        {encoded.substr(0, 40), tga::Error::Truncated},
        {claims, tga::Error::Truncated},
        {claimsEncoded, tga::Error::Truncated},
        {with(mapped.file(), {{24, 2}}), tga::Error::BadIndex}, // entry 2 of two
        {with(raw, {{12, 0xFF}, {13, 0xFF}, {14, 0xFF}, {15, 0xFF}}), tga::Error::TooLarge},
    };
    for (const auto& [bytes, expected] : cases) {
        image::Pixels image;
        EXPECT_EQ(decodeBytes(bytes, image), expected) << bytes.size();
        EXPECT_TRUE(image.pixels.empty());
        EXPECT_EQ(image.width, 0);
    }
    EXPECT_EQ(claims.size(), 47u);
    image::Pixels image;
    EXPECT_EQ(decodeBytes(raw, image, 7 * 5 - 1), tga::Error::TooLarge);
    EXPECT_EQ(decodeBytes(raw, image, 7 * 5), tga::Error::None);
}

} // namespace
} // namespace ardenvo::test
