// The desktop's shared thumbnails: where they lie, what they say, how they are written, and that
// no damaged or foreign file in the cache is ever used.
#include "platform/image/ThumbnailCache.h"
#include "platform/image/ImageFile.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <utime.h>

namespace ardenvo::test {
namespace {

int modeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

class ThumbnailCacheTest : public testing::Test {
protected:
    void SetUp() override {
        photo = dir.filePath("my photo.png").toStdString();
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(qRgb(200, 0, 0));
        ASSERT_TRUE(image.save(QString::fromStdString(photo), "PNG"));
    }
    // The photo as shown in the objects dialog's frame; its colour tells where it came from.
    QRgb show(QSize* natural = nullptr) {
        ImageFile image;
        EXPECT_TRUE(loadThroughCache(image, QString::fromStdString(photo), {220, 143}, cache));
        if (natural)
            *natural = image.naturalSize();
        return image.isNull() ? 0 : image.image().pixel(5, 5);
    }
    std::string thumbPath() const { return cache.pathOf(cache.source(photo)->uri, size); }
    // A thumbnail of the photo as another program would leave it, in `colour`.
    void plant(QRgb colour, QSize pixels = {256, 192}, bool rightTime = true) {
        QImage image(pixels, QImage::Format_ARGB32);
        image.fill(colour);
        const ThumbnailSource source = *cache.source(photo);
        image.setText("Thumb::URI", QString::fromStdString(source.uri));
        image.setText("Thumb::MTime", QString::number(source.mtime + (rightTime ? 0 : 1)));
        ASSERT_TRUE(image.save(QString::fromStdString(thumbPath()), "PNG"));
    }

    QTemporaryDir dir;
    std::string photo;
    std::string root = dir.filePath("cache/thumbnails").toStdString();
    ThumbnailCache cache{root, "ardenvo-test"};
    ThumbnailSize size = ThumbnailSize::Large;
};

TEST(ThumbnailNames, AddressesHashesAndSizesAreTheDesktops) {
    // The standard's own example.
    const ThumbnailCache cache("/home/jens/.cache/thumbnails", "ardenvo-1.2");
    EXPECT_EQ(
        cache.pathOf(ThumbnailCache::fileUri("/home/jens/photos/me.png"), ThumbnailSize::Normal),
        "/home/jens/.cache/thumbnails/normal/c6ee772d9e49320e97ec29a7eb5b1697.png");
    EXPECT_EQ(ThumbnailCache::fileUri("/a b/%#?;[x]/caf\xc3\xa9/(1)+&=@,~.jpg"),
              "file:///a%20b/%25%23%3F%3B%5Bx%5D/caf%C3%A9/(1)+&=@,~.jpg");
    EXPECT_EQ(cache.failurePathOf("file:///x")
                  .rfind("/home/jens/.cache/thumbnails/fail/"
                         "ardenvo-1.2/",
                         0),
              0u);
    const std::pair<QSize, ThumbnailSize> sizes[] = {
        {{100, 50}, ThumbnailSize::Normal},   {{220, 143}, ThumbnailSize::Large},
        {{340, 255}, ThumbnailSize::XLarge},  {{143, 600}, ThumbnailSize::XXLarge},
        {{5000, 10}, ThumbnailSize::XXLarge},
    };
    for (const auto& [box, expected] : sizes)
        EXPECT_EQ(ThumbnailCache::sizeFor(box), expected) << box.width() << "x" << box.height();
    EXPECT_STREQ(ThumbnailCache::folderOf(ThumbnailSize::XLarge), "x-large");
}

TEST_F(ThumbnailCacheTest, AThumbnailIsWrittenPrivatelyWithItsKeysAndUsedNextTime) {
    QSize natural;
    EXPECT_EQ(show(&natural), qRgb(200, 0, 0));
    EXPECT_EQ(natural, QSize(800, 600));
    const std::string written = thumbPath();
    EXPECT_EQ(modeOf(written), 0600);
    EXPECT_EQ(modeOf(root), 0700);
    EXPECT_EQ(modeOf(root + "/large"), 0700);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root + "/large"), {}), 1)
        << "no temporary file is left";
    const QImage thumb(QString::fromStdString(written));
    EXPECT_EQ(thumb.size(), QSize(256, 192));
    EXPECT_TRUE(thumb.hasAlphaChannel());
    const ThumbnailSource source = *cache.source(photo);
    EXPECT_EQ(thumb.text("Thumb::URI").toStdString(),
              "file://" + dir.path().toStdString() + "/my%20photo.png");
    EXPECT_EQ(thumb.text("Thumb::MTime").toLongLong(), source.mtime);
    EXPECT_EQ(thumb.text("Thumb::Size").toLongLong(), source.size);
    EXPECT_EQ(thumb.text("Thumb::Image::Width"), "800");
    EXPECT_EQ(thumb.text("Thumb::Image::Height"), "600");

    // A file manager's thumbnail (without the optional keys) is used as it is; the picture's
    // size then comes from the file's header.
    plant(qRgb(0, 0, 200));
    EXPECT_EQ(show(&natural), qRgb(0, 0, 200));
    EXPECT_EQ(natural, QSize(800, 600));
    // One of a larger size serves as well.
    std::filesystem::remove(written);
    size = ThumbnailSize::XLarge;
    std::filesystem::create_directory(root + "/x-large");
    ::chmod((root + "/x-large").c_str(), 0700);
    plant(qRgb(0, 150, 0), {512, 384});
    EXPECT_EQ(show(), qRgb(0, 150, 0));
}

