// The "Picture" group over a small test tree: its rows, what it draws, its commands, and the tree
// following the selected picture.
#include "PictureTestSupport.h"

#include "catalogue/pictures/ImageDialog.h"
#include "catalogue/pictures/PictureFrame.h"
#include "platform/ProgramVersion.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

CHouseObject& named(CHouseObject& object, const char* name, const char* file) {
    object.name = name;
    if (file)
        object.pictures.append(name, file);
    return object;
}

class PictureGroupTest : public testing::Test {
protected:
    // A room with its own picture; a wardrobe with a box inside and a lamp on top; a chair.
    void SetUp() override {
        room->pictures.append("Door", "door.png");
        wardrobe = &named(room->addFloorObject(std::make_unique<CHouseObject>()), "Wardrobe",
                          "wardrobe.png");
        box = &named(wardrobe->addChild(NestPosition::Inside, std::make_unique<CHouseObject>()),
                     "Box", "lid.png");
        lamp = &named(wardrobe->addChild(NestPosition::OnTop, std::make_unique<CHouseObject>()),
                      "Lamp", "shade.png");
        chair = &named(room->addFloorObject(std::make_unique<CHouseObject>()), "Chair", nullptr);
        savePicture(dir.path(), "door.png", 100, 50, qRgb(200, 0, 0));
        savePicture(dir.path(), "wardrobe.png", 440, 100, qRgb(0, 0, 200));
        savePicture(dir.path(), "lid.png", 20, 20, qRgb(0, 150, 0));
        savePicture(dir.path(), "shade.png", 20, 20, qRgb(150, 150, 0));
        group = std::make_unique<PictureGroup>(host, dir.path().toStdString(), prompter);
        host.group = group.get();
        group->show();
        group->loadBlock();
        EXPECT_TRUE(group->waitForPictures());
    }
    QStringList rows() const {
        QStringList texts;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            texts << list()->topLevelItem(i)->text(0) + "|" + list()->topLevelItem(i)->text(2);
        return texts;
    }
    QTreeWidget* list() const { return group->pictureList(); }
    void clickRow(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->topLevelItem(row)).center());
    }
    QRgb frameAt(int x, int y) { return group->frame()->grab().toImage().pixel(x, y); }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<CBlock> room = CBlock::create(BlockKind::Room);
    CHouseObject *wardrobe = nullptr, *box = nullptr, *lamp = nullptr, *chair = nullptr;
    TestTreeHost host{*room};
    std::unique_ptr<PictureGroup> group;
};

