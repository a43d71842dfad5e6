// The image class on files the tests write: every format by its content whatever the file is
// called, scaled decoding, and files that must be refused.
#include "ImageFileMakers.h"

#include "platform/image/ImageFile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

namespace ardenvo::test {
namespace {

QImage pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) % 256));
    return image;
}

std::string encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, format).write(image)) << format;
    return bytes.toStdString();
}

class ImageFileTest : public testing::Test {
protected:
    QString write(const QString& name, const std::string& bytes) {
        const QString path = dir.filePath(name);
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ImageFileTest, EachFormatIsReadByItsContentWhateverTheFileIsCalled) {
    const QImage source = pattern(40, 30);
    PcxMaker pcx{8, 3, 40, 30};
    pcx.rgba = [&](int x, int y) {
        return source.pixel(x, y);
    };
    const QRgb four[4] = {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)};
    auto gifIndex = [](int x, int y) {
        return (x / 3 + y) % 4;
    };
    TgaMaker tga; // bottom row first, as most programs write it, in run-length packets
    tga.type = 10;
    tga.width = 40;
    tga.height = 30;
    tga.colour = [&](int x, int y) {
        return source.pixel(x, y);
    };
    QImage gifPixels(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            gifPixels.setPixel(x, y, four[gifIndex(x, y)]);

    const std::tuple<const char*, std::string, QImage> cases[] = {
        {"bmp", encoded(source, "bmp"), source},
        {"png", encoded(source, "png"), source},
        {"jpeg", encoded(source, "jpeg"), QImage()}, // lossy: compared loosely
        {"tiff", encoded(source, "tiff"), source},
        {"tga", tgaFile(source, true), source},
        {"tga", tgaFile(source, false), source}, // the first version, which starts like an icon
        {"tga", tga.file(), source},
        {"gif", gifFile(40, 30, four, gifIndex), gifPixels},
        {"pcx", pcx.file(), source},
    };
    for (const auto& [format, bytes, expected] : cases) {
        for (const QString& name : {QStringLiteral("picture.jpg"), QStringLiteral("notes.TXT")}) {
            ImageFile image;
            // Read alike when the caller may stop the decoding (through a device of our own).
            if (name.endsWith("TXT"))
                image.setWanted([] { return true; });
            ASSERT_TRUE(image.load(write(name, bytes))) << format;
            EXPECT_EQ(image.format().toStdString(), format);
            EXPECT_EQ(image.naturalSize(), QSize(40, 30)) << format;
            if (!expected.isNull()) {
                EXPECT_EQ(image.image().convertToFormat(QImage::Format_RGB32), expected) << format;
            } else {
                EXPECT_NEAR(qRed(image.image().pixel(30, 20)), qRed(source.pixel(30, 20)), 24);
                EXPECT_NEAR(qGreen(image.image().pixel(30, 20)), qGreen(source.pixel(30, 20)), 24);
            }
        }
    }
}

TEST_F(ImageFileTest, AMaximumSizeDecodesScaledDownKeepingProportionsAndTheNaturalSize) {
    const QImage big = pattern(1600, 1200);
    PcxMaker pcx{8, 3, 1600, 1200};
    pcx.rgba = [&](int x, int y) {
        return big.pixel(x, y);
    };
    for (const auto& [format, bytes] :
         {std::pair{"jpeg", encoded(big, "jpeg")}, std::pair{"png", encoded(big, "png")},
          std::pair{"pcx", pcx.file()}}) {
        ImageFile image;
        ASSERT_TRUE(image.load(write("big", bytes), QSize(220, 143))) << format;
        EXPECT_EQ(image.naturalSize(), QSize(1600, 1200)) << format;
        EXPECT_EQ(image.image().size(), QSize(190, 143)) << format;
    }
    ImageFile small; // a picture that fits stays as it is
    ASSERT_TRUE(small.load(write("small", encoded(pattern(100, 50), "png")), QSize(220, 143)));
    EXPECT_EQ(small.image().size(), QSize(100, 50));
    EXPECT_EQ(ImageFile::fitInside({5000, 10}, {220, 143}), QSize(220, 1)); // never empty
}

TEST_F(ImageFileTest, DamagedHostileAndOtherFilesGiveAnErrorAndNoPicture) {
    const std::string png = encoded(pattern(40, 30), "png");
    // A BMP whose header claims 60000 x 60000 pixels: far beyond the allocation limit.
    std::string vast = encoded(pattern(4, 4), "bmp");
    putU16(vast, 18, 60000);
    putU16(vast, 22, 60000);
    const std::pair<const char*, std::string> cases[] = {
        {"empty.png", ""},
        {"text.png", "just some notes, not a picture\n"},
        {"cut.png", png.substr(0, png.size() / 2)},
        {"vast.bmp", vast},
        {"drawing.png", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"9\" height=\"9\"/>"},
        {"icon.png", encoded(pattern(16, 16), "ico")}, // Qt reads them; we do not offer them
    };
    ImageFile image;
    for (const auto& [name, bytes] : cases) {
        ASSERT_TRUE(image.load(write("good.png", png)));
        EXPECT_FALSE(image.load(write(name, bytes))) << name;
        EXPECT_TRUE(image.isNull()) << name;
        EXPECT_TRUE(image.format().isEmpty()) << name;
        EXPECT_FALSE(image.errorString().isEmpty()) << name;
    }
    EXPECT_FALSE(image.load(dir.filePath("missing.png")));
    EXPECT_EQ(image.errorString(), QStringLiteral("No such file"));
    EXPECT_FALSE(image.load(dir.path()));
    EXPECT_EQ(image.errorString(), QStringLiteral("Not a file"));
}

std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

void putBigEndian(std::string& s, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * (bytes - 1 - i)));
}

