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
        {"gif", gifFile(40, 30, four, gifIndex), gifPixels},
        {"pcx", pcx.file(), source},
    };
    for (const auto& [format, bytes, expected] : cases) {
        for (const QString& name : {QStringLiteral("picture.jpg"), QStringLiteral("notes.TXT")}) {
            ImageFile image;
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

} // namespace
} // namespace ardenvo::test
