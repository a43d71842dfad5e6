// The "Picture" group over a small test tree: its rows, what it draws, its commands, and the tree
// following the selected picture.
#include "PictureTestSupport.h"

#include "catalogue/pictures/ImageDialog.h"
#include "catalogue/pictures/PictureFrame.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

class PictureGroupTest : public testing::Test {
protected:
    // A room with a picture of its own, a wardrobe with a box inside and a lamp on top, and a
    // chair with no pictures.
    void SetUp() override {
        room = CBlock::create(BlockKind::Room);
        room->pictures.append("Door", "door.png");
        wardrobe = &room->addFloorObject(std::make_unique<CHouseObject>());
        wardrobe->name = "Wardrobe";
        wardrobe->pictures.append("Front", "wardrobe.png");
        auto box = std::make_unique<CHouseObject>();
        box->name = "Box";
        box->pictures.append("Lid", "lid.png");
        this->box = &wardrobe->addChild(NestPosition::Inside, std::move(box));
        auto lamp = std::make_unique<CHouseObject>();
        lamp->name = "Lamp";
        lamp->pictures.append("Shade", "shade.png");
        wardrobe->addChild(NestPosition::OnTop, std::move(lamp));
        chair = &room->addFloorObject(std::make_unique<CHouseObject>());
        chair->name = "Chair";

        savePicture(dir.path(), "door.png", 100, 50, qRgb(200, 0, 0));
        savePicture(dir.path(), "wardrobe.png", 440, 100, qRgb(0, 0, 200));
        savePicture(dir.path(), "lid.png", 20, 20, qRgb(0, 150, 0));
        savePicture(dir.path(), "shade.png", 20, 20, qRgb(150, 150, 0));

        host = std::make_unique<TestTreeHost>(*room);
        group = std::make_unique<PictureGroup>(*host, dir.path().toStdString(), answers.prompts());
        host->group = group.get();
        group->show();
        group->loadBlock();
    }

    QStringList rows() const {
        QStringList texts;
        QTreeWidget* list = group->pictureList();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(0) + "|" + list->topLevelItem(i)->text(1) + "|" +
                         list->topLevelItem(i)->text(2);
        return texts;
    }
    void clickRow(int row) {
        QTreeWidget* list = group->pictureList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(row)).center());
    }
    QImage frame() { return group->frame()->grab().toImage(); }

    QTemporaryDir dir;
    RecordedPictureAnswers answers;
    std::unique_ptr<CBlock> room;
    CHouseObject* wardrobe = nullptr;
    CHouseObject* box = nullptr;
    CHouseObject* chair = nullptr;
    std::unique_ptr<TestTreeHost> host;
    std::unique_ptr<PictureGroup> group;
};

TEST_F(PictureGroupTest, ShowsEveryPictureAndTheTreeFollowsTheRowClicked) {
    EXPECT_TRUE(group->showAllBox()->isChecked());
    // The block's first, then each object before what lies under, inside and on top of it.
    EXPECT_EQ(rows(), (QStringList{"Room|Door|door.png", "Wardrobe|Front|wardrobe.png",
                                   "Box|Lid|lid.png", "Lamp|Shade|shade.png"}));
    // Only the block's own pictures were decoded on loading; the first row is drawn at its
    // natural size one pixel inside the frame.
    EXPECT_EQ(group->cache().size(), 1u);
    QImage shown = frame();
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(1, 1), qRgb(200, 0, 0));
    EXPECT_EQ(shown.pixel(100, 50), qRgb(200, 0, 0));
    EXPECT_EQ(shown.pixel(101, 51), qRgb(255, 255, 255));

    clickRow(2);
    EXPECT_EQ(host->selectedObject(), box);
    EXPECT_FALSE(host->rootSelected());
    clickRow(1);
    EXPECT_EQ(host->selectedObject(), wardrobe);
    // 440 x 100 in 220 x 143: drawn 215 x 49 from (1, 1).
    shown = frame();
    EXPECT_EQ(shown.pixel(215, 49), qRgb(0, 0, 200));
    EXPECT_EQ(shown.pixel(217, 25), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(100, 51), qRgb(255, 255, 255));
    EXPECT_EQ(group->cache().size(), 3u); // the box's and the wardrobe's, when first drawn
    clickRow(0);
    EXPECT_TRUE(host->rootSelected());
    EXPECT_EQ(rows().size(), 4); // all images shown: the list stays
    EXPECT_TRUE(answers.said.isEmpty());
}