TEST_F(ImageFileTest, OneLimitForEveryReadAndClaimsBeyondTheBytesRefusedBeforeDecoding) {
    EXPECT_GE(ImageFile::kMaxPixels, 200u * 1000u * 1000u); // a phone camera's photo is read

    std::string png = encoded(pattern(4, 4), "png"); // 20000 x 20000 with a sound header
    putBigEndian(png, 16, 20000, 4);
    putBigEndian(png, 20, 20000, 4);
    putBigEndian(png, 29, crc32(png.substr(12, 17)), 4);
    std::string jpeg = encoded(pattern(16, 16), "jpeg"); // 65500 x 65500 in a few hundred bytes
    const std::size_t frame = jpeg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    putBigEndian(jpeg, frame + 5, 65500, 2);
    putBigEndian(jpeg, frame + 7, 65500, 2);
    std::string photo = jpeg; // 120 megapixels: within the limit, but not in these bytes
    putBigEndian(photo, frame + 5, 10000, 2);
    putBigEndian(photo, frame + 7, 12000, 2);
    std::string bmp = encoded(pattern(1, 1), "bmp"); // 8192 x 8192 at 32 bits in 58 bytes
    putU16(bmp, 18, 8192);
    putU16(bmp, 22, 8192);
    bmp[28] = 32;
    std::string topDown = bmp; // and 8192 x -8192, the rows from the top
    putU16(topDown, 22, -8192 & 0xFFFF);
    topDown[24] = topDown[25] = '\xFF';
    TgaMaker tgaMaker; // 8192 x 8192 at 32 bits in 47 bytes
    tgaMaker.width = tgaMaker.height = 1;
    tgaMaker.colour = [](int, int) {
        return qRgb(1, 2, 3);
    };
    std::string tga = tgaMaker.file();
    putU16(tga, 12, 8192);
    putU16(tga, 14, 8192);
    tga[16] = 32;

    const std::pair<std::string, QString> cases[] = {
        {png, QStringLiteral("The picture is too large")},
        {jpeg, QStringLiteral("The picture is too large")},
        {photo, QStringLiteral("The file is too small for the picture it claims")},
        {bmp, QStringLiteral("The file is too small for the picture it claims")},
        {topDown, QStringLiteral("The picture's size cannot be read")},
        {tga, QStringLiteral("TGA pixel data cut short")},
    };
    for (const auto& [bytes, error] : cases) {
        // Whatever size the caller wants the picture in, the same files are refused.
        for (const QSize& wanted : {QSize(), QSize(64, 64)}) {
            ImageFile image;
            EXPECT_FALSE(image.load(write("claim", bytes), wanted));
            EXPECT_EQ(image.errorString(), error) << bytes.size();
            EXPECT_TRUE(image.isNull());
        }
    }

    // A decoding whose picture is no longer wanted stops.
    PcxMaker pcx{8, 3, 40, 30};
    pcx.rgba = [](int x, int y) {
        return qRgb(x, y, 0);
    };
    for (const std::string& bytes : {pcx.file(), tgaFile(pattern(40, 30), true)}) {
        ImageFile image;
        image.setWanted([] { return false; });
        EXPECT_FALSE(image.load(write("stopped", bytes)));
        EXPECT_TRUE(image.errorString().endsWith(QStringLiteral("decoding stopped")));
        EXPECT_TRUE(image.stopped());
        image.setWanted({});
        EXPECT_TRUE(image.load(write("stopped", bytes)));
        EXPECT_FALSE(image.stopped());
    }
    // Qt's decoders are stopped midway through the file, and read it as before while wanted;
    // only a file cut short is said to be, not one whose decoding was stopped.
    static QStringList warnings;
    qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
    const std::string big = encoded(pattern(1600, 1200), "jpeg");
    const QString large = write("large", big);
    // Qt's JPEG decoder reads 4 KiB at a time.
    const int halfway = std::max(4, int(big.size() / 8192));
    for (const int wantedFor : {halfway, 1000000}) {
        ImageFile image;
        int asked = 0;
        image.setWanted([&] { return ++asked <= wantedFor; });
        const bool whole = wantedFor > halfway;
        EXPECT_EQ(image.load(large, QSize(200, 200)), whole);
        EXPECT_EQ(image.stopped(), !whole);
        EXPECT_EQ(image.naturalSize(), whole ? QSize(1600, 1200) : QSize());
        if (!whole) {
            EXPECT_LE(asked, wantedFor + 1) << "the decoder read on after being stopped";
        }
    }
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
    ImageFile cut;
    cut.setWanted([] { return true; });
    EXPECT_TRUE(cut.load(write("cut", big.substr(0, big.size() / 2))));
    EXPECT_EQ(warnings.size(), 1) << "a file cut short is no longer said to be";
    qInstallMessageHandler(nullptr);
}

