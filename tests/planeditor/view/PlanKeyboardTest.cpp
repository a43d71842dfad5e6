#include "PlanViewTestSupport.h"

#include "planeditor/view/PlanAccessible.h"

#include <QAccessible>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace ardenvo;
using ardenvo::test::PlanViewTest;

namespace {

// A hall (1) with a room east of it (2) and a hall south of it (3).
class PlanKeysTest : public PlanViewTest {
protected:
    void SetUp() override {
        PlanViewTest::SetUp();
        addNeighbor(doc, 1, East, BlockKind::Room)->name = "Kitchen";
        addNeighbor(doc, 1, South, BlockKind::Hall)->name = "Corridor";
        block(1).name = "Hall";
        section().name = "Ground floor";
        view->fitToWindow();
        view->setFocus();
        doc.setModified(false);
    }
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(view.get(), static_cast<Qt::Key>(key), mods);
        QApplication::processEvents();
    }
    // The ids of the menu's entries' Alt-key letters, failing on an entry without one.
    static QString letters(QMenu* menu) {
        QString all;
        for (QAction* a : menu->actions()) {
            const qsizetype amp = a->text().indexOf(u'&');
            EXPECT_GE(amp, 0) << a->text().toStdString();
            if (amp >= 0)
                all += a->text().at(amp + 1).toLower();
        }
        return all;
    }
};

TEST_F(PlanKeysTest, ArrowsWalkFromBlockToBlockAndScrollWhenNothingIsChosen) {
    QSignalSpy sizes(view.get(), &CBrenvikaView::sizeText);
    press(Qt::Key_Home);
    EXPECT_EQ(view->selectedBlockId(), 1);
    ASSERT_FALSE(sizes.isEmpty());
    EXPECT_EQ(sizes.last().at(0).toString(), QStringLiteral("Size: 150.00x150.00 centimeters"));
    press(Qt::Key_Right);
    EXPECT_EQ(view->selectedBlockId(), 2);
    EXPECT_FALSE(block(1).selected);
    press(Qt::Key_Left);
    press(Qt::Key_Down);
    EXPECT_EQ(view->selectedBlockId(), 3);
    // Nothing is attached south of the kitchen; the corridor's centre lies that way.
    press(Qt::Key_Up);
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    EXPECT_EQ(view->selectedBlockId(), 3);
    // No block lies further south: the selection stays, and the plan does not move.
    const std::int32_t y = section().offsetY;
    press(Qt::Key_Down);
    EXPECT_EQ(view->selectedBlockId(), 3);
    EXPECT_EQ(section().offsetY, y);
    press(Qt::Key_End);
    EXPECT_EQ(view->selectedBlockId(), view->figureIds().back());
    // Choosing is no edit of the house.
    EXPECT_FALSE(doc.isModified());

    // Ctrl+arrow scrolls while a block is chosen; with none chosen, so does a plain arrow.
    const std::int32_t x = section().offsetX;
    press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(section().offsetX, x + 60);
    EXPECT_EQ(view->selectedBlockId(), 3);
    press(Qt::Key_Escape);
    EXPECT_EQ(view->selectedBlockId(), 0);
    EXPECT_TRUE(view->currentSizeText().isEmpty());
    press(Qt::Key_Left);
    EXPECT_EQ(section().offsetX, x + 120);
}

TEST_F(PlanKeysTest, TheMenuKeyAndShiftF10OpenTheChosenBlocksMenuAtTheBlock) {
    press(Qt::Key_Menu);
    EXPECT_EQ(popupMenu(), nullptr); // nothing chosen, nothing to act on

    view->selectBlock(1);
    for (const auto& [key, mods] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        press(key, mods);
        QMenu* menu = popupMenu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->pos(), view->mapToGlobal(view->figureRect(1).center()));
        // Every entry, down to the sides, has a letter of its own.
        EXPECT_EQ(letters(menu), QStringLiteral("arspcod"));
        QMenu* add = actionNamed(menu, "Add neighbor")->menu();
        EXPECT_EQ(letters(add), QStringLiteral("ho"));
        EXPECT_EQ(letters(actionNamed(add, "A room")->menu()), QStringLiteral("nesw"));
        menu->close();
        QApplication::processEvents();
    }
}

TEST_F(PlanKeysTest, EnterOpensTheObjectsOfTheChosenBlock) {
    std::vector<std::int32_t> opened;
    PlanDialogHooks hooks;
    hooks.objectsInside = [&](QWidget*, CBrenvikaDoc&, CBlock& b, CHouseObject*) {
        opened.push_back(b.id);
    };
    view->setDialogHooks(hooks);
    press(Qt::Key_Return); // nothing chosen
    EXPECT_TRUE(opened.empty());
    view->selectBlock(2);
    press(Qt::Key_Return);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(opened, (std::vector<std::int32_t>{2, 2}));
}

