#pragma once

#include "DialogTestSupport.h"

#include "model/CBrenvikaDoc.h"
#include "planeditor/layout/BlockLayout.h"
#include "planeditor/layout/PlanGeometry.h"
#include "planeditor/view/CBrenvikaView.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace ardenvo::test {

// A house and its plan view, shown offscreen at 800 x 600, with the message boxes and the colour
// chooser answered by the test.
class PlanViewTest : public testing::Test {
protected:
    void SetUp() override {
        installLayout(doc);
        view = std::make_unique<CBrenvikaView>(doc);
        view->setPrompter(prompter);
        view->resize(800, 600);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        doc.setModified(false);
    }

    void TearDown() override {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        view.reset();
    }

    CSection& section() { return *doc.currentSection(); }
    CBlock& block(int id) { return *section().findBlockById(id); }
    ScreenTransform transform() { return {section().zoom, section().offsetX, section().offsetY}; }
    // Where a model point of the section shows in the view.
    QPoint screenOf(std::int32_t x, std::int32_t y) {
        const ScreenTransform t = transform();
        return {t.toScreenX(x), t.toScreenY(y)};
    }
    QPoint centreOf(int id) {
        const Rect& r = block(id).rect();
        return screenOf((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    QPoint handleOf(int id, int handle) {
        const auto p = blockHandlePoints(transform().toScreen(block(id).rect()));
        return {p[static_cast<std::size_t>(handle - 1)].x,
                p[static_cast<std::size_t>(handle - 1)].y};
    }
    CHouseObject& addObject(int id, const Rect& r) {
        auto o = std::make_unique<CHouseObject>();
        o->location.rect = r;
        return block(id).addFloorObject(std::move(o));
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseMove(view.get(), at);
        QTest::mouseClick(view.get(), button, Qt::NoModifier, at);
        QApplication::processEvents();
    }
    void drag(QPoint from, QPoint to, int steps = 4) {
        QTest::mouseMove(view.get(), from);
        QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= steps; ++i)
            QTest::mouseMove(view.get(), from + (to - from) * i / steps);
        QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, to);
    }

    // The open context menu, or null.
    QMenu* popupMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    // An entry by its text as read, without the &-mark of its Alt-key letter.
    static QAction* actionNamed(QMenu* menu, const QString& text) {
        for (QAction* a : menu->actions())
            if (QString(a->text()).remove(u'&') == text)
                return a;
        return nullptr;
    }
    // Right-clicks at a point, picks the menu entry along a path and lets the command run.
    void chooseFromMenu(QPoint at, const QStringList& path) {
        click(at, Qt::RightButton);
        QMenu* menu = popupMenu();
        ASSERT_NE(menu, nullptr);
        QMenu* current = menu;
        for (int i = 0; i < path.size(); ++i) {
            QAction* action = actionNamed(current, path[i]);
            ASSERT_NE(action, nullptr) << path[i].toStdString();
            if (i + 1 < path.size()) {
                current = action->menu();
                ASSERT_NE(current, nullptr);
            } else {
                ASSERT_TRUE(action->isEnabled()) << path[i].toStdString();
                action->trigger();
            }
        }
        menu->close();
        QApplication::processEvents();
    }

    CBrenvikaDoc doc;
    ScriptedPrompter prompter; // outlives the view
    std::unique_ptr<CBrenvikaView> view;
    // What the view said: its refusals carry the stop icon, its other messages none.
    QStringList refusals() const { return ardenvo::test::refusals(prompter); }
    QStringList messages() const { return messagesWith(prompter, Prompter::Icon::None); }
};

} // namespace ardenvo::test
