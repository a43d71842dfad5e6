// The "Image" dialog: its list of the Images folder, the preview, Browse and OK's check.
#include "PictureTestSupport.h"

#include "catalogue/pictures/ImageDialog.h"
#include "catalogue/pictures/PictureFrame.h"
#include "catalogue/pictures/PictureMessages.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

class ImageDialogTest : public testing::Test {
protected:
    std::unique_ptr<ImageDialog> open() {
        auto d = std::make_unique<ImageDialog>(record, dir.path().toStdString(), prompter);
        d->show();
        return d;
    }
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    CField record{"Receipt", "Till.JPG"};
};

TEST_F(ImageDialogTest, ListsThePicturesOfTheFolderAndPreviewsTheOneClicked) {
    for (const char* name : {"Till.JPG", "a.tiff", "b.png", "c.jpeg", "d.tif", "e.txt"})
        savePicture(dir.path(), name, 40, 20, qRgb(0, 90, 0));
    auto d = open();
    QListWidget* list = d->imageList();
    ASSERT_EQ(list->count(), 5); // every usual spelling of an extension, in any case
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("c.jpeg"));
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("d.tif"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("a.tiff"));
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Till.JPG"));
    QTRY_VERIFY(!d->previewed().isNull()); // the record's file, once the dialog is up

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(d->fileEdit()->text(), QStringLiteral("b.png"));
    const QImage shown = d->frame()->grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));    // the outline
    EXPECT_EQ(shown.pixel(10, 10), qRgb(0, 90, 0)); // the picture at its natural size
    EXPECT_EQ(shown.pixel(60, 60), qRgb(255, 255, 255));
    EXPECT_TRUE(said(prompter).isEmpty());

    // OK needs both texts; Cancel afterwards leaves the record as it was.
    d->nameEdit()->clear();
    d->accept();
    EXPECT_EQ(said(prompter), QStringList{"warn: Both edit boxes must have text"});
    EXPECT_TRUE(d->isVisible());
    d->reject();
    EXPECT_EQ(record.name, "Receipt");
    EXPECT_EQ(record.value, "Till.JPG");
}

TEST_F(ImageDialogTest, BrowseOffersEverySpellingOfThePictureExtensionsInAnyCase) {
    for (const char* name : {"A.JPEG", "b.Tif", "c.jpe", "d.txt"})
        savePicture(dir.path(), name, 4, 4, qRgb(1, 2, 3));
    QFileDialog files(nullptr, QString(), dir.path());
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setNameFilter(pictureFileFilter());
    auto* view = files.findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(view, nullptr);
    QStringList shown;
    QTRY_VERIFY((shown =
                     [&] {
                         QStringList names;
                         const QModelIndex root = view->rootIndex();
                         for (int row = 0; row < view->model()->rowCount(root); ++row)
                             names << view->model()->index(row, 0, root).data().toString();
                         names.sort();
                         return names;
                     }())
                    .size() == 3);
    EXPECT_EQ(shown, (QStringList{"A.JPEG", "b.Tif", "c.jpe"}));
}

TEST_F(ImageDialogTest, ANameTypedIntoFileIsPreviewedOnceTheTypingPauses) {
    savePicture(dir.path(), "Till.JPG", 4, 4, qRgb(255, 0, 0));
    savePicture(dir.path(), "lamp.png", 30, 20, qRgb(0, 0, 255));
    auto d = open();
    QTRY_COMPARE(d->previewed().naturalSize(), QSize(4, 4));
    d->fileEdit()->clear();
    QTest::keyClicks(d->fileEdit(), QStringLiteral("lamp.png"));
    EXPECT_EQ(d->previewed().naturalSize(), QSize(4, 4)); // not while typing
    QTRY_COMPARE(d->previewed().naturalSize(), QSize(30, 20));
    EXPECT_EQ(d->frame()->grab().toImage().pixel(10, 10), qRgb(0, 0, 255));

    // A name not finished yet shows an empty frame without a word.
    QTest::keyClicks(d->fileEdit(), QStringLiteral(".bak"));
    QTRY_VERIFY(d->previewed().isNull());
    EXPECT_EQ(d->frame()->grab().toImage().pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_TRUE(said(prompter).isEmpty());
    d->reject();
}

TEST_F(ImageDialogTest, BrowseKeepsAnotherPictureOfTheSameNameAndSaysWhenTheCopyFails) {
    QTemporaryDir camera;
    savePicture(dir.path(), "Till.JPG", 4, 4, qRgb(255, 0, 0)); // used by other records
    savePicture(camera.path(), "Till.JPG", 30, 30, qRgb(0, 0, 255));
    auto d = open();
    prompter.fileNames = {camera.filePath("Till.JPG")};
    QTest::mouseClick(d->browseButton(), Qt::LeftButton);
    EXPECT_EQ(d->fileEdit()->text(), QStringLiteral("Till 2.JPG"));
    EXPECT_EQ(d->previewed().naturalSize(), QSize(30, 30));
    EXPECT_EQ(QImage(dir.filePath("Till.JPG")).size(), QSize(4, 4));
    // The open-file dialog offers the picture types and adds ".bmp" to a bare name.
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].kind, ScriptedPrompter::Kind::OpenFile);
    EXPECT_EQ(prompter.shown[0].file.filter, pictureFileFilter());
    EXPECT_EQ(prompter.shown[0].file.defaultSuffix, QStringLiteral("bmp"));

    prompter.fileNames = {camera.filePath("vanished.png")};
    QTest::mouseClick(d->browseButton(), Qt::LeftButton);
    ASSERT_EQ(said(prompter).size(), 1);
    EXPECT_TRUE(said(prompter).front().startsWith("warn: The picture could not be copied"));
    EXPECT_EQ(d->fileEdit()->text(), QStringLiteral("Till 2.JPG"));
    d->accept();
    EXPECT_EQ(record.value, "Till 2.JPG");
}

TEST_F(ImageDialogTest, AFileThatCannotBeShownIsReportedAndLeavesTheFrameEmpty) {
    QFile text(dir.filePath("Till.JPG"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("shopping list");
    text.close();
    auto d = open();
    QTRY_COMPARE(said(prompter).size(), 3);
    EXPECT_EQ(said(prompter),
              (QStringList{"warn: Wrong image file", "notify: Till.JPG\nInvalid image\nTill.JPG",
                           "warn: no image\nTill.JPG"}));
    EXPECT_EQ(d->frame()->grab().toImage().pixel(10, 10), qRgb(255, 255, 255));
    d->reject();
}

} // namespace
} // namespace ardenvo::test
