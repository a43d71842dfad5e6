// What a screen reader learns from the object dialogs: the preview names the selected object and
// says when it changes, and the tree opens its menu from the keyboard.
#include "CatalogueTestSupport.h"

#include "catalogue/MoveObjectDialog.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QSignalSpy>

using namespace ardenvo;
using ardenvo::test::ObjectsDialogTest;

namespace {

struct Told {
    QAccessible::Event type;
    QObject* object;
    int child;
};
std::vector<Told> g_told;

void record(QAccessibleEvent* event) {
    g_told.push_back({event->type(), event->object(), event->child()});
}

class ScreenReaderTest : public ObjectsDialogTest {
protected:
    void SetUp() override {
        ObjectsDialogTest::SetUp();
        g_told.clear();
        m_previous = QAccessible::installUpdateHandler(record);
    }
    void TearDown() override {
        QAccessible::installUpdateHandler(m_previous);
        ObjectsDialogTest::TearDown();
        QAccessible::setActive(false);
    }
    QAccessibleInterface* preview() {
        return QAccessible::queryAccessibleInterface(dialog->locationGroup()->view());
    }
    // As when a screen reader listens: Qt tells nothing to nobody. The desktop's accessibility
    // bus may switch it off again while events are processed, so each step asks anew.
    static void listen() {
        QAccessible::setActive(true);
        g_told.clear();
    }
    // The events told about the preview since listen().
    std::vector<Told> toldAboutPreview() {
        std::vector<Told> told;
        for (const Told& t : g_told)
            if (t.object == dialog->locationGroup()->view())
                told.push_back(t);
        g_told.clear();
        return told;
    }
    static bool has(const std::vector<Told>& told, QAccessible::Event type, int child = -2) {
        return std::any_of(told.begin(), told.end(), [&](const Told& t) {
            return t.type == type && (child == -2 || t.child == child);
        });
    }

private:
    QAccessible::UpdateHandler m_previous = nullptr;
};

TEST_F(ScreenReaderTest, ThePreviewListsTheFloorAndNamesTheSelectedObject) {
    open(table);
    QAccessibleInterface* a = preview();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::List);
    EXPECT_EQ(a->text(QAccessible::Name), "Location preview");
    EXPECT_EQ(a->text(QAccessible::Description), "Selected: Table");
    ASSERT_EQ(a->childCount(), 2); // the floor, in the tree's order
    EXPECT_TRUE(a->child(0)->isValid()) << "a screen reader drops an invalid item";
    EXPECT_EQ(a->child(0)->text(QAccessible::Name), "Table");
    EXPECT_EQ(a->child(1)->text(QAccessible::Name), "Chair");
    EXPECT_TRUE(a->child(0)->state().selected);
    EXPECT_FALSE(a->child(1)->state().selected);
    EXPECT_EQ(a->indexOfChild(a->child(1)), 1);
    EXPECT_EQ(a->child(0)->parent(), a);
    // The child stands where the table is drawn.
    const QRect table = a->child(0)->rect();
    EXPECT_TRUE(a->rect().contains(table)) << table.x() << "," << table.y();
    EXPECT_EQ(a->childAt(table.center().x(), table.center().y()), a->child(0));
}

TEST_F(ScreenReaderTest, EveryChangeOfTheSelectionIsTold) {
    open(table);
    listen();
    if (!QAccessible::isActive())
        GTEST_SKIP() << "the platform keeps accessibility off, so nothing is told";
    tree().setCurrentItem(itemOf(chair));
    auto told = toldAboutPreview();
    EXPECT_TRUE(has(told, QAccessible::Selection, 1));
    EXPECT_TRUE(has(told, QAccessible::DescriptionChanged));
    EXPECT_EQ(preview()->text(QAccessible::Description), "Selected: Chair");
    EXPECT_TRUE(preview()->child(1)->state().selected);

    // A nested object is not drawn: it is named, and no floor object is marked.
    listen();
    tree().setCurrentItem(itemOf(drawer));
    told = toldAboutPreview();
    EXPECT_FALSE(has(told, QAccessible::Selection));
    EXPECT_TRUE(has(told, QAccessible::DescriptionChanged));
    EXPECT_EQ(preview()->text(QAccessible::Description), "Selected: Drawer");
    EXPECT_FALSE(preview()->child(0)->state().selected);

    listen();
    dialog->selectRoot();
    EXPECT_TRUE(has(toldAboutPreview(), QAccessible::DescriptionChanged));
    EXPECT_EQ(preview()->text(QAccessible::Description), "No object selected");

    // The same selection again tells nothing new.
    listen();
    dialog->selectRoot();
    EXPECT_TRUE(toldAboutPreview().empty());
}

TEST_F(ScreenReaderTest, ADeletedObjectIsNeverReadAndTheListShrinks) {
    open(chair);
    QAccessibleInterface* second = preview()->child(1);
    chooseFromMenu(itemOf(chair), {"Delete"});
    EXPECT_EQ(room->floorObjects().size(), 1u);
    EXPECT_EQ(preview()->childCount(), 1);
    EXPECT_EQ(preview()->text(QAccessible::Description), "No object selected");
    // A reader still holding the old child learns it is gone.
    EXPECT_FALSE(second->isValid());
    EXPECT_EQ(second->text(QAccessible::Name), QString());
    EXPECT_EQ(preview()->child(1), nullptr);
}

TEST_F(ScreenReaderTest, TheMoveDialogsPreviewNamesWhatTheShownSideSelected) {
    MoveObjectDialog move(doc, *room, chair, prompter);
    move.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&move));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(move.locationView());
    EXPECT_EQ(a->text(QAccessible::Description), "Selected: Chair");
    ObjectTree* source = move.tree(MoveObjectDialog::Source);
    source->setCurrentItem(source->itemOf(*room, lamp));
    EXPECT_EQ(a->text(QAccessible::Description), "Selected: Lamp");
    // Moved away from the shown block, the lamp is no longer named.
    move.moveTo(MoveTarget::Floor);
    EXPECT_EQ(a->text(QAccessible::Description), "No object selected");
}

TEST_F(ScreenReaderTest, TheMenuKeyAndShiftF10OpenTheTreesMenuOnce) {
    open(chair);
    QSignalSpy wanted(&tree(), &ObjectTree::contextMenuWanted);
    // Answered by the test instead of a menu.
    QObject::disconnect(&tree(), &ObjectTree::contextMenuWanted, dialog.get(), nullptr);
    QTest::keyClick(&tree(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_EQ(wanted.count(), 1);
    EXPECT_EQ(wanted.at(0).at(0).value<QTreeWidgetItem*>(), itemOf(chair));
    QTest::keyClick(&tree(), Qt::Key_Menu);
    EXPECT_EQ(wanted.count(), 2);
    // Where the platform already made a context-menu event of the Menu key, it is not repeated.
    QContextMenuEvent fromKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(tree().viewport(), &fromKey);
    QTest::keyClick(&tree(), Qt::Key_Menu);
    EXPECT_EQ(wanted.count(), 3);
    // A plain F10 is no menu.
    QTest::keyClick(&tree(), Qt::Key_F10);
    EXPECT_EQ(wanted.count(), 3);
}

} // namespace
