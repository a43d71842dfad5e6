// The fitting rule, the image cache and the Images folder helpers.
#include "PictureTestSupport.h"

#include "catalogue/pictures/ImageCache.h"
#include "catalogue/pictures/ImagesFolder.h"
#include "catalogue/pictures/PictureFit.h"
#include "platform/ProjectKey.h"

#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

TEST(PictureFit, FitsByTheFramesRulesKeepingProportions) {
    const Rect frame{10, 20, 230, 163}; // 220 x 143
    // Small enough: natural size, one pixel inside the outline.
    PictureTarget t = pictureTarget(frame, 100, 50, FrameStyle::Objects);
    EXPECT_TRUE(t.naturalSize);
    EXPECT_EQ(t.rect, (Rect{11, 21, 111, 71}));
    EXPECT_TRUE(pictureTarget(frame, 220, 143, FrameStyle::Objects).naturalSize);

    // Too wide: s = 0.5 gives (l + 1, t + 1, l + 220, t + 50), and the stretched draw then takes
    // min(219 / 440, 49 / 100) = 0.49: 215 x 49.
    t = pictureTarget(frame, 440, 100, FrameStyle::Objects);
    EXPECT_FALSE(t.naturalSize);
    EXPECT_EQ(t.rect, (Rect{11, 21, 230, 70}));
    EXPECT_EQ(pictureRect(frame, 440, 100, FrameStyle::Objects), (Rect{11, 21, 226, 70}));
    // The Image dialog's frame keeps two pixels off the right and one off the bottom.
    EXPECT_EQ(pictureTarget(frame, 440, 100, FrameStyle::Image).rect, (Rect{11, 21, 228, 69}));

    // Whatever its shape, a picture stays inside the frame, anchored at its top-left corner,
    // with its proportions kept to the pixel.
    for (const auto& [w, h] : {std::pair{100, 1000}, std::pair{4000, 3000}, std::pair{221, 143},
                               std::pair{1, 500}, std::pair{3000, 4000}}) {
        for (FrameStyle style : {FrameStyle::Objects, FrameStyle::Image}) {
            const Rect r = pictureRect(frame, w, h, style);
            EXPECT_EQ(r.left, 11);
            EXPECT_EQ(r.top, 21);
            EXPECT_LE(r.right, 230) << w << "x" << h;
            EXPECT_LE(r.bottom, 163) << w << "x" << h;
            EXPECT_NEAR(double(r.width()) * h, double(r.height()) * w, std::max(w, h))
                << w << "x" << h;
        }
    }
    // A picture smaller than the stretched box grows to fill it.
    EXPECT_EQ(fittedRect({0, 0, 100, 100}, 10, 5), (Rect{0, 0, 100, 50}));
    EXPECT_TRUE(pictureRect(frame, 0, 10, FrameStyle::Objects).isEmpty());
}

class ImageCacheTest : public testing::Test {
protected:
    QTemporaryDir dir;
    RecordedPictureAnswers answers;
};

TEST_F(ImageCacheTest, EachFileIsDecodedOnceAtMostAtTheFrameSizeAndKeptAsFirstSeen) {
    savePicture(dir.path(), "photo.png", 880, 400, qRgb(200, 0, 0));
    ImageCache cache(dir.path().toStdString(), QSize(220, 143), answers.prompts());
    EXPECT_EQ(cache.folder(), dir.path().toStdString() + "/");
    EXPECT_EQ(cache.find("photo.png"), nullptr); // find never decodes

    CachedImage* entry = cache.acquire("photo.png");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->loaded());
    EXPECT_EQ(entry->image().naturalSize(), QSize(880, 400));
    EXPECT_EQ(entry->image().image().size(), QSize(220, 100));
    EXPECT_EQ(cache.find("photo.png"), entry);

    // Replaced on disk: the cache keeps what it decoded.
    savePicture(dir.path(), "photo.png", 10, 10, qRgb(0, 0, 200));
    EXPECT_EQ(cache.acquire("photo.png"), entry);
    EXPECT_EQ(cache.size(), 1u);

    // Case matters on this file system: P.png is another file, here a missing one.
    if (!isCaseInsensitivePath(dir.path().toStdString())) {
        EXPECT_EQ(cache.find("Photo.png"), nullptr);
        EXPECT_EQ(cache.acquire("Photo.png"), nullptr);
        EXPECT_EQ(answers.said, (QStringList{"warn: Wrong image file",
                                             "notify: Photo.png\nInvalid image\nPhoto.png"}));
    }

    // The stretched draw uses the natural size for the rule and the decoded pixels to fill it.
    QImage canvas(230, 160, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    cache.drawFitted("photo.png", painter, 0, 0, 220, 143);
    cache.drawFitted("missing.png", painter, 0, 0, 220, 143); // nothing
    painter.end();
    EXPECT_EQ(canvas.pixel(219, 99), qRgb(200, 0, 0));
    EXPECT_EQ(canvas.pixel(5, 101), qRgb(255, 255, 255));
}

