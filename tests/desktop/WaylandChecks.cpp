// The main window driven on whatever platform the run is given, meant for a Wayland compositor:
// a menu and its submenu open and run an entry, a dialog opens from a menu and Esc closes it, a
// block of the plan is dragged to a new size, and a block's context menu opens. Menus and dialogs
// are windows of their own there (popups placed by the compositor), the places such things break.
// With ARDENVO_SHOT_DIR set, each step leaves pictures of its windows there, and with
// ARDENVO_SCREENSHOOTER set (a program that saves the compositor's screen into its working
// folder), a picture of the whole screen as well.
// The pointer is moved as the platform would move it, through the window system's events: the
// cursor cannot be placed by a client on Wayland.
#define QTEST_QPA_MOUSE_HANDLING
#include "tests/desktop/WindowTable.h"

#include "model/CSection.h"
#include "planeditor/layout/PlanGeometry.h"
#include "planeditor/view/CBrenvikaView.h"
#include "shell/CMainFrame.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

void keepPictures(const QString& step, const QList<QWidget*>& shown) {
    const QString dir = qEnvironmentVariable("ARDENVO_SHOT_DIR");
    if (dir.isEmpty())
        return;
    for (int i = 0; i < shown.size(); ++i)
        shown[i]->grab().save(QStringLiteral("%1/wayland-%2-%3.png").arg(dir, step).arg(i));
    const QString shooter = qEnvironmentVariable("ARDENVO_SCREENSHOOTER");
    if (shooter.isEmpty())
        return;
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(shooter, {});
    // The compositor draws the screen only while this process's windows keep being served.
    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(20) && clock.elapsed() < 10000)
        QApplication::processEvents();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
    }
}

class OnWayland : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(scene.room, nullptr);
        frame = std::make_unique<CMainFrame>(scene.controller, scene.recent, scene.prompter);
        frame->resize(1000, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        QTest::qWait(200);
    }
    void TearDown() override {
        // Whatever a failed step left open goes before the frame.
        for (int i = 0; i < 10 && QApplication::activePopupWidget(); ++i)
            QApplication::activePopupWidget()->close();
        if (QWidget* modal = QApplication::activeModalWidget())
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        scene.doc().setModified(false);
        frame.reset();
    }

    // The menu of the menu bar's entry with that text, opened by a click on it.
    QMenu* openMenu(const QString& title) {
        QMenuBar* bar = frame->menuBar();
        for (QAction* entry : bar->actions())
            if (entry->text() == title && entry->menu()) {
                const QPoint at = bar->actionGeometry(entry).center();
                QTest::mouseMove(bar, at);
                QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, at);
                return shownPopup(entry->menu()) ? entry->menu() : nullptr;
            }
        ADD_FAILURE() << "no menu " << title.toStdString();
        return nullptr;
    }
    // Waits for the menu to be a popup on screen.
    static bool shownPopup(QMenu* menu) {
        return QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000) &&
               QTest::qWaitForWindowExposed(menu, 5000);
    }
    static void choose(QMenu* menu, QAction* entry) {
        const QPoint at = menu->actionGeometry(entry).center();
        QTest::mouseMove(menu, at);
        QTest::qWait(50);
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, at);
    }

    CBrenvikaView* view() { return frame->view(); }
    QPoint onScreen(const Rect& r, bool centre) {
        const CSection& s = *scene.doc().currentSection();
        const Rect on = ScreenTransform{s.zoom, s.offsetX, s.offsetY}.toScreen(r);
        return centre ? QPoint((on.left + on.right) / 2, (on.top + on.bottom) / 2)
                      : QPoint(on.right, on.bottom);
    }

    Scene scene;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(OnWayland, AMenuAndItsSubmenuOpenAndRunTheEntryChosen) {
    QMenu* options = openMenu(QStringLiteral("&Options"));
    ASSERT_NE(options, nullptr) << "the Options menu did not open";
    QAction* unitsEntry = nullptr;
    for (QAction* a : options->actions())
        if (a->menu())
            unitsEntry = a;
    ASSERT_NE(unitsEntry, nullptr);
    const QPoint at = options->actionGeometry(unitsEntry).center();
    QTest::mouseMove(options, at);
    QTest::mouseClick(options, Qt::LeftButton, Qt::NoModifier, at);
    QMenu* units = unitsEntry->menu();
    ASSERT_TRUE(shownPopup(units)) << "the submenu did not open";
    keepPictures(QStringLiteral("submenu"), {frame.get(), options, units});
    const int before = view()->units().index();
    QAction* other = frame->action(QString::fromLatin1(before == 2 ? "unit3" : "unit2"));
    ASSERT_NE(other, nullptr);
    choose(units, other);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !options->isVisible() && !units->isVisible(); }))
        << "the menus stayed open";
    EXPECT_EQ(view()->units().index(), before == 2 ? 3 : 2);
    EXPECT_TRUE(other->isChecked() || view()->units().index() != before);
}

TEST_F(OnWayland, ADialogOpensFromItsMenuAndEscClosesIt) {
    QMenu* help = openMenu(QStringLiteral("&Help"));
    ASSERT_NE(help, nullptr) << "the Help menu did not open";
    // The dialog runs modal inside the click that chose it: it is looked at, and closed, from
    // a timer; and closed by force if Esc failed, so a fault never hangs the run.
    bool exposed = false;
    QSize size;
    QString title;
    QTimer watch;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->windowHandle() && dialog->windowHandle()->isExposed() && !exposed) {
            exposed = true;
            size = dialog->size();
            title = dialog->windowTitle();
            keepPictures(QStringLiteral("dialog"), {frame.get(), dialog});
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else if (dialog && clock.elapsed() > 10000) {
            dialog->reject();
        }
    });
    watch.start(50);
    choose(help, frame->action(QStringLiteral("appAbout")));
    watch.stop();
    EXPECT_TRUE(exposed) << "the dialog never showed";
    EXPECT_LT(clock.elapsed(), 10000) << "Esc did not close the dialog";
    EXPECT_FALSE(size.isEmpty());
    EXPECT_FALSE(title.isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(OnWayland, ABlockDraggedByItsCornerTakesTheNewSize) {
    CBlock& room = *scene.room;
    const Rect before = room.rect();
    const QPoint centre = onScreen(before, true);
    QTest::mouseMove(view(), centre);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, centre);
    ASSERT_TRUE(room.selected);
    const QPoint corner = onScreen(before, false);
    QTest::mouseMove(view(), corner);
    QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, corner);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(view(), corner + QPoint(10, 8) * step);
    keepPictures(QStringLiteral("drag"), {frame.get()});
    QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, corner + QPoint(40, 32));
    QApplication::processEvents();
    const Rect after = room.rect();
    EXPECT_GT(after.right, before.right);
    EXPECT_GT(after.bottom, before.bottom);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_TRUE(scene.doc().isModified());
}

TEST_F(OnWayland, ABlocksContextMenuOpensWhereItWasAskedFor) {
    const QPoint centre = onScreen(scene.room->rect(), true);
    QTest::mouseMove(view(), centre);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseClick(view(), Qt::RightButton, Qt::NoModifier, centre);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "no context menu";
    ASSERT_TRUE(shownPopup(menu));
    keepPictures(QStringLiteral("context"), {frame.get(), menu});
    EXPECT_FALSE(menu->actions().isEmpty());
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }));
}

} // namespace
