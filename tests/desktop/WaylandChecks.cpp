// The main window driven on whatever platform the run is given, meant for a Wayland compositor:
// a menu and its submenu open and run an entry, a dialog opens from a menu and Esc closes it, a
// block of the plan is dragged to a new size, a block's context menu opens, and a tab of the
// reminder window shows its page. Menus and dialogs are windows of their own there (popups placed
// by the compositor), the places such things break.
// Input is Qt's own, made inside the process, unless ARDENVO_XTEST_DISPLAY names the X server the
// compositor runs on: then the pointer and keys are the server's, so the compositor sees them as
// a user's (with the serials its popups and grabs need), and the window must fill the screen.
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
#include <QPointer>
#include <QProcess>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>

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

// The X server's test extension, loaded when asked for (no headers or link needed where it is
// not used).
class ServerInput {
public:
    static ServerInput* instance() {
        static ServerInput* input = [] {
            const QByteArray display = qgetenv("ARDENVO_XTEST_DISPLAY");
            if (display.isEmpty())
                return static_cast<ServerInput*>(nullptr);
            auto* made = new ServerInput(display);
            if (!made->m_display) {
                ADD_FAILURE() << "cannot drive the X server " << display.constData();
                return static_cast<ServerInput*>(nullptr);
            }
            return made;
        }();
        return input;
    }

    void move(QPoint global) {
        m_motion(m_display, -1, global.x(), global.y(), 0);
        settle();
    }
    void button(Qt::MouseButton which, bool down) {
        m_button(m_display, which == Qt::RightButton ? 3 : 1, down, 0);
        settle();
    }
    void key(unsigned long keysym) {
        const unsigned char code = m_keycode(m_display, keysym);
        m_key(m_display, code, 1, 0);
        m_key(m_display, code, 0, 0);
        settle();
    }

private:
    explicit ServerInput(const QByteArray& display) {
        void* x11 = dlopen("libX11.so.6", RTLD_NOW);
        void* xtest = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtest)
            return;
        using Open = void* (*)(const char*);
        m_flush = reinterpret_cast<Flush>(dlsym(x11, "XFlush"));
        m_keycode = reinterpret_cast<Keycode>(dlsym(x11, "XKeysymToKeycode"));
        m_motion = reinterpret_cast<Motion>(dlsym(xtest, "XTestFakeMotionEvent"));
        m_button = reinterpret_cast<Press>(dlsym(xtest, "XTestFakeButtonEvent"));
        m_key = reinterpret_cast<Press>(dlsym(xtest, "XTestFakeKeyEvent"));
        auto open = reinterpret_cast<Open>(dlsym(x11, "XOpenDisplay"));
        if (open && m_flush && m_keycode && m_motion && m_button && m_key)
            m_display = open(display.constData());
    }
    // The event goes out now, and comes back through the compositor before the next step.
    void settle() {
        m_flush(m_display);
        QTest::qWait(150);
    }

    using Flush = int (*)(void*);
    using Keycode = unsigned char (*)(void*, unsigned long);
    using Motion = int (*)(void*, int, int, int, unsigned long);
    using Press = int (*)(void*, unsigned int, int, unsigned long);
    void* m_display = nullptr;
    Flush m_flush = nullptr;
    Keycode m_keycode = nullptr;
    Motion m_motion = nullptr;
    Press m_button = nullptr;
    Press m_key = nullptr;
};

// A user's pointer and keys: the X server's where there is one, Qt's own otherwise.
void pointTo(QWidget* w, QPoint at) {
    if (ServerInput* input = ServerInput::instance())
        input->move(w->mapToGlobal(at));
    else
        QTest::mouseMove(w, at);
}
void pressAt(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    if (ServerInput* input = ServerInput::instance())
        input->button(button, true);
    else
        QTest::mousePress(w, button, Qt::NoModifier, at);
}
void releaseAt(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    if (ServerInput* input = ServerInput::instance())
        input->button(button, false);
    else
        QTest::mouseRelease(w, button, Qt::NoModifier, at);
}
void clickAt(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    pointTo(w, at);
    QTest::qWait(50);
    pressAt(w, at, button);
    releaseAt(w, at, button);
}
void escape(QWidget* w) {
    if (ServerInput* input = ServerInput::instance())
        input->key(0xff1b); // the Escape key's symbol
    else
        QTest::keyClick(w, Qt::Key_Escape);
}

