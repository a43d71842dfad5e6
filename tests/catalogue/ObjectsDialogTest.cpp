#include "CatalogueTestSupport.h"

#include "catalogue/MoveObjectDialog.h"
#include "model/ObjectEdits.h"
#include "catalogue/RoomSelector.h"
#include "catalogue/fields/CategoryPanel.h"
#include "catalogue/pictures/PictureGroup.h"
#include "planeditor/view/DialogTestSupport.h"

#include <QCheckBox>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

using namespace ardenvo;
using ardenvo::test::actionNamed;
using ardenvo::test::ObjectsDialogTest;
using ardenvo::test::ScriptedPrompter;
using ardenvo::test::whenModal;

TEST_F(ObjectsDialogTest, OpensOnTheChosenObjectWithTheTreeInItsOrder) {
    doc.setModified(false);
    chair->floorIndex = 0; // a damaged order: the tree follows the floor index, not the list
    table->floorIndex = 1;
    open(lamp);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(tree().root()->text(0), "Floor");
    EXPECT_EQ(labelsBelow(tree().root()), (QStringList{"Chair", "Table"}));
    EXPECT_EQ(labelsBelow(itemOf(table)), (QStringList{"Lamp", "Drawer"}));
    EXPECT_EQ(ObjectTree::iconIndex(itemOf(lamp)), ObjectTree::OnTopIcon);
    EXPECT_EQ(ObjectTree::iconIndex(itemOf(drawer)), ObjectTree::InsideIcon);
    EXPECT_EQ(dialog->selectedObject(), lamp);
    EXPECT_TRUE(dialog->modifyButton()->isEnabled());

    dialog->selectRoot();
    EXPECT_FALSE(dialog->modifyButton()->isEnabled());
    EXPECT_FALSE(dialog->deleteButton()->isEnabled());
    EXPECT_FALSE(dialog->notesEdit()->isEnabled());
}

TEST_F(ObjectsDialogTest, SelectingAFloorObjectDrawsItOnTopWithoutReorderingTheTree) {
    open();
    tree().setCurrentItem(itemOf(table));
    EXPECT_EQ(room->floorObjects().back().get(), table);
    EXPECT_EQ(labelsBelow(tree().root()), (QStringList{"Table", "Chair"}));
    EXPECT_EQ(table->floorIndex, 0);

    // A click in the preview selects what is drawn there.
    LocationView* view = dialog->locationGroup()->view();
    const double u = view->preview().scale();
    const QPoint onChair = view->preview().previewRect().topLeft() +
                           QPoint(static_cast<int>(225 * u), static_cast<int>(175 * u));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, onChair);
    EXPECT_EQ(dialog->selectedObject(), chair);
    EXPECT_EQ(room->floorObjects().back().get(), chair);
}

TEST_F(ObjectsDialogTest, RightClickOnFloorAddsObjectsAndTheMenuGreysByPosition) {
    open();
    dialog->showContextMenu(tree().root(), QPoint(50, 50));
    dialog->showContextMenu(tree().root(), QPoint(50, 50));
    EXPECT_EQ(labelsBelow(tree().root()), (QStringList{"Table", "Chair", "Object", "Object 2"}));

    QStringList seen;
    bool moveEnabled = true, resizeEnabled = false, insideEnabled = true, onTopEnabled = false;
    chooseFromMenu(itemOf(drawer), {}, [&](QMenu* menu) {
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                seen << ardenvo::test::withoutLetter(a->text());
        EXPECT_FALSE(menu->actions()[0]->isEnabled());
        QMenu* move = actionNamed(menu, "Move")->menu();
        moveEnabled = actionNamed(menu, "Move")->isEnabled();
        insideEnabled = actionNamed(move, "Inside")->isEnabled();
        onTopEnabled = actionNamed(move, "On top")->isEnabled();
        resizeEnabled = actionNamed(menu, "Resize")->isEnabled() ||
                        actionNamed(menu, "Change color")->isEnabled();
    });
    EXPECT_EQ(seen, (QStringList{"Drawer", "Add object", "Move", "Rename", "Resize", "Change color",
                                 "Delete", "Print label..."}));
    EXPECT_TRUE(moveEnabled);
    EXPECT_FALSE(insideEnabled);
    EXPECT_TRUE(onTopEnabled);
    EXPECT_FALSE(resizeEnabled);

    chooseFromMenu(itemOf(table), {}, [&](QMenu* menu) {
        moveEnabled = actionNamed(menu, "Move")->isEnabled();
        resizeEnabled = actionNamed(menu, "Resize")->isEnabled() &&
                        actionNamed(menu, "Change color")->isEnabled();
    });
    EXPECT_FALSE(moveEnabled);
    EXPECT_TRUE(resizeEnabled);
}

