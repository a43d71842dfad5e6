#include "PlanViewTestSupport.h"

using namespace ardenvo;
using ardenvo::test::PlanViewTest;

TEST_F(PlanViewTest, ARightClickOutsideEveryBlockShowsNoMenu) {
    click(QPoint(790, 590), Qt::RightButton);
    EXPECT_EQ(popupMenu(), nullptr);

    click(centreOf(1), Qt::RightButton);
    QMenu* menu = popupMenu();
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << QString(a->text()).remove(u'&');
    EXPECT_EQ(texts, (QStringList{"Add neighbor", "Rename", "Resize", "Reposition", "Change color",
                                  "Objects inside", "Delete"}));
    // Dialogs that are not plugged in are greyed; the rest works now.
    EXPECT_FALSE(actionNamed(menu, "Rename")->isEnabled());
    EXPECT_FALSE(actionNamed(menu, "Objects inside")->isEnabled());
    EXPECT_TRUE(actionNamed(menu, "Change color")->isEnabled());
    EXPECT_TRUE(actionNamed(menu, "Delete")->isEnabled());
    menu->close();
}

TEST_F(PlanViewTest, AddNeighborRefitsTheHouseAndGreysTheTakenSide) {
    view->zoomIn();
    view->zoomIn();
    chooseFromMenu(centreOf(1), {"Add neighbor", "A room", "To the east"});
    ASSERT_EQ(section().blocks().size(), 2u);
    const CBlock& room = *section().blocks()[1];
    EXPECT_EQ(room.rect(), (Rect{251, -25, 651, 375}));
    EXPECT_EQ(view->figureIds(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_TRUE(doc.isModified());
    const ScreenTransform fitted = fitTransform(section().boundingBox(), 800, 600);
    EXPECT_DOUBLE_EQ(section().zoom, fitted.zoom);
    EXPECT_EQ(section().offsetX, fitted.offsetX);

    click(centreOf(1), Qt::RightButton);
    QMenu* menu = popupMenu();
    ASSERT_NE(menu, nullptr);
    QMenu* add = actionNamed(menu, "Add neighbor")->menu();
    for (const char* kind : {"A hall", "A room"}) {
        QMenu* sides = actionNamed(add, kind)->menu();
        EXPECT_TRUE(actionNamed(sides, "To the north")->isEnabled());
        EXPECT_FALSE(actionNamed(sides, "To the east")->isEnabled());
        EXPECT_TRUE(actionNamed(sides, "To the west")->isEnabled());
    }
    menu->close();
}

TEST_F(PlanViewTest, DeleteRefusesTheInitialAndInBetweenBlocksAndRemovesALeaf) {
    chooseFromMenu(centreOf(1), {"Delete"});
    EXPECT_EQ(refusals(), (QStringList{"Can't delete the initial block!"}));
    EXPECT_EQ(section().blocks().size(), 1u);

    CBlock* middle = addNeighbor(doc, 1, South, BlockKind::Hall);
    CBlock* leaf = addNeighbor(doc, middle->id, South, BlockKind::Room);
    const std::int32_t middleId = middle->id;
    const std::int32_t leafId = leaf->id;
    chooseFromMenu(centreOf(middleId), {"Delete"});
    EXPECT_EQ(refusals().last(), QStringLiteral("Can't delete blocks that are in between!"));
    EXPECT_EQ(section().blocks().size(), 3u);

    chooseFromMenu(centreOf(leafId), {"Delete"});
    EXPECT_EQ(section().blocks().size(), 2u);
    EXPECT_EQ(view->figureIds(), (std::vector<std::int32_t>{1, middleId}));
    EXPECT_EQ(block(middleId).neighbours[South], 0);
}

TEST_F(PlanViewTest, WithAnObjectSelectedDeleteAndColourActOnTheObject) {
    addObject(1, {20, 20, 60, 60});
    CHouseObject& chosen = addObject(1, {80, 80, 130, 130});
    const QPoint at = screenOf(100 + 100, 100 + 100);
    click(at);
    click(at);
    ASSERT_TRUE(chosen.selected);

    prompter.colors.push_back(rgb(1, 2, 3));
    chooseFromMenu(at, {"Change color"});
    EXPECT_EQ(chosen.color, rgb(1, 2, 3));
    EXPECT_NE(block(1).colorRect.color, rgb(1, 2, 3));
    chooseFromMenu(at, {"Delete"});
    EXPECT_EQ(block(1).floorObjects().size(), 1u);

    // Nothing selected on the block: the colour goes to the block; a cancelled chooser keeps it
    // but the command still counts as an edit.
    prompter.colors.push_back(rgb(9, 8, 7));
    chooseFromMenu(at, {"Change color"});
    ASSERT_EQ(prompter.shown.back().kind, test::ScriptedPrompter::Kind::Color);
    EXPECT_EQ(prompter.shown.back().initialColor, kHallColor);
    EXPECT_EQ(block(1).colorRect.color, rgb(9, 8, 7));
    doc.setModified(false);
    chooseFromMenu(at, {"Change color"});
    EXPECT_EQ(block(1).colorRect.color, rgb(9, 8, 7));
    EXPECT_TRUE(doc.isModified());
}

TEST_F(PlanViewTest, DeletingTheChosenObjectSparesItsNamesake) {
    // A damaged file may hold two floor objects of one name.
    auto first = std::make_unique<CHouseObject>();
    first->location.rect = {10, 10, 40, 40};
    block(1).appendFloorObjectAsStored(std::move(first));
    auto second = std::make_unique<CHouseObject>();
    second->location.rect = {80, 80, 130, 130};
    CHouseObject& chosen = block(1).appendFloorObjectAsStored(std::move(second));
    const QPoint at = screenOf(200, 200);
    click(at);
    click(at);
    ASSERT_TRUE(chosen.selected);
    chooseFromMenu(at, {"Delete"});
    ASSERT_EQ(block(1).floorObjects().size(), 1u);
    EXPECT_EQ(block(1).floorObjects()[0]->location.rect, (Rect{10, 10, 40, 40}));
}

// Rename, Resize and Reposition through the real dialogs are StandardDialogHooksTest's.
TEST_F(PlanViewTest, ObjectsInsideLeavesThePlansSectionActive) {
    PlanDialogHooks hooks;
    CSection* seenActive = nullptr;
    hooks.objectsInside = [&](QWidget*, CBrenvikaDoc& d, CBlock& b, CHouseObject* selected) {
        EXPECT_EQ(b.id, 1);
        EXPECT_EQ(selected, nullptr);
        seenActive = d.currentSection();
        d.setCurrentSection(&d.appendSection(std::make_unique<CSection>()));
    };
    view->setDialogHooks(hooks);
    CSection* active = doc.currentSection();
    chooseFromMenu(centreOf(1), {"Objects inside"});
    EXPECT_EQ(seenActive, active);
    EXPECT_EQ(doc.currentSection(), active);
}

TEST_F(PlanViewTest, ClicksTakeTheBlockAndObjectDrawnOnTop) {
    // Two leaves laid over each other (as a resize of one towards the other can leave them): the
    // later figure is drawn over the earlier, so the click and its menu take the later one.
    const std::int32_t south = addNeighbor(doc, 1, South, BlockKind::Hall)->id;
    const std::int32_t east = addNeighbor(doc, 1, East, BlockKind::Room)->id;
    view->fitToWindow();
    block(east).setRect(block(south).rect());
    view->update();
    const QPoint at = centreOf(south);
    click(at);
    EXPECT_TRUE(block(east).selected);
    EXPECT_FALSE(block(south).selected);

    // Objects likewise: the later of two overlapping floor objects is the one picked up.
    addObject(east, {20, 20, 120, 120});
    CHouseObject& top = addObject(east, {20, 20, 120, 120});
    const QPoint onObjects = screenOf(block(east).rect().left + 70, block(east).rect().top + 70);
    click(onObjects);
    EXPECT_TRUE(top.selected);

    block(east).markAllFloorObjects(0);
    chooseFromMenu(at, {"Delete"});
    EXPECT_TRUE(refusals().isEmpty());
    EXPECT_EQ(section().findBlockById(east), nullptr);
    EXPECT_NE(section().findBlockById(south), nullptr);
}

TEST_F(PlanViewTest, MenuEntriesExplainThemselvesInTheStatusBar) {
    QSignalSpy status(view.get(), &CBrenvikaView::statusMessage);
    click(centreOf(1), Qt::RightButton);
    QMenu* menu = popupMenu();
    ASSERT_NE(menu, nullptr);
    menu->setActiveAction(actionNamed(menu, "Change color"));
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString().toStdString(), "Changes the color of the room/hall");
    EXPECT_EQ(actionNamed(menu, "Reposition")->statusTip().toStdString(),
              "Sets the relative position to the neighbors");
    // Every entry that can be chosen, in the submenus too, has a text of its own.
    QMenu* hall = actionNamed(actionNamed(menu, "Add neighbor")->menu(), "A hall")->menu();
    for (QMenu* m : {menu, hall})
        for (QAction* a : m->actions()) {
            if (!a->isEnabled())
                continue;
            status.clear();
            m->setActiveAction(a);
            ASSERT_FALSE(status.isEmpty()) << a->text().toStdString();
            EXPECT_FALSE(status.last().at(0).toString().isEmpty()) << a->text().toStdString();
        }
    // Closing the menu gives the pane back.
    menu->close();
    EXPECT_TRUE(status.last().at(0).toString().isEmpty());
}
