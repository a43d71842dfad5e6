#include "CatalogueTestSupport.h"

#include "catalogue/MoveObjectDialog.h"
#include "catalogue/RoomSelector.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

using namespace ardenvo;
using ardenvo::test::ObjectsDialogTest;
using ardenvo::test::ScriptedPrompter;

namespace {

// The move dialog on the fixture's kitchen, with a second storey holding another "Kitchen" and a
// "Bath" with a chair already on its floor.
class MoveObjectDialogTest : public ObjectsDialogTest {
protected:
    void SetUp() override {
        ObjectsDialogTest::SetUp();
        auto upper = std::make_unique<CSection>();
        upper->name = "Upper floor";
        upper->blocks()[0]->name = "Bath";
        upper->blocks()[0]->setRect({0, 0, 300, 300});
        bath = upper->blocks()[0].get();
        auto stool = std::make_unique<CHouseObject>();
        stool->name = "Chair";
        bath->addFloorObject(std::move(stool));
        doc.appendSection(std::move(upper));
    }

    void openMove(const CHouseObject* select) {
        move = std::make_unique<MoveObjectDialog>(doc, *room, select, prompter);
        move->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(move.get()));
    }
    void TearDown() override {
        move.reset();
        ObjectsDialogTest::TearDown();
    }
    ObjectTree& side(MoveObjectDialog::Side s) { return *move->tree(s); }
    void selectDestination(const CHouseObject* o) {
        auto& dest = side(MoveObjectDialog::Destination);
        dest.setCurrentItem(o ? dest.itemOf(move->block(MoveObjectDialog::Destination), o)
                              : dest.root());
    }
    void chooseDestinationRoom(const QString& section, const QString& name) {
        move->showSide(MoveObjectDialog::Destination);
        move->roomSelector()->choose(section, name);
        QTest::mouseClick(move->roomSelector()->changeRoomButton(), Qt::LeftButton);
    }

    // The warnings shown, each checked to carry the "Warning" title and icon.
    QStringList warnings() const {
        for (const ScriptedPrompter::Shown& box : prompter.shown) {
            EXPECT_EQ(box.kind, ScriptedPrompter::Kind::Message) << box.text.toStdString();
            EXPECT_EQ(box.title, "Warning") << box.text.toStdString();
            EXPECT_EQ(box.icon, ScriptedPrompter::Icon::Warning) << box.text.toStdString();
            EXPECT_EQ(box.parent, move.get()) << box.text.toStdString();
        }
        return prompter.texts();
    }

    CBlock* bath = nullptr;
    std::unique_ptr<MoveObjectDialog> move;
};

} // namespace

TEST_F(MoveObjectDialogTest, AFloorObjectMovedOnTopOfTheRootLandsBackOnTheFloorAtTheEnd) {
    openMove(table);
    ASSERT_EQ(side(MoveObjectDialog::Source).currentItem()->text(0), "Table");
    selectDestination(nullptr);
    move->moveTo(MoveTarget::OnTop);
    ASSERT_EQ(room->floorObjects().size(), 2u);
    EXPECT_EQ(room->floorObjects().back().get(), table);
    EXPECT_EQ(table->floorIndex, 1);
    EXPECT_EQ(chair->floorIndex, 0);
    EXPECT_EQ(table->location.rect, (Rect{20, 20, 120, 100})); // same block: same place
    EXPECT_EQ(labelsBelow(side(MoveObjectDialog::Destination).root()),
              (QStringList{"Chair", "Table"}));
    EXPECT_TRUE(warnings().isEmpty());
}

TEST_F(MoveObjectDialogTest, IntoAnotherRoomTheObjectGoesToTenTenWithItsSizeAndAFreeName) {
    lamp->addReminder(std::make_unique<CReminder>());
    openMove(table);
    chooseDestinationRoom("All sections", "Bath");
    EXPECT_EQ(&move->block(MoveObjectDialog::Destination), bath);
    EXPECT_EQ(move->previewGroup()->title(), "Destination room");

    // The chair in the source tree, onto the bath's floor where a "Chair" stands.
    auto& src = side(MoveObjectDialog::Source);
    src.setCurrentItem(src.itemOf(*room, chair));
    EXPECT_EQ(move->shownSide(), MoveObjectDialog::Destination); // no click, no switch
    selectDestination(nullptr);
    move->moveTo(MoveTarget::Floor);
    ASSERT_EQ(bath->floorObjects().size(), 2u);
    EXPECT_EQ(chair->name, "Chair 2");
    EXPECT_EQ(chair->location.rect, (Rect{10, 10, 60, 60}));
    EXPECT_EQ(room->floorObjects().size(), 1u);

    // The lamp, with its reminder, inside the moved chair: the chair's item opens to show it.
    src.setCurrentItem(src.itemOf(*room, lamp));
    selectDestination(chair);
    move->moveTo(MoveTarget::Inside);
    ASSERT_EQ(chair->children(NestPosition::Inside).size(), 1u);
    EXPECT_EQ(chair->children(NestPosition::Inside)[0].get(), lamp);
    EXPECT_EQ(lamp->reminders().size(), 1u);
    EXPECT_TRUE(side(MoveObjectDialog::Destination).itemOf(*bath, chair)->isExpanded());
    EXPECT_TRUE(doc.isModified());
}