TEST_F(ObjectsDialogTest, ContextMenuAddsMovesResizesRecoloursAndDeletesWithoutAQuestion) {
    open();
    chooseFromMenu(itemOf(table), {"Add object", "On top"});
    chooseFromMenu(itemOf(table), {"Add object", "On top"});
    chooseFromMenu(itemOf(table), {"Add object", "Inside"});
    EXPECT_EQ(labelsBelow(itemOf(table)),
              (QStringList{"Lamp", "Object", "Object 2", "Drawer", "Object"}));
    EXPECT_TRUE(itemOf(table)->isExpanded());

    chooseFromMenu(itemOf(lamp), {"Move", "Under"});
    EXPECT_EQ(table->children(NestPosition::Under)[0].get(), lamp);
    EXPECT_EQ(labelsBelow(itemOf(table)).last(), "Lamp");

    answerSize = QSizeF(80.9, 30.2);
    prompter.colors.push_back(rgb(9, 8, 7));
    chooseFromMenu(itemOf(chair), {"Resize"});
    chooseFromMenu(itemOf(chair), {"Change color"});
    EXPECT_EQ(chair->location.rect, (Rect{200, 150, 280, 180}));
    EXPECT_EQ(chair->color, rgb(9, 8, 7));

    chooseFromMenu(itemOf(table), {"Delete"});
    EXPECT_TRUE(prompter.questions().isEmpty());
    EXPECT_EQ(room->floorObjects().size(), 1u);
    EXPECT_EQ(chair->floorIndex, 0);
    EXPECT_EQ(labelsBelow(tree().root()), (QStringList{"Chair"}));
}

TEST_F(ObjectsDialogTest, DeleteButtonAndKeyAskFirst) {
    open(chair);
    prompter.answers.push_back(ScriptedPrompter::Answer::No);
    QTest::mouseClick(dialog->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.questions(),
              (QStringList{"Object and all associated reminders will be deleted. Are you sure?"}));
    EXPECT_EQ(room->floorObjects().size(), 2u);

    prompter.answers.push_back(ScriptedPrompter::Answer::Yes);
    tree().setFocus();
    tree().setCurrentItem(itemOf(drawer));
    QTest::keyClick(&tree(), Qt::Key_Delete);
    EXPECT_EQ(prompter.questions().size(), 2);
    for (const ScriptedPrompter::Shown& question : prompter.shown) {
        EXPECT_EQ(question.title, "Warning");
        EXPECT_EQ(question.icon, ScriptedPrompter::Icon::Warning);
        EXPECT_EQ(question.defaultAnswer, ScriptedPrompter::Answer::No);
    }
    EXPECT_TRUE(table->children(NestPosition::Inside).empty());
    EXPECT_EQ(tree().currentItem(), tree().root());
    EXPECT_EQ(labelsBelow(itemOf(table)), (QStringList{"Lamp"}));
}