// A 16 x 16 TIFF kept in tiles: grey in one tile, or red, green and blue each in its own plane
// and tile. Sample (x, y) of a plane is y * 16 + x + the plane's number.
std::string tiledTiff(int planes) {
    struct Tag {
        int tag, type;
        std::vector<std::uint32_t> values;
    };
    const std::uint32_t n = static_cast<std::uint32_t>(planes);
    std::vector<Tag> tags = {{256, 3, {16}},
                             {257, 3, {16}},
                             {258, 3, {}},
                             {259, 3, {1}},
                             {262, 3, {planes == 1 ? 1u : 2u}},
                             {277, 3, {n}},
                             {284, 3, {planes == 1 ? 1u : 2u}},
                             {322, 3, {16}},
                             {323, 3, {16}},
                             {324, 4, {}},
                             {325, 4, {}}};
    const std::size_t extraAt = 8 + 2 + 12 * tags.size() + 4;
    const std::size_t pixelsAt = extraAt + 3 * 4 * 3;
    for (std::uint32_t p = 0; p < n; ++p) {
        tags[2].values.push_back(8);
        tags[9].values.push_back(static_cast<std::uint32_t>(pixelsAt) + 256 * p);
        tags[10].values.push_back(256);
    }
    std::string s = std::string("II*\0", 4) + std::string(4, '\0');
    putU16(s, 4, 8);
    std::string entries(2, '\0'), extra;
    putU16(entries, 0, static_cast<int>(tags.size()));
    const auto put = [](std::string& out, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>(v >> (8 * i));
    };
    for (const Tag& t : tags) {
        const int size = t.type == 3 ? 2 : 4;
        put(entries, static_cast<std::uint32_t>(t.tag), 2);
        put(entries, static_cast<std::uint32_t>(t.type), 2);
        put(entries, static_cast<std::uint32_t>(t.values.size()), 4);
        std::string data;
        for (std::uint32_t v : t.values)
            put(data, v, size);
        if (data.size() > 4) {
            put(entries, static_cast<std::uint32_t>(extraAt + extra.size()), 4);
            extra += data + std::string(12 - data.size(), '\0');
        } else {
            entries += data + std::string(4 - data.size(), '\0');
        }
    }
    s += entries + std::string(4, '\0') + extra;
    s.resize(pixelsAt, '\0');
    for (int p = 0; p < planes; ++p)
        for (int i = 0; i < 256; ++i)
            s += static_cast<char>(i + p);
    return s;
}

TEST_F(ImageFileTest, ATiledTiffIsReadOrSaidToBeUnsupported) {
    for (const int planes : {1, 3}) {
        const QString path = write("tiles.tif", tiledTiff(planes));
        const int v = 2 * 16 + 3;
        const QRgb expected = planes == 1 ? qRgb(v, v, v) : qRgb(v, v + 1, v + 2);
        for (const QSize& wanted : {QSize(), QSize(8, 8)}) {
            ImageFile image;
            if (image.load(path, wanted)) {
                EXPECT_EQ(image.naturalSize(), QSize(16, 16));
                if (!wanted.isValid())
                    EXPECT_EQ(image.image().pixel(3, 2), expected) << planes;
            } else {
                EXPECT_EQ(image.errorString(), QStringLiteral("TIFF pictures stored in tiles of "
                                                              "this kind are not supported"));
            }
        }
    }
}

} // namespace
} // namespace ardenvo::test