TEST_F(PictureGroupTest, ShowsEveryPictureAndTheTreeFollowsTheRowClicked) {
    // The block's first, then each object before what lies under, inside and on top of it.
    EXPECT_EQ(rows(), (QStringList{"Room|door.png", "Wardrobe|wardrobe.png", "Box|lid.png",
                                   "Lamp|shade.png"}));
    // Every listed picture is decoded on loading; the first row is drawn at its natural size
    // one pixel inside the frame.
    EXPECT_EQ(group->cache().size(), 4u);
    EXPECT_EQ(frameAt(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(frameAt(100, 50), qRgb(200, 0, 0));
    EXPECT_EQ(frameAt(101, 51), qRgb(255, 255, 255));

    clickRow(2);
    EXPECT_EQ(host.selectedObject(), box);
    clickRow(1);
    EXPECT_EQ(host.selectedObject(), wardrobe);
    EXPECT_EQ(frameAt(215, 49), qRgb(0, 0, 200)); // 440 x 100 drawn 215 x 49 from (1, 1)
    EXPECT_EQ(frameAt(217, 25), qRgb(255, 255, 255));
    EXPECT_EQ(frameAt(100, 51), qRgb(255, 255, 255));
    clickRow(0);
    EXPECT_TRUE(host.rootSelected());
    EXPECT_EQ(rows().size(), 4); // all images shown: the list stays
    EXPECT_TRUE(said(prompter).isEmpty());

    // Without all images the list follows the tree; an empty list disables it.
    group->showAllBox()->click();
    EXPECT_EQ(rows(), QStringList{"Room|door.png"});
    host.selectObject(box);
    EXPECT_EQ(rows(), QStringList{"Box|lid.png"});
    host.selectObject(chair);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_FALSE(group->editButton()->isEnabled());
    EXPECT_FALSE(group->deleteButton()->isEnabled());
    group->editImage(); // nothing selected: no dialog
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PictureGroupTest, AddImageAppendsToTheSelectedObjectAndCancelAddsNothing) {
    host.selectObject(chair);
    savePicture(dir.path(), "seat.png", 30, 30, qRgb(0, 80, 80));
    whenModal([](QDialog* d) { d->reject(); });
    QTest::mouseClick(group->addButton(), Qt::LeftButton);
    EXPECT_TRUE(chair->pictures.empty());

    whenModal([](QDialog* d) {
        static_cast<ImageDialog*>(d)->nameEdit()->setText("Seat");
        static_cast<ImageDialog*>(d)->fileEdit()->setText("seat.png");
        d->accept();
    });
    QTest::mouseClick(group->addButton(), Qt::LeftButton);
    EXPECT_TRUE(group->waitForPictures());
    ASSERT_EQ(chair->pictures.size(), 1u);
    EXPECT_EQ(group->selectedPicture(), &chair->pictures.entryAt(0));
    EXPECT_EQ(list()->currentItem()->text(0), QStringLiteral("Chair"));
    EXPECT_EQ(frameAt(5, 5), qRgb(0, 80, 80));
    EXPECT_TRUE(said(prompter).isEmpty());
}

TEST_F(PictureGroupTest, EditNamesANamelessPictureAndAnUnreadableFileIsReportedOnce) {
    room->pictures.entryAt(0).name.clear();
    group->refill();
    whenModal([](QDialog* d) { d->reject(); });
    QTest::mouseClick(group->editButton(), Qt::LeftButton);
    EXPECT_EQ(room->pictures.entryAt(0).name, "picture with no name");
    EXPECT_EQ(list()->topLevelItem(0)->text(1), QStringLiteral("picture with no name"));

    QFile text(dir.filePath("list.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("milk, eggs");
    text.close();
    whenModal([](QDialog* d) {
        static_cast<ImageDialog*>(d)->fileEdit()->setText("list.png");
        d->accept();
    });
    QTest::mouseClick(group->editButton(), Qt::LeftButton);
    EXPECT_TRUE(group->waitForPictures());
    EXPECT_EQ(room->pictures.entryAt(0).value, "list.png");
    // (The Image dialog's own preview may have spoken first.)
    ASSERT_GE(said(prompter).size(), 3);
    EXPECT_EQ(said(prompter).mid(said(prompter).size() - 3),
              (QStringList{"warn: Wrong image file", "notify: list.png\nInvalid image\nlist.png",
                           "warn: The requested image is not in cache\nlist.png"}));
    EXPECT_EQ(frameAt(5, 5), qRgb(255, 255, 255));
}

TEST_F(PictureGroupTest, TheFrameWaitsQuietlyAndARoomLeftBehindShowsAndSaysNothing) {
    QFile broken(dir.filePath("bill.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("milk, eggs");
    broken.close();
    auto cellar = CBlock::create(BlockKind::Room);
    cellar->pictures.append("Bill", "bill.png");
    cellar->pictures.append("Shelf", "shelf.png");
    savePicture(dir.path(), "shelf.png", 30, 30, qRgb(0, 80, 80));
    auto hall = CBlock::create(BlockKind::Room);
    hall->pictures.append("Stairs", "stairs.png");
    savePicture(dir.path(), "stairs.png", 30, 30, qRgb(150, 0, 150));

    TestTreeHost other(*room);
    PictureGroup fresh(other, dir.path().toStdString(), prompter);
    other.group = &fresh;
    fresh.show();
    // The host makes its tree before it loads the block: nothing is decoded twice meanwhile.
    fresh.ownersChanged();
    EXPECT_FALSE(fresh.decoding());
    fresh.loadBlock();
    const auto at = [&fresh](int x, int y) {
        return fresh.frame()->grab().toImage().pixel(x, y);
    };
    // Until its picture comes, the frame is outlined and lightly tinted.
    EXPECT_TRUE(fresh.decoding());
    EXPECT_EQ(at(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(at(50, 25), qRgb(0xee, 0xee, 0xee));
    ASSERT_TRUE(fresh.waitForPictures());
    EXPECT_EQ(at(50, 25), qRgb(200, 0, 0));

    // Another room before the cellar's pictures are in: none of them is kept, nothing is said.
    other.changeBlock(*cellar);
    other.changeBlock(*hall);
    ASSERT_TRUE(fresh.waitForPictures());
    EXPECT_EQ(fresh.cache().find("shelf.png"), nullptr);
    EXPECT_EQ(at(10, 10), qRgb(150, 0, 150));
    EXPECT_TRUE(said(prompter).isEmpty());

    // Each picture shown leaves its thumbnail for the next visit, written once the picture was
    // handed over (a group waits for that as it goes).
    group.reset();
    const ThumbnailCache thumbnails =
        ThumbnailCache::forUser(ThumbnailCache::programName(kProgramVersion));
    for (const char* file : {"door.png", "wardrobe.png", "lid.png", "shade.png"}) {
        const auto source = thumbnails.source(dir.filePath(file).toStdString());
        ASSERT_TRUE(source) << file;
        EXPECT_TRUE(thumbnails.find(*source, ThumbnailSize::Large)) << file;
    }
}

TEST_F(PictureGroupTest, AnUnreadableFileIsToldOnceACommandWhenItsFilesAreDone) {
    QFile text(dir.filePath("list.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("milk, eggs");
    text.close();
    room->pictures.entryAt(0).value = "list.png";
    room->pictures.append("Copy", "list.png");
    host.changeBlock(*room);
    EXPECT_TRUE(said(prompter).isEmpty()); // nothing before the decoding
    ASSERT_TRUE(group->waitForPictures());
    const QStringList once{"warn: Wrong image file", "notify: list.png\nInvalid image\nlist.png",
                           "warn: The requested image is not in cache\nlist.png"};
    EXPECT_EQ(said(prompter), once); // two records, one file
    clickRow(1);
    ASSERT_TRUE(group->waitForPictures());
    EXPECT_EQ(said(prompter), once + once);
    EXPECT_EQ(frameAt(5, 5), qRgb(255, 255, 255));
}

TEST_F(PictureGroupTest, DeleteAsksThenRemovesThePictureFromItsOwnerButKeepsTheFile) {
    // All images shown and the root selected: the lamp's picture still goes from the lamp.
    list()->setCurrentItem(list()->topLevelItem(3));
    prompter.answers = {Prompter::Answer::No};
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(said(prompter), QStringList{"ask: Selected image will be deleted. Are you sure?"});
    EXPECT_EQ(rows().size(), 4);

    prompter.answers = {Prompter::Answer::Yes};
    list()->setCurrentItem(list()->topLevelItem(3));
    QTest::mouseClick(group->deleteButton(), Qt::LeftButton);
    EXPECT_TRUE(lamp->pictures.empty());
    EXPECT_EQ(rows().size(), 3);
    EXPECT_TRUE(QFile::exists(dir.filePath("shade.png")));
    EXPECT_EQ(list()->currentItem()->text(0), QStringLiteral("Room"));
    EXPECT_TRUE(host.rootSelected());
}

} // namespace
} // namespace ardenvo::test