TEST_F(MoveObjectDialogTest, RefusesMissingSourcesEmptyRoomsAndMovesIntoItself) {
    openMove(nullptr);
    for (MoveTarget t :
         {MoveTarget::Floor, MoveTarget::OnTop, MoveTarget::Inside, MoveTarget::Under})
        QTest::mouseClick(move->moveButton(t), Qt::LeftButton);
    EXPECT_EQ(warnings().size(), 4);
    EXPECT_EQ(warnings().front(), "Select source object to move");

    // The table into its own drawer: refused, nothing changes.
    prompter.shown.clear();
    auto& src = side(MoveObjectDialog::Source);
    src.setCurrentItem(src.itemOf(*room, table));
    selectDestination(drawer);
    move->moveTo(MoveTarget::Inside);
    EXPECT_EQ(warnings(),
              (QStringList{"An object cannot be moved into itself or into an object it holds."}));
    EXPECT_EQ(room->floorObjects().size(), 2u);
    EXPECT_EQ(table->children(NestPosition::Inside)[0].get(), drawer);

    // A room name present in two sections: "All sections" takes the first storey's.
    room->name = "Bath";
    move->roomSelector()->fill("Bath");
    chooseDestinationRoom("All sections", "Bath");
    EXPECT_EQ(&move->block(MoveObjectDialog::Destination), room);
    move->roomSelector()->roomsCombo()->clear();
    QTest::mouseClick(move->roomSelector()->changeRoomButton(), Qt::LeftButton);
    EXPECT_EQ(warnings().last(), "Select a room");
}

TEST_F(MoveObjectDialogTest, TheFirstSelectionIsTheCallersObjectByItsPlaceNotItsLabel) {
    CHouseObject& chairDrawer = chair->addChild(NestPosition::Inside, named("Drawer"));
    openMove(&chairDrawer);
    auto& src = side(MoveObjectDialog::Source);
    EXPECT_EQ(src.placeOf(*room, src.currentItem()).object, &chairDrawer);
    EXPECT_EQ(src.currentItem(), src.itemOf(*room, &chairDrawer));
}

TEST_F(MoveObjectDialogTest, AMovedObjectIsSelectedWhereItLandedAndNothingInTheSourceTree) {
    CHouseObject& bed = addFloor("Bed", {300, 20, 390, 200});
    openMove(table);
    auto& src = side(MoveObjectDialog::Source);
    auto& dest = side(MoveObjectDialog::Destination);
    selectDestination(nullptr);
    QTest::mouseClick(move->moveButton(MoveTarget::Floor), Qt::LeftButton);
    EXPECT_EQ(dest.currentItem(), dest.itemOf(*room, table));
    EXPECT_EQ(src.placeOf(*room, src.currentItem()).object, nullptr);
    EXPECT_TRUE(src.selectedItems().isEmpty());
    EXPECT_EQ(move->lastMoved(), table);

    // A second press has nothing to move: the bed, which took the table's row, stays.
    QTest::mouseClick(move->moveButton(MoveTarget::Floor), Qt::LeftButton);
    EXPECT_EQ(warnings(), QStringList{"Select source object to move"});
    EXPECT_EQ(room->floorObjects().back().get(), table);
    EXPECT_EQ(bed.floorIndex, 1);

    // Onto another object: selected below it, its parent opened.
    src.setCurrentItem(src.itemOf(*room, lamp));
    selectDestination(&bed);
    QTest::mouseClick(move->moveButton(MoveTarget::Under), Qt::LeftButton);
    QTreeWidgetItem* landed = dest.itemOf(*room, lamp);
    ASSERT_NE(landed, nullptr);
    EXPECT_EQ(dest.currentItem(), landed);
    EXPECT_TRUE(landed->parent()->isExpanded());
    EXPECT_TRUE(src.selectedItems().isEmpty());
}

TEST_F(MoveObjectDialogTest, OnlyTheLeftButtonActsInThePreview) {
    openMove(nullptr);
    LocationView* view = move->locationView();
    const double u = view->preview().scale();
    const QPoint onTable = view->preview().previewRect().topLeft() +
                           QPoint(static_cast<int>(70 * u), static_cast<int>(60 * u));
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(view, button, Qt::NoModifier, onTable);
        EXPECT_EQ(room->floorObjects().front().get(), table); // the floor keeps its order
        EXPECT_TRUE(side(MoveObjectDialog::Source).selectedItems().isEmpty());
    }
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, onTable);
    EXPECT_EQ(room->floorObjects().back().get(), table);
    EXPECT_EQ(side(MoveObjectDialog::Source).currentItem(),
              side(MoveObjectDialog::Source).itemOf(*room, table));
}