TEST_F(ThumbnailCacheTest, StaleForeignDamagedOrHugeThumbnailsAreMadeAgain) {
    show();
    const std::string written = thumbPath();
    const std::function<void()> spoil[] = {
        [&] {
            plant(qRgb(0, 0, 200), {256, 192}, false);
        },    // the photo changed since
        [&] { // about another file
            QImage other(256, 192, QImage::Format_ARGB32);
            other.fill(qRgb(0, 0, 200));
            other.setText("Thumb::URI", "file:///elsewhere.png");
            other.setText("Thumb::MTime", QString::number(cache.source(photo)->mtime));
            other.save(QString::fromStdString(written), "PNG");
        },
        [&] {
            plant(qRgb(0, 0, 200), {2000, 1500});
        }, // larger than its folder allows
        [&] {
            plant(qRgb(0, 0, 200), {64, 48});
        }, // too small for the frame
        [&] {
            plant(qRgb(0, 0, 200), {192, 256});
        }, // turned
        [&] { std::filesystem::resize_file(written, 100); },
        [&] {
            QFile f(QString::fromStdString(written));
            f.open(QIODevice::WriteOnly);
            f.write("\x89PNG\r\n\x1a\ngarbage");
        },
        [&] { // a link, even to a good thumbnail
            plant(qRgb(0, 0, 200));
            std::filesystem::rename(written, written + ".real");
            std::filesystem::create_symlink(written + ".real", written);
        },
    };
    for (std::size_t i = 0; i < std::size(spoil); ++i) {
        spoil[i]();
        EXPECT_EQ(show(), qRgb(200, 0, 0)) << "case " << i;
        EXPECT_FALSE(std::filesystem::is_symlink(written)) << "case " << i;
        EXPECT_EQ(QImage(QString::fromStdString(written)).size(), QSize(256, 192)) << "case " << i;
    }
}

TEST_F(ThumbnailCacheTest, FoldersThatAreLinksOrOpenToOthersAreNeitherReadNorWritten) {
    show();
    plant(qRgb(0, 0, 200));
    const std::string large = root + "/large";
    ::chmod(large.c_str(), 0777);
    EXPECT_EQ(show(), qRgb(200, 0, 0));
    ::chmod(large.c_str(), 0700);
    EXPECT_EQ(show(), qRgb(0, 0, 200));

    std::filesystem::rename(large, root + "/elsewhere");
    std::filesystem::create_directory_symlink(root + "/elsewhere", large);
    EXPECT_EQ(show(), qRgb(200, 0, 0));
    std::filesystem::remove(root + "/elsewhere/" +
                            std::filesystem::path(thumbPath()).filename().string());
    EXPECT_EQ(show(), qRgb(200, 0, 0));
    EXPECT_TRUE(std::filesystem::is_empty(root + "/elsewhere")) << "nothing written through it";
}

TEST_F(ThumbnailCacheTest, AFileThatCannotBeReadIsRememberedUntilItChanges) {
    QFile broken(QString::fromStdString(photo));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("milk, eggs");
    broken.close();
    ImageFile image;
    EXPECT_FALSE(loadThroughCache(image, QString::fromStdString(photo), {220, 143}, cache));
    const ThumbnailSource source = *cache.source(photo);
    EXPECT_EQ(cache.failureOf(source), image.errorString());
    const QImage failure(QString::fromStdString(cache.failurePathOf(source.uri)));
    EXPECT_EQ(failure.text("Thumb::URI").toStdString(), source.uri);
    EXPECT_EQ(modeOf(root + "/fail/ardenvo-test"), 0700);
    const QString why = image.errorString();
    EXPECT_FALSE(loadThroughCache(image, QString::fromStdString(photo), {220, 143}, cache));
    EXPECT_EQ(image.errorString(), why) << "told alike";

    // Mended later: the record is of the file as it was.
    SetUp();
    utimbuf later{source.mtime + 10, source.mtime + 10};
    ::utime(photo.c_str(), &later);
    EXPECT_EQ(cache.failureOf(*cache.source(photo)), std::nullopt);
    EXPECT_EQ(show(), qRgb(200, 0, 0));

    // A decoding stopped because its picture was no longer wanted says nothing of the file.
    std::filesystem::remove(thumbPath());
    image.setWanted([] { return false; });
    EXPECT_FALSE(loadThroughCache(image, QString::fromStdString(photo), {220, 143}, cache));
    EXPECT_TRUE(image.stopped());
    EXPECT_EQ(cache.failureOf(*cache.source(photo)), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(thumbPath()));
}

} // namespace
} // namespace ardenvo::test
