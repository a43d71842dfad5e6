// The "Image" dialog: its list of the Images folder, the preview, Browse and OK's check.
#include "PictureTestSupport.h"

#include "catalogue/pictures/ImageDialog.h"
#include "catalogue/pictures/PictureFrame.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

class ImageDialogTest : public testing::Test {
protected:
    std::unique_ptr<ImageDialog> open() {
        auto dialog =
            std::make_unique<ImageDialog>(record, dir.path().toStdString(), answers.prompts());
        dialog->show();
        return dialog;
    }
    static void clickOk(ImageDialog& d) {
        QTest::mouseClick(d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    }
    static QStringList rows(const ImageDialog& d) {
        QStringList names;
        for (int i = 0; i < d.imageList()->count(); ++i)
            names << d.imageList()->item(i)->text();
        return names;
    }

    QTemporaryDir dir;
    RecordedPictureAnswers answers;
    CField record{"Receipt", "Till.JPG"};
};

TEST_F(ImageDialogTest, ListsThePicturesOfTheFolderAndPreviewsTheOneClicked) {
    for (const char* name : {"Till.JPG", "a.tiff", "b.png", "c.jpeg", "d.tif", "e.txt", "f.Pcx"})
        savePicture(dir.path(), name, 40, 20, qRgb(0, 90, 0));
    auto d = open();
    EXPECT_EQ(rows(*d), (QStringList{"Till.JPG", "a.tiff", "b.png", "f.Pcx"}));
    ASSERT_NE(d->imageList()->currentItem(), nullptr);
    EXPECT_EQ(d->imageList()->currentItem()->text(), QStringLiteral("Till.JPG"));
    EXPECT_EQ(d->nameEdit()->text(), QStringLiteral("Receipt"));

    // The record's file shows once the dialog is up.
    QTRY_VERIFY(!d->previewed().isNull());
    EXPECT_EQ(d->previewed().naturalSize(), QSize(40, 20));

    QListWidgetItem* item = d->imageList()->item(2);
    QTest::mouseClick(d->imageList()->viewport(), Qt::LeftButton, {},
                      d->imageList()->visualItemRect(item).center());
    EXPECT_EQ(d->fileEdit()->text(), QStringLiteral("b.png"));
    const QImage shown = d->frame()->grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));    // the outline
    EXPECT_EQ(shown.pixel(10, 10), qRgb(0, 90, 0)); // the picture at natural size
    EXPECT_EQ(shown.pixel(60, 60), qRgb(255, 255, 255));
    EXPECT_TRUE(answers.said.isEmpty());
    d->reject();
    EXPECT_EQ(record.value, "Till.JPG");
}

TEST_F(ImageDialogTest, OkNeedsBothTextsAndCancelThenLeavesTheRecordAsItWas) {
    savePicture(dir.path(), "Till.JPG", 4, 4, qRgb(1, 1, 1));
    auto d = open();
    d->nameEdit()->clear();
    clickOk(*d);
    EXPECT_EQ(answers.said, QStringList{"warn: Both edit boxes must have text"});
    EXPECT_TRUE(d->isVisible());
    d->fileEdit()->setText("other.png");
    d->reject();
    EXPECT_EQ(record.name, "Receipt");
    EXPECT_EQ(record.value, "Till.JPG");

    auto e = open();
    e->nameEdit()->setText(QStringLiteral("Kassenbon für Radio"));
    clickOk(*e);
    EXPECT_EQ(e->result(), QDialog::Accepted);
    EXPECT_EQ(record.name, "Kassenbon für Radio");
}

TEST_F(ImageDialogTest, BrowseKeepsAnotherPictureOfTheSameNameAndSaysWhenTheCopyFails) {
    QTemporaryDir camera;
    savePicture(dir.path(), "Till.JPG", 4, 4, qRgb(255, 0, 0)); // used by other records
    savePicture(camera.path(), "Till.JPG", 30, 30, qRgb(0, 0, 255));
    auto d = open();
    answers.chosenFile = camera.filePath("Till.JPG");
    QTest::mouseClick(d->browseButton(), Qt::LeftButton);
    EXPECT_EQ(d->fileEdit()->text(), QStringLiteral("Till 2.JPG"));
    EXPECT_EQ(d->previewed().naturalSize(), QSize(30, 30));
    EXPECT_EQ(QImage(dir.filePath("Till.JPG")).size(), QSize(4, 4));
    EXPECT_EQ(rows(*d), QStringList{"Till.JPG"}); // the list is not refilled

    // A file that cannot be copied leaves "File" alone and says so.
    answers.chosenFile = camera.filePath("vanished.png");
    QTest::mouseClick(d->browseButton(), Qt::LeftButton);
    ASSERT_EQ(answers.said.size(), 1);
    EXPECT_TRUE(answers.said.front().startsWith(
        "warn: The picture could not be copied into the Images folder:"));
    EXPECT_EQ(d->fileEdit()->text(), QStringLiteral("Till 2.JPG"));

    // Cancelling the file dialog changes nothing.
    answers.chosenFile.clear();
    QTest::mouseClick(d->browseButton(), Qt::LeftButton);
    EXPECT_EQ(answers.said.size(), 1);
    clickOk(*d);
    EXPECT_EQ(record.value, "Till 2.JPG");
}

TEST_F(ImageDialogTest, AFileThatCannotBeShownIsReportedAndLeavesTheFrameEmpty) {
    QFile text(dir.filePath("Till.JPG"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("shopping list");
    text.close();
    auto d = open();
    QTRY_COMPARE(answers.said.size(), 3);
    EXPECT_EQ(answers.said,
              (QStringList{"warn: Wrong image file", "notify: Till.JPG\nInvalid image\nTill.JPG",
                           "warn: no image\nTill.JPG"}));
    EXPECT_TRUE(d->previewed().isNull());
    EXPECT_EQ(d->frame()->grab().toImage().pixel(10, 10), qRgb(255, 255, 255));
    d->reject();
}

} // namespace
} // namespace ardenvo::test
