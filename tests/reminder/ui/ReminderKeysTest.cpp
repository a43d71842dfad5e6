// The reminder program by keyboard: the Menu key and Shift+F10 open the reminder's menu on the
// chosen row, and every entry of its menus keeps a letter of its own in German too. The session's
// messages keep the paths they name whole.
#include "reminder/core/ReminderCoreFixtures.h"
#include "reminder/ui/EventListPage.h"
#include "reminder/ui/ReminderWindow.h"
#include "reminder/ui/SessionMessageBoxes.h"
#include "support/ScriptedPrompter.h"
#include "widgets/Prompter.h"

#include <QApplication>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

namespace ardenvo::test {
namespace {

// Entries without a letter and letters serving twice, in the menu and the menus inside it.
QStringList letterFaults(const QMenu& menu) {
    QStringList faults;
    QSet<QChar> used;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        const QChar letter = altLetter(action->text());
        if (letter.isNull())
            faults << action->text() + QStringLiteral(": no letter");
        else if (used.contains(letter))
            faults << action->text() + QStringLiteral(": letter taken");
        used.insert(letter);
        if (action->menu())
            faults << letterFaults(*action->menu());
    }
    return faults;
}

class ReminderKeysTest : public testing::Test {
protected:
    TempDir dir;
    SettingsFile settingsFile{dir.file("registry.conf")};
    FakeEnvironment env;
    ScriptedPrompter prompter;
    std::unique_ptr<ReminderWindow> window;

    void open() {
        writeHouse(dir.file("a.av"),
                   {{{reminderAt(at(2030, 1, 1), "first"), reminderAt(at(2031, 1, 1), "second")}}});
        env.entries = {{0, dir.file("a.av"), 1}};
        ReminderWindowOptions options;
        options.customAttributesPath = dir.file("CustomAttributes.cav");
        options.watchEvents = options.useTray = options.useDesktopNotifications = false;
        options.prompter = &prompter;
        options.environment = &env;
        window = std::make_unique<ReminderWindow>(settingsFile, options);
        window->showWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Presses the key in the list: the letter faults of the menu that opened (`{"no menu"}` when
    // none did) and the row chosen while it was open.
    QStringList menuAfter(int key, Qt::KeyboardModifiers modifiers, int* row = nullptr) {
        QStringList faults{"no menu"};
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                faults = letterFaults(*menu);
                if (row)
                    *row = window->eventPage().selectedRow();
                menu->close();
            }
        });
        window->eventPage().list()->setFocus();
        QTest::keyClick(window->eventPage().list(), static_cast<Qt::Key>(key), modifiers);
        return faults;
    }
};

TEST_F(ReminderKeysTest, TheMenuKeyAndShiftF10OpenTheMenuOfTheChosenRow) {
    open();
    EXPECT_EQ(letterFaults(*window->trayMenu()), QStringList());
    window->eventPage().selectRow(1);
    int row = -1;
    EXPECT_EQ(menuAfter(Qt::Key_Menu, Qt::NoModifier, &row), QStringList());
    EXPECT_EQ(row, 1);
    row = -1;
    EXPECT_EQ(menuAfter(Qt::Key_F10, Qt::ShiftModifier, &row), QStringList());
    EXPECT_EQ(row, 1);
    EXPECT_EQ(menuAfter(Qt::Key_F10, Qt::NoModifier), QStringList{"no menu"});
    // Nothing chosen and no current row: no menu, no fault.
    window->eventPage().fill();
    window->eventPage().list()->setCurrentIndex({});
    EXPECT_EQ(menuAfter(Qt::Key_Menu, Qt::NoModifier), QStringList{"no menu"});
}

TEST_F(ReminderKeysTest, TheMenusKeepALetterForEveryEntryInGerman) {
#ifdef ARDENVO_GERMAN_QM
    QTranslator german;
    if (!german.load(QStringLiteral(ARDENVO_GERMAN_QM)))
        GTEST_SKIP() << "the German translation is not built";
    QCoreApplication::installTranslator(&german);
    open();
    EXPECT_EQ(window->trayMenu()->actions().back()->text(), "&Beenden");
    EXPECT_EQ(letterFaults(*window->trayMenu()), QStringList());
    window->eventPage().selectRow(0);
    EXPECT_EQ(menuAfter(Qt::Key_Menu, Qt::NoModifier), QStringList());
    window.reset();
    QCoreApplication::removeTranslator(&german);
#endif
}

TEST(SessionTextTest, ArgumentsAreFilledInOnePass) {
    const SessionText failed{"Failed to save the project %1.\n%2",
                             {{"/homes/100%2 done.av"}, {"The file no longer exists.", true}}};
    const char* filled =
        "Failed to save the project /homes/100%2 done.av.\nThe file no longer exists.";
    EXPECT_EQ(failed.english(), filled);
    EXPECT_EQ(translatedSessionText(failed), filled); // no translation loaded
    EXPECT_EQ(fillPlaceholders("%1 of %3 (100%)", {"one", "two"}), "one of %3 (100%)");
}

} // namespace
} // namespace ardenvo::test
