// The fitting rule, the image cache and bringing files into the Images folder.
#include "PictureTestSupport.h"

#include "catalogue/pictures/ImageCache.h"
#include "catalogue/pictures/ImagesFolder.h"
#include "catalogue/pictures/PictureFit.h"
#include "platform/ProjectKey.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

TEST(PictureFit, FitsByTheFramesRulesKeepingProportions) {
    const Rect frame{10, 20, 230, 163}; // 220 x 143
    PictureTarget t = pictureTarget(frame, 100, 50, FrameStyle::Objects);
    EXPECT_TRUE(t.naturalSize);
    EXPECT_EQ(t.rect, (Rect{11, 21, 111, 71}));
    // 440 x 100: s = 0.5 gives (l + 1, t + 1, l + 220, t + 50); the stretched draw then takes
    // min(219 / 440, 49 / 100) = 0.49, so 215 x 49.
    t = pictureTarget(frame, 440, 100, FrameStyle::Objects);
    EXPECT_FALSE(t.naturalSize);
    EXPECT_EQ(t.rect, (Rect{11, 21, 230, 70}));
    EXPECT_EQ(pictureRect(frame, 440, 100, FrameStyle::Objects), (Rect{11, 21, 226, 70}));
    EXPECT_EQ(pictureTarget(frame, 440, 100, FrameStyle::Image).rect, (Rect{11, 21, 228, 69}));
    EXPECT_EQ(fittedRect({0, 0, 100, 100}, 10, 5), (Rect{0, 0, 100, 50})); // may grow
}

TEST(ImageCache, DecodesEachFileOnceAtMostAtTheFrameSizeAndNeverKeepsAFailure) {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    savePicture(dir.path(), "photo.png", 880, 400, qRgb(200, 0, 0));
    ImageCache cache(dir.path().toStdString(), QSize(220, 143));
    EXPECT_EQ(cache.find("photo.png"), nullptr); // find never decodes
    CachedImage* entry = cache.acquire("photo.png").entry;
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->image().naturalSize(), QSize(880, 400));
    EXPECT_EQ(entry->image().image().size(), QSize(220, 100));
    // Replaced on disk: the cache keeps what it decoded.
    savePicture(dir.path(), "photo.png", 10, 10, qRgb(0, 0, 200));
    EXPECT_EQ(cache.acquire("photo.png").entry, entry);
    EXPECT_EQ(cache.find("photo.png"), entry);
    // A link inside the folder is the same file: no second decode.
    ASSERT_TRUE(QFile::link(dir.filePath("photo.png"), dir.filePath("alias.png")));
    EXPECT_EQ(cache.acquire("alias.png").entry, entry);
    EXPECT_EQ(cache.size(), 1u);

    // Letter case names another file here; a failed file is reported, not kept, and tried again.
    ASSERT_FALSE(isCaseInsensitivePath(dir.path().toStdString()));
    const ImageCache::Result failed = cache.acquire("Photo.png");
    EXPECT_EQ(failed.entry, nullptr);
    reportUnreadablePicture(prompter, nullptr, "Photo.png", failed.problem);
    EXPECT_EQ(said(prompter), (QStringList{"warn: Wrong image file",
                                           "notify: Photo.png\nInvalid image\nPhoto.png"}));
    savePicture(dir.path(), "Photo.png", 4, 4, qRgb(1, 2, 3));
    EXPECT_NE(cache.acquire("Photo.png").entry, nullptr);
    EXPECT_EQ(cache.size(), 2u);
}

TEST(ImagesFolder, ACopyNeverReplacesAnotherPictureOfTheSameName) {
    QTemporaryDir images, camera;
    const std::string folder = images.path().toStdString();
    savePicture(images.path(), "door.jpg", 10, 10, qRgb(255, 0, 0));
    savePicture(camera.path(), "door.jpg", 10, 10, qRgb(0, 255, 0));
    EXPECT_EQ(copyIntoFolder(camera.filePath("door.jpg"), folder).fileName, "door 2.jpg");
    // The same content again is the file already there; other content takes the next name.
    EXPECT_EQ(copyIntoFolder(camera.filePath("door.jpg"), folder).fileName, "door 2.jpg");
    savePicture(camera.path(), "door.jpg", 10, 10, qRgb(0, 0, 255));
    EXPECT_EQ(copyIntoFolder(camera.filePath("door.jpg"), folder).fileName, "door 3.jpg");
    EXPECT_EQ(copyIntoFolder(images.filePath("door.jpg"), folder).fileName, "door.jpg");
    EXPECT_EQ(QImage(images.filePath("door.jpg")).pixel(5, 5), qRgb(255, 0, 0));

    const FolderCopy failed = copyIntoFolder(camera.filePath("door.jpg"), folder + "/gone");
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
}

TEST(ImageCache, ANameLeadingOutOfTheFolderIsNeverReadAndSaysWhy) {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    QDir(dir.path()).mkdir(QStringLiteral("Images"));
    savePicture(dir.path(), "secret.png", 10, 10, qRgb(0, 200, 0));
    QFile::link(dir.filePath("secret.png"), dir.filePath("Images/shortcut.png"));
    ImageCache cache(dir.filePath("Images").toStdString(), QSize(220, 143));
    for (const char* name : {"../secret.png", "shortcut.png"}) {
        prompter.shown.clear();
        const ImageCache::Result refused = cache.acquire(name);
        EXPECT_EQ(refused.entry, nullptr) << name;
        reportUnreadablePicture(prompter, nullptr, name, refused.problem);
        EXPECT_EQ(said(prompter),
                  (QStringList{"warn: Wrong image file",
                               QStringLiteral("notify: %1\nThe file name leads outside the Images "
                                              "folder\n%1")
                                   .arg(name)}));
    }
    EXPECT_EQ(cache.size(), 0u);
}

} // namespace
} // namespace ardenvo::test