TEST_F(ImageCacheTest, AFailedFileIsNotKeptSoItIsTriedAgain) {
    QFile bad(dir.filePath("bad.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    ImageCache cache(dir.path().toStdString(), QSize(220, 143), answers.prompts());
    EXPECT_EQ(cache.acquire("bad.jpg"), nullptr);
    EXPECT_EQ(cache.size(), 0u);
    savePicture(dir.path(), "bad.jpg", 4, 4, qRgb(1, 2, 3)); // mended meanwhile
    EXPECT_NE(cache.acquire("bad.jpg"), nullptr);
    EXPECT_EQ(answers.said.size(), 2);
}

TEST_F(ImageCacheTest, BroughtIntoTheFolderAnotherPictureOfTheSameNameIsNeverReplaced) {
    QTemporaryDir elsewhere;
    const std::string images = dir.path().toStdString();
    savePicture(dir.path(), "door.jpg", 10, 10, qRgb(255, 0, 0));
    savePicture(elsewhere.path(), "door.jpg", 10, 10, qRgb(0, 255, 0));

    FolderCopy copy = copyIntoFolder(elsewhere.filePath("door.jpg"), images);
    ASSERT_TRUE(copy.ok);
    EXPECT_EQ(copy.fileName, "door 2.jpg");
    // The same content again is the file already there; other content takes the next name.
    EXPECT_EQ(copyIntoFolder(elsewhere.filePath("door.jpg"), images).fileName, "door 2.jpg");
    savePicture(elsewhere.path(), "door.jpg", 10, 10, qRgb(0, 0, 255));
    EXPECT_EQ(copyIntoFolder(elsewhere.filePath("door.jpg"), images).fileName, "door 3.jpg");
    // A file of the folder itself stays what it is; a new name is copied as it is.
    EXPECT_EQ(copyIntoFolder(dir.filePath("door.jpg"), images).fileName, "door.jpg");
    savePicture(elsewhere.path(), "plate", 3, 3, qRgb(0, 0, 0));
    EXPECT_EQ(copyIntoFolder(elsewhere.filePath("plate"), images).fileName, "plate");

    QImage first(dir.filePath("door.jpg"));
    EXPECT_EQ(first.pixel(5, 5), qRgb(255, 0, 0)); // untouched

    const FolderCopy failed = copyIntoFolder(elsewhere.filePath("door.jpg"), images + "/gone");
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
    EXPECT_FALSE(copyIntoFolder(elsewhere.filePath("missing.jpg"), images).ok);
}

TEST(ImagesFolder, OffersTheSevenExtensionsInAnyCaseAndNothingElse) {
    for (const char* yes :
         {"a.bmp", "a.JPG", "a.Jpg", "a.gif", "a.tga", "a.PCX", "a.png", "b.c.tiff"})
        EXPECT_TRUE(hasPictureExtension(yes)) << yes;
    for (const char* no : {"a.jpeg", "a.tif", "a.txt", "jpg", "a.jpg.bak", "a."})
        EXPECT_FALSE(hasPictureExtension(no)) << no;
}

} // namespace
} // namespace ardenvo::test