TEST_F(PictureGroupTest, WithoutAllImagesTheListFollowsTheTreeAndAnEmptyListIsDisabled) {
    group->showAllBox()->click();
    EXPECT_EQ(rows(), QStringList{"Room|Door|door.png"});
    host->selectObject(box);
    EXPECT_EQ(rows(), QStringList{"Box|Lid|lid.png"});
    EXPECT_TRUE(group->editButton()->isEnabled());
    host->selectObject(chair);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_FALSE(group->pictureList()->isEnabled());
    EXPECT_FALSE(group->editButton()->isEnabled());
    EXPECT_FALSE(group->deleteButton()->isEnabled());
    EXPECT_TRUE(group->addButton()->isEnabled());
    // Edit with nothing selected opens nothing.
    group->editImage();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PictureGroupTest, AddImageAppendsToTheSelectedObjectAndCancelAddsNothing) {
    host->selectObject(chair);
    savePicture(dir.path(), "seat.png", 30, 30, qRgb(0, 80, 80));
    whenModal([](QDialog* d) { d->reject(); });
    QTest::mouseClick(group->addButton(), Qt::LeftButton);
    EXPECT_TRUE(chair->pictures.empty());

    whenModal([](QDialog* d) {
        auto* dialog = static_cast<ImageDialog*>(d);
        dialog->nameEdit()->setText("Seat");
        dialog->fileEdit()->setText("seat.png");
        dialog->accept();
    });
    QTest::mouseClick(group->addButton(), Qt::LeftButton);
    ASSERT_EQ(chair->pictures.size(), 1u);
    EXPECT_EQ(chair->pictures.entryAt(0).value, "seat.png");
    EXPECT_EQ(group->selectedPicture(), &chair->pictures.entryAt(0));
    EXPECT_EQ(group->pictureList()->currentItem()->text(0), QStringLiteral("Chair"));
    EXPECT_EQ(frame().pixel(5, 5), qRgb(0, 80, 80));
    EXPECT_TRUE(answers.said.isEmpty());
}

TEST_F(PictureGroupTest, EditNamesANamelessPictureAndAnUnreadableFileIsReportedOnce) {
    room->pictures.entryAt(0).name.clear();
    group->refill();
    whenModal([](QDialog* d) { d->reject(); });
    QTest::mouseClick(group->editButton(), Qt::LeftButton);
    EXPECT_EQ(room->pictures.entryAt(0).name, "picture with no name");
    EXPECT_EQ(rows().front(), QStringLiteral("Room|picture with no name|door.png"));

    // Point the picture at a file that is no picture: one report for the command, nothing drawn.
    QFile text(dir.filePath("list.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("milk, eggs");
    text.close();
    whenModal([](QDialog* d) {
        static_cast<ImageDialog*>(d)->fileEdit()->setText("list.png");
        d->accept();
    });
    answers.said.clear();
    QTest::mouseClick(group->editButton(), Qt::LeftButton);
    EXPECT_EQ(room->pictures.entryAt(0).value, "list.png");
    const QStringList expected = {"warn: Wrong image file",
                                  "notify: list.png\nInvalid image\nlist.png",
                                  "warn: The requested image is not in cache\nlist.png"};
    // The Image dialog's own preview reported it first.
    ASSERT_GE(answers.said.size(), 3);
    EXPECT_EQ(answers.said.mid(answers.said.size() - 3), expected);
    EXPECT_EQ(frame().pixel(5, 5), qRgb(255, 255, 255));
}

TEST_F(PictureGroupTest, DeleteAsksThenRemovesTheRowsPictureFromItsOwnerButKeepsTheFile) {
    // All images shown and the root selected: the lamp's picture still goes from the lamp.
    group->pictureList()->setCurrentItem(group->pictureList()->topLevelItem(3));
    answers.answerYes = false;
    QTest::keyClick(group->pictureList(), Qt::Key_Delete);
    EXPECT_EQ(answers.said, QStringList{"ask: Selected image will be deleted. Are you sure?"});
    EXPECT_EQ(rows().size(), 4);

    answers.answerYes = true;
    group->pictureList()->setCurrentItem(group->pictureList()->topLevelItem(3));
    QTest::mouseClick(group->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(rows().size(), 3);
    const CHouseObject* lamp = wardrobe->children(NestPosition::OnTop).front().get();
    EXPECT_TRUE(lamp->pictures.empty());
    EXPECT_EQ(room->pictures.size(), 1u);
    EXPECT_TRUE(QFile::exists(dir.filePath("shade.png")));
    // The first row is selected again and the tree follows it.
    EXPECT_EQ(group->pictureList()->currentItem()->text(0), QStringLiteral("Room"));
    EXPECT_TRUE(host->rootSelected());
}

} // namespace
} // namespace ardenvo::test
