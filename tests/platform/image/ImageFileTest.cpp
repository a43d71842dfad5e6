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
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format << writer.errorString().toStdString();
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

bool samePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

TEST_F(ImageFileTest, EachFormatIsReadByItsContentWhateverTheFileIsCalled) {
    const QImage source = pattern(40, 30);
    PcxMaker pcx;
    pcx.planes = 3;
    pcx.width = 40;
    pcx.height = 30;
    pcx.rgba = [&](int x, int y) {
        return source.pixel(x, y);
    };
    const std::vector<QRgb> four = {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255),
                                    qRgb(9, 9, 9)};
    auto gifIndex = [](int x, int y) {
        return (x / 3 + y) % 4;
    };
    QImage gifPixels(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            gifPixels.setPixel(x, y, four[static_cast<std::size_t>(gifIndex(x, y))]);

    struct Case {
        const char* format;
        std::string bytes;
        QImage expected; // null: a lossy format, compared loosely
    };
    const Case cases[] = {
        {"bmp", encoded(source, "bmp"), source},
        {"png", encoded(source, "png"), source},
        {"jpeg", encoded(source, "jpeg"), QImage()},
        {"tiff", encoded(source, "tiff"), source},
        {"tga", tgaFile(source), source},
        {"tga", tgaFile(source).substr(0, tgaFile(source).size() - 26), source}, // no footer
        {"gif", gifFile(40, 30, four, gifIndex), gifPixels},
        {"pcx", pcx.file(), source},
    };
    // Named as something else: the content decides.
    for (const Case& c : cases) {
        for (const QString& name : {QStringLiteral("picture.jpg"), QStringLiteral("no-extension"),
                                    QStringLiteral("notes.TXT")}) {
            ImageFile image;
            ASSERT_TRUE(image.load(write(name, c.bytes)))
                << c.format << image.errorString().toStdString();
            EXPECT_EQ(image.format().toStdString(), c.format);
            EXPECT_EQ(image.naturalSize(), QSize(40, 30)) << c.format;
            if (!c.expected.isNull()) {
                EXPECT_TRUE(samePixels(image.image(), c.expected)) << c.format;
            } else {
                const QRgb p = image.image().pixel(30, 20), q = source.pixel(30, 20);
                EXPECT_NEAR(qRed(p), qRed(q), 24) << c.format;
                EXPECT_NEAR(qGreen(p), qGreen(q), 24) << c.format;
            }
        }
        ImageFile fromMemory;
        EXPECT_TRUE(fromMemory.loadFromData(QByteArray::fromStdString(c.bytes))) << c.format;
        EXPECT_EQ(fromMemory.format().toStdString(), c.format);
    }
}

TEST_F(ImageFileTest, AMaximumSizeDecodesScaledDownKeepingProportionsAndTheNaturalSize) {
    const QImage big = pattern(1600, 1200);
    PcxMaker pcx;
    pcx.planes = 3;
    pcx.width = 1600;
    pcx.height = 1200;
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
    // A picture that fits stays as it is.
    ImageFile small;
    ASSERT_TRUE(small.load(write("small.png", encoded(pattern(100, 50), "png")), QSize(220, 143)));
    EXPECT_EQ(small.image().size(), QSize(100, 50));

    EXPECT_EQ(ImageFile::fitInside({4000, 3000}, {220, 143}), QSize(190, 143));
    EXPECT_EQ(ImageFile::fitInside({5000, 10}, {220, 143}), QSize(220, 1)); // never empty
    EXPECT_EQ(ImageFile::fitInside({300, 200}, QSize()), QSize(300, 200));
}

// The CRC the PNG chunks carry, so that a forged header is read as a sound one.
std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

TEST_F(ImageFileTest, DamagedHostileAndOtherFilesGiveAnErrorAndNoPicture) {
    std::string png = encoded(pattern(40, 30), "png");
    // IHDR claims 60000 x 60000: far beyond the allocation limit.
    std::string vast = png;
    for (int i = 0; i < 2; ++i) {
        vast[16 + 4 * i] = 0;
        vast[17 + 4 * i] = 0;
        vast[18 + 4 * i] = static_cast<char>(0xEA);
        vast[19 + 4 * i] = static_cast<char>(0x60);
    }
    const std::uint32_t crc = crc32(vast.substr(12, 17));
    for (int i = 0; i < 4; ++i)
        vast[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    const std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"/>";

    const std::pair<const char*, std::string> cases[] = {
        {"empty.png", ""},
        {"text.png", "just some notes, not a picture\n"},
        {"cut.png", png.substr(0, png.size() / 2)},
        {"vast.png", vast},
        {"drawing.png", svg}, // Qt reads it, we do not offer it
        {"icon.png", encoded(pattern(16, 16), "ico")},
    };
    for (const auto& [name, bytes] : cases) {
        ImageFile image;
        EXPECT_FALSE(image.load(write(name, bytes))) << name;
        EXPECT_TRUE(image.isNull()) << name;
        EXPECT_TRUE(image.format().isEmpty()) << name;
        EXPECT_FALSE(image.errorString().isEmpty()) << name;
    }
    ImageFile image;
    EXPECT_FALSE(image.load(dir.filePath("missing.png")));
    EXPECT_EQ(image.errorString(), QStringLiteral("No such file"));
    EXPECT_FALSE(image.load(dir.path())); // a folder
    EXPECT_EQ(image.errorString(), QStringLiteral("Not a file"));

    // A good load after a failed one, and a failed one after a good one, leave no trace.
    ASSERT_TRUE(image.load(write("good.png", png)));
    EXPECT_FALSE(image.load(write("bad.png", "x")));
    EXPECT_TRUE(image.naturalSize().isEmpty() || !image.naturalSize().isValid());
}

} // namespace
} // namespace ardenvo::test