class OnWayland : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(scene.room, nullptr);
        frame = std::make_unique<CMainFrame>(scene.controller, scene.recent, scene.prompter);
        frame->resize(1000, 700);
        // A screen's input lands where the window is: at the screen's corner, filling it.
        if (ServerInput::instance())
            frame->showFullScreen();
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
                clickAt(bar, bar->actionGeometry(entry).center());
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
        clickAt(menu, menu->actionGeometry(entry).center());
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
    clickAt(options, options->actionGeometry(unitsEntry).center());
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
    bool busy = false;
    QSize size;
    QString title;
    QTimer watch;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (busy || !dialog)
            return;
        busy = true;
        if (!exposed && dialog->windowHandle() && dialog->windowHandle()->isExposed()) {
            exposed = true;
            size = dialog->size();
            title = dialog->windowTitle();
            QTest::qWait(200);
            keepPictures(QStringLiteral("dialog"), {frame.get(), dialog});
            escape(dialog);
        } else if (clock.elapsed() > 10000) {
            dialog->reject();
        }
        busy = false;
    });
    watch.start(50);
    choose(help, frame->action(QStringLiteral("appAbout")));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return exposed && !QApplication::activeModalWidget(); }, 15000));
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
    clickAt(view(), onScreen(before, true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return room.selected != 0; }, 5000));
    const QPoint corner = onScreen(before, false);
    pointTo(view(), corner);
    pressAt(view(), corner);
    for (int step = 1; step <= 4; ++step)
        pointTo(view(), corner + QPoint(10, 8) * step);
    keepPictures(QStringLiteral("drag"), {frame.get()});
    releaseAt(view(), corner + QPoint(40, 32));
    QTest::qWait(100);
    const Rect after = room.rect();
    EXPECT_GT(after.right, before.right);
    EXPECT_GT(after.bottom, before.bottom);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_TRUE(scene.doc().isModified());
}

TEST_F(OnWayland, ABlocksContextMenuOpensWhereItWasAskedFor) {
    const QPoint centre = onScreen(scene.room->rect(), true);
    clickAt(view(), centre);
    clickAt(view(), centre, Qt::RightButton);
    QMenu* menu = nullptr;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())); }, 5000));
    ASSERT_NE(menu, nullptr) << "no context menu";
    ASSERT_TRUE(shownPopup(menu));
    keepPictures(QStringLiteral("context"), {frame.get(), menu});
    EXPECT_FALSE(menu->actions().isEmpty());
    // It opens at the pointer, over the block asked about.
    EXPECT_LE((menu->geometry().topLeft() - view()->mapToGlobal(centre)).manhattanLength(), 40);
    // The menu may go as it closes.
    const QPointer<QMenu> open(menu);
    escape(menu);
    EXPECT_TRUE(QTest::qWaitFor([&open] { return !open || !open->isVisible(); }));
}

// The reminder program's window, without a tray: a click on a page's tab shows that page, and Esc
// hides the window.
TEST(ReminderOnWayland, ATabClickedShowsItsPageAndEscHidesTheWindow) {
    Scene scene;
    const auto& all = windows();
    const auto entry = std::find_if(all.begin(), all.end(), [](const Window& w) {
        return QByteArray(w.name) == "ReminderPage";
    });
    ASSERT_NE(entry, all.end());
    std::unique_ptr<QWidget> window = entry->make(scene);
    if (ServerInput::instance())
        window->showFullScreen();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::qWait(200);
    auto* tabs = window->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->currentIndex(), 0);
    QTabBar* bar = tabs->tabBar();
    clickAt(bar, bar->tabRect(1).center());
    EXPECT_TRUE(QTest::qWaitFor([tabs] { return tabs->currentIndex() == 1; }, 5000))
        << "the click on the second tab did not show its page";
    keepPictures(QStringLiteral("reminder"), {window.get()});
    escape(tabs->currentWidget());
    EXPECT_TRUE(QTest::qWaitFor([&window] { return !window->isVisible(); }, 5000))
        << "Esc did not hide the window";
}

} // namespace