TEST_F(PlanKeysTest, TabLeavesThePlanWithOrWithoutAChoice) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit;
    auto* after = new QLineEdit;
    layout->addWidget(before);
    view->setParent(&window);
    layout->addWidget(view.get());
    layout->addWidget(after);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    for (std::int32_t chosen : {0, 1}) {
        view->selectBlock(chosen);
        view->setFocus(Qt::TabFocusReason);
        QTest::keyClick(view.get(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), after);
        view->setFocus(Qt::TabFocusReason);
        QTest::keyClick(view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), before);
    }
    view->setParent(nullptr);
}

// What screen readers heard: an event's type and the name of what it is about.
std::vector<std::pair<QAccessible::Event, QString>> g_heard;
void hear(QAccessibleEvent* event) {
    if (event->type() != QAccessible::Focus && event->type() != QAccessible::Selection &&
        event->type() != QAccessible::SelectionRemove)
        return;
    QAccessibleInterface* about = event->accessibleInterface();
    g_heard.emplace_back(event->type(), about ? about->text(QAccessible::Name) : QString());
}

TEST_F(PlanKeysTest, AScreenReaderHearsThePlanItsBlocksAndTheSelection) {
    QAccessibleInterface* plan = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->role(), QAccessible::List);
    EXPECT_EQ(plan->text(QAccessible::Name), QStringLiteral("Plan of Ground floor"));
    ASSERT_EQ(plan->childCount(), 3);
    QStringList names;
    for (int i = 0; i < plan->childCount(); ++i) {
        QAccessibleInterface* child = plan->child(i);
        ASSERT_NE(child, nullptr);
        names << child->text(QAccessible::Name);
        EXPECT_EQ(child->role(), QAccessible::ListItem);
        EXPECT_EQ(plan->indexOfChild(child), i);
        EXPECT_EQ(child->parent(), plan);
        const std::int32_t id = view->figureIds()[static_cast<std::size_t>(i)];
        EXPECT_EQ(child->rect(), QRect(view->mapToGlobal(view->figureRect(id).topLeft()),
                                       view->figureRect(id).size()));
        EXPECT_EQ(plan->childAt(child->rect().center().x(), child->rect().center().y()), child);
        EXPECT_FALSE(child->state().selected);
    }
    EXPECT_EQ(names, (QStringList{"Hall", "Kitchen", "Corridor"}));
    EXPECT_EQ(plan->child(1)->text(QAccessible::Description), QStringLiteral("Room"));

    const PlanAnnouncer previous = setPlanAnnouncer(hear);
    g_heard.clear();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->setFocus();
    press(Qt::Key_Home);
    press(Qt::Key_Right);
    click(QPoint(790, 590)); // outside every block
    setPlanAnnouncer(previous);
    using P = std::pair<QAccessible::Event, QString>;
    EXPECT_EQ(g_heard, (std::vector<P>{{QAccessible::Selection, "Hall"},
                                       {QAccessible::Focus, "Hall"},
                                       {QAccessible::SelectionRemove, "Hall"},
                                       {QAccessible::Selection, "Kitchen"},
                                       {QAccessible::Focus, "Kitchen"},
                                       {QAccessible::SelectionRemove, "Kitchen"}}));
}

TEST_F(PlanKeysTest, ABlocksStateFollowsTheSelectionAndItsEnd) {
    QAccessibleInterface* plan = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_NE(plan, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->setFocus();
    view->selectBlock(3);
    QAccessibleInterface* corridor = plan->child(2);
    ASSERT_NE(corridor, nullptr);
    EXPECT_TRUE(corridor->state().selected);
    EXPECT_TRUE(corridor->state().focused);
    EXPECT_EQ(plan->focusChild(), corridor);
    EXPECT_FALSE(plan->child(0)->state().selected);

    // A deleted block leaves the list, and its interface says it is gone.
    chooseFromMenu(centreOf(3), {"Delete"});
    EXPECT_EQ(plan->childCount(), 2);
    EXPECT_FALSE(corridor->isValid());
    EXPECT_TRUE(corridor->text(QAccessible::Name).isEmpty());
    EXPECT_EQ(plan->focusChild(), nullptr);

    // The plan's name follows its section.
    section().name = "Cellar";
    EXPECT_EQ(plan->text(QAccessible::Name), QStringLiteral("Plan of Cellar"));
}

} // namespace