// The open label editor (an ended one may linger hidden until deleted).
static QLineEdit* labelEditor(QTreeWidget& tree) {
    for (QLineEdit* e : tree.findChildren<QLineEdit*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

TEST_F(ObjectsDialogTest, EnterWhileRenamingRenamesAndKeepsTheDialogOpen) {
    table->addChild(NestPosition::Inside, named("Cutlery"));
    open(drawer);
    QTest::keyClick(&tree(), Qt::Key_F2);
    QLineEdit* editor = labelEditor(tree());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "Cutlery");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the edit ends queued
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(drawer->name, "Cutlery 2");
    EXPECT_EQ(itemOf(drawer)->text(0), "Cutlery 2");

    // A sibling's name in another list gives no suffix; an empty edit changes nothing.
    tree().setCurrentItem(itemOf(drawer));
    QTest::keyClick(&tree(), Qt::Key_F2);
    editor = labelEditor(tree());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(drawer->name, "Cutlery 2");

    // Without an edit, Enter closes the dialog.
    QTest::keyClick(&tree(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ObjectsDialogTest, AddAndModifyGoThroughObjectProperties) {
    open(table);
    ObjectProperties p;
    p.name = "Chair";
    p.position = NestPosition::Under;
    p.width = 30;
    p.length = 20;
    answerProperties = p;
    QTest::mouseClick(dialog->addButton(), Qt::LeftButton);
    EXPECT_FALSE(offeredProperties.has_value());
    EXPECT_FALSE(offeredOnFloor);
    ASSERT_EQ(table->children(NestPosition::Under).size(), 1u);
    EXPECT_EQ(table->children(NestPosition::Under)[0]->name, "Chair 2");

    // Modify of the lamp into the drawer's list carries everything in it along.
    lamp->addChild(NestPosition::Under, named("Mat"));
    tree().setCurrentItem(itemOf(lamp));
    p.name = "Drawer";
    p.position = NestPosition::Inside;
    answerProperties = p;
    QTest::mouseClick(dialog->modifyButton(), Qt::LeftButton);
    ASSERT_TRUE(offeredProperties.has_value());
    EXPECT_EQ(offeredProperties->name, "Lamp");
    EXPECT_EQ(table->children(NestPosition::Inside).back().get(), lamp);
    EXPECT_EQ(lamp->name, "Drawer 2");
    EXPECT_EQ(lamp->children(NestPosition::Under)[0]->name, "Mat");
    EXPECT_EQ(dialog->selectedObject(), lamp);

    // Cancel changes nothing; "Add to floor" fixes the position.
    answerProperties.reset();
    QTest::mouseClick(dialog->addToFloorButton(), Qt::LeftButton);
    EXPECT_TRUE(offeredOnFloor);
    EXPECT_EQ(room->floorObjects().size(), 2u);
}

TEST_F(ObjectsDialogTest, NotesSlidersAndDraggingEditTheSelectedObject) {
    open(table);
    QTest::keyClicks(dialog->notesEdit(), "Oak");
    EXPECT_EQ(table->notes, "Oak");
    tree().setCurrentItem(itemOf(chair));
    EXPECT_EQ(dialog->notesEdit()->toPlainText(), "");
    EXPECT_EQ(table->notes, "Oak");

    LocationGroup* group = dialog->locationGroup();
    EXPECT_EQ(group->horizontalSlider()->minimum(), 35);
    EXPECT_EQ(group->horizontalSlider()->maximum(), 365);
    EXPECT_EQ(group->horizontalSlider()->value(), 225);
    group->horizontalSlider()->setValue(300);
    EXPECT_EQ(chair->location.rect, (Rect{275, 150, 325, 200}));

    // Dragging carries the centre to the pointer, clamped to the walls' margin.
    LocationView* view = group->view();
    const QRect p = view->preview().previewRect();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, p.center());
    QMouseEvent move(QEvent::MouseMove, QPointF(p.left() + 1, p.top() + 1),
                     view->mapToGlobal(QPointF(p.left() + 1, p.top() + 1)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, p.center());
    EXPECT_EQ(chair->location.rect, (Rect{10, 10, 60, 60}));

    // An object too wide for the room keeps its place along that axis.
    chair->location.rect = {0, 100, 390, 150};
    tree().setCurrentItem(itemOf(table));
    tree().setCurrentItem(itemOf(chair));
    EXPECT_FALSE(group->horizontalSlider()->isEnabled());
    QApplication::sendEvent(view, &move);
    EXPECT_EQ(chair->location.rect.left, 0);
    EXPECT_EQ(chair->location.rect.top, 10);
}

TEST_F(ObjectsDialogTest, ChangeRoomSwitchesBlockAndSection) {
    auto upper = std::make_unique<CSection>();
    upper->name = "Upper floor";
    upper->blocks()[0]->name = "Attic";
    CSection& attic = doc.appendSection(std::move(upper));
    open(chair);
    EXPECT_EQ(dialog->roomSelector()->sectionsCombo()->currentText(), "All sections");
    EXPECT_EQ(dialog->roomSelector()->roomsCombo()->currentText(), "Kitchen");
    QStringList rooms;
    for (int i = 0; i < dialog->roomSelector()->roomsCombo()->count(); ++i)
        rooms << dialog->roomSelector()->roomsCombo()->itemText(i);
    EXPECT_EQ(rooms, (QStringList{"Attic", "Kitchen"}));

    dialog->roomSelector()->roomsCombo()->setCurrentText("Attic");
    QTest::mouseClick(dialog->roomSelector()->changeRoomButton(), Qt::LeftButton);
    EXPECT_EQ(&dialog->block(), attic.blocks()[0].get());
    EXPECT_EQ(doc.currentSection(), &attic);
    EXPECT_EQ(tree().root()->childCount(), 0);
    EXPECT_EQ(dialog->locationGroup()->sliderObject(), nullptr);

    // A section chosen by name lists only its rooms; an unknown room reloads the same block.
    dialog->roomSelector()->sectionsCombo()->setCurrentText("House");
    EXPECT_EQ(dialog->roomSelector()->roomsCombo()->count(), 1);
    QTest::mouseClick(dialog->roomSelector()->changeRoomButton(), Qt::LeftButton);
    EXPECT_EQ(&dialog->block(), room);
    EXPECT_EQ(labelsBelow(tree().root()), (QStringList{"Table", "Chair"}));
}

TEST_F(ObjectsDialogTest, ThePictureListFollowsTheTreeAndAClickOnARowSelectsItsOwner) {
    saveRedPicture("lamp.png");
    lamp->pictures.append("Lamp photo", "lamp.png");
    room->pictures.append("Plan", "lamp.png");
    open();
    PictureGroup& pictures = *dialog->pictureGroup();
    QTreeWidget& list = *pictures.pictureList();
    ASSERT_TRUE(pictures.showAllImages());
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(0)->text(0), "Room");
    EXPECT_EQ(list.topLevelItem(1)->text(0), "Lamp");

    const QRect row = list.visualItemRect(list.topLevelItem(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    EXPECT_EQ(dialog->selectedObject(), lamp);

    // Without "Show all images" the list shows the selected object's pictures only.
    pictures.showAllBox()->click();
    tree().setCurrentItem(itemOf(chair));
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_FALSE(pictures.editButton()->isEnabled());
    dialog->selectRoot();
    EXPECT_EQ(list.topLevelItemCount(), 1);
}

TEST_F(ObjectsDialogTest, PictureRowsAndTheSelectionFollowObjectsMovedAwayOrRenamed) {
    saveRedPicture("lamp.png");
    lamp->pictures.append("Lamp photo", "lamp.png");
    const CField* seat = &chair->pictures.append("Seat", "lamp.png");
    auto upper = std::make_unique<CSection>();
    upper->blocks()[0]->name = "Attic";
    CBlock& attic = *doc.appendSection(std::move(upper)).blocks()[0];
    const CHouseObject* offered = nullptr;
    services.moveObject = [&](QWidget*, CBrenvikaDoc&, CBlock& block,
                              const CHouseObject* select) -> CHouseObject* {
        offered = select;
        moveObjectTo(block, placeAt(block, *pathOf(block, lamp)), attic, nullptr,
                     MoveTarget::Floor);
        return lamp;
    };
    open(lamp);
    PictureGroup& pictures = *dialog->pictureGroup();
    ASSERT_TRUE(pictures.showAllImages());
    auto rows = [&pictures] {
        QStringList texts;
        for (int i = 0; i < pictures.pictureList()->topLevelItemCount(); ++i)
            texts << pictures.pictureList()->topLevelItem(i)->text(0);
        return texts;
    };
    EXPECT_EQ(rows(), (QStringList{"Lamp", "Chair"}));

    // The lamp goes to the attic: its row goes with it, and no neighbour is selected instead.
    QTest::mouseClick(dialog->moveButton(), Qt::LeftButton);
    EXPECT_EQ(offered, lamp);
    EXPECT_EQ(rows(), QStringList{"Chair"});
    EXPECT_EQ(pictures.selectedPicture(), seat);
    EXPECT_EQ(tree().currentItem(), tree().root());

    // A renamed owner's row shows the new name and still reaches its picture.
    tree().setCurrentItem(itemOf(chair));
    ObjectProperties p;
    p.name = "Armchair";
    p.width = 50;
    p.length = 50;
    answerProperties = p;
    QTest::mouseClick(dialog->modifyButton(), Qt::LeftButton);
    EXPECT_EQ(rows(), QStringList{"Armchair"});
    EXPECT_EQ(pictures.selectedPicture(), &chair->pictures.entryAt(0));

    // A move inside the room selects the moved object where it now stands.
    services.moveObject = [&](QWidget*, CBrenvikaDoc&, CBlock& block,
                              const CHouseObject*) -> CHouseObject* {
        moveObjectTo(block, placeAt(block, *pathOf(block, chair)), block, table, MoveTarget::Under);
        return chair;
    };
    dialog.reset();
    open(table);
    QTest::mouseClick(dialog->moveButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->selectedObject(), chair);
    EXPECT_EQ(dialog->selectedPlace().parent, table);
}

TEST_F(ObjectsDialogTest, HelpAsksForTheManualAtThePageOfTheDialog) {
    QStringList topics;
    QList<QWidget*> askers;
    services.help = [&](QWidget* from, const QString& topic) {
        askers << from;
        topics << topic;
    };
    open();
    QTest::mouseClick(dialog->helpButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->isVisible());

    MoveObjectDialog move(doc, *room, nullptr, prompter, dialog.get(), services.help);
    for (QPushButton* b : move.findChildren<QPushButton*>())
        if (ardenvo::test::withoutLetter(b->text()) == "Help")
            QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(topics, (QStringList{"objects.html", "objects.html#move"}));
    EXPECT_EQ(askers, (QList<QWidget*>{dialog.get(), &move}));
}

TEST_F(ObjectsDialogTest, TheMoveDialogItOpensWarnsThroughTheSamePrompter) {
    open();
    whenModal([](QDialog* opened) {
        if (auto* move = qobject_cast<MoveObjectDialog*>(opened))
            move->moveButton(MoveTarget::Floor)->click(); // nothing selected to move
        opened->accept();
    });
    QTest::mouseClick(dialog->moveButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Message),
              QStringList{"Select source object to move"});
    EXPECT_EQ(room->floorObjects().size(), 2u);
}

TEST_F(ObjectsDialogTest, ListColumnsShowTheirHeadingsAndLongestNamesWhole) {
    open(lamp);
    CategoryPanel& panel = *dialog->categoryPanel();
    if (!panel.showAllBox()->isChecked())
        panel.showAllBox()->click();
    QTreeWidget& attributes = *panel.attributeList();
    ASSERT_FALSE(attributes.findItems("Insurance value", Qt::MatchExactly, 1).isEmpty());
    QTest::qWait(50); // the header fits its sections once the rows are laid out
    for (int column : {0, 1}) {
        EXPECT_GE(attributes.columnWidth(column), attributes.header()->sectionSizeHint(column))
            << column;
        for (int row = 0; row < attributes.topLevelItemCount(); ++row) {
            const QModelIndex cell = attributes.model()->index(row, column);
            EXPECT_GE(attributes.columnWidth(column), attributes.sizeHintForIndex(cell).width())
                << cell.data().toString().toStdString();
        }
    }
    QTreeWidget& pictures = *dialog->pictureGroup()->pictureList();
    for (int column = 0; column < 3; ++column)
        EXPECT_GE(pictures.columnWidth(column), pictures.header()->sectionSizeHint(column))
            << column;
}
