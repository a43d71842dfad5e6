// The reminder program by keyboard and in other languages: every entry of its menus has a letter
// of its own in English and in German, the Menu key and Shift+F10 open the reminder's menu on the
// chosen row, and the session's messages reach the user translated with their paths untouched.
#include "reminder/core/ReminderCoreFixtures.h"
#include "reminder/ui/EventListPage.h"
#include "reminder/ui/ReminderWindow.h"
#include "reminder/ui/SessionMessageBoxes.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include <filesystem>

namespace ardenvo::test {
namespace {

QChar letterOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

// Entries without a letter and letters serving twice, in the menu and the menus inside it.
QStringList letterFaults(const QMenu& menu) {
    QStringList faults;
    QSet<QChar> used;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        const QChar letter = letterOf(action->text());
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

// Every text of the program's own contexts in brackets, as another language would change it.
class Bracketing : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* = nullptr,
                      int = -1) const override {
        if (!QByteArray(context).startsWith("ardenvo::"))
            return {};
        return QStringLiteral("[%1]").arg(QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};

class ReminderKeysTest : public testing::Test {
protected:
    TempDir dir;
    SettingsFile settingsFile{dir.file("registry.conf")};
    FakeEnvironment env;
    ScriptedPrompter prompter;
    std::unique_ptr<ReminderWindow> window;

    void open() {
        const std::string path = dir.file("a.av");
        writeHouse(path,
                   {{{reminderAt(at(2030, 1, 1), "first"), reminderAt(at(2031, 1, 1), "second")}}});
        env.entries = {{0, path, 1}};
        ReminderWindowOptions options;
        options.customAttributesPath = dir.file("CustomAttributes.cav");
        options.watchEvents = false;
        options.useTray = false;
        options.useDesktopNotifications = false;
        options.prompter = &prompter;
        options.environment = &env;
        window = std::make_unique<ReminderWindow>(settingsFile, options);
        window->showWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override { window.reset(); }

    QTreeView& list() { return *window->eventPage().list(); }

    // Presses the key in the list; the menu that opened, as its entries' texts and the chosen row
    // while it was open. Empty when no menu opened.
    QStringList menuAfter(int key, Qt::KeyboardModifiers modifiers, QStringList* faults = nullptr,
                          int* rowWhileOpen = nullptr) {
        QStringList texts;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions())
                texts << action->text();
            if (faults)
                *faults = letterFaults(*menu);
            if (rowWhileOpen)
                *rowWhileOpen = window->eventPage().selectedRow();
            menu->close();
        });
        list().setFocus();
        QTest::keyClick(&list(), static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();
        return texts;
    }
};

TEST_F(ReminderKeysTest, TheMenuKeyAndShiftF10OpenTheMenuOfTheChosenRow) {
    open();
    window->eventPage().selectRow(1);
    int row = -1;
    const QStringList menu = menuAfter(Qt::Key_Menu, Qt::NoModifier, nullptr, &row);
    ASSERT_EQ(menu.size(), 1);
    EXPECT_EQ(QString(menu.front()).remove(u'&'), "Remind me later");
    EXPECT_EQ(row, 1);

    row = -1;
    EXPECT_EQ(menuAfter(Qt::Key_F10, Qt::ShiftModifier, nullptr, &row).size(), 1);
    EXPECT_EQ(row, 1);
    // F10 alone is no request for the menu.
    EXPECT_TRUE(menuAfter(Qt::Key_F10, Qt::NoModifier).isEmpty());

    // Nothing chosen and no current row: no menu, no fault.
    window->eventPage().fill();
    list().setCurrentIndex({});
    EXPECT_TRUE(menuAfter(Qt::Key_Menu, Qt::NoModifier).isEmpty());
}

TEST_F(ReminderKeysTest, EveryMenuEntryHasALetterOfItsOwnInEnglishAndGerman) {
    open();
    EXPECT_EQ(letterFaults(*window->trayMenu()), QStringList());
    window->eventPage().selectRow(0);
    QStringList faults{"no menu"};
    menuAfter(Qt::Key_Menu, Qt::NoModifier, &faults);
    EXPECT_EQ(faults, QStringList());

#ifdef ARDENVO_GERMAN_QM
    if (!std::filesystem::exists(ARDENVO_GERMAN_QM))
        GTEST_SKIP() << "the German translation is not built";
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(ARDENVO_GERMAN_QM)));
    QCoreApplication::installTranslator(&german);
    window.reset();
    open();
    const QStringList tray = [&] {
        QStringList texts;
        for (QAction* action : window->trayMenu()->actions())
            texts << action->text();
        return texts;
    }();
    EXPECT_TRUE(tray.contains(QStringLiteral("&Beenden"))) << tray.join(", ").toStdString();
    EXPECT_EQ(letterFaults(*window->trayMenu()), QStringList());
    window->eventPage().selectRow(0);
    faults = QStringList{"no menu"};
    const QStringList menu = menuAfter(Qt::Key_Menu, Qt::NoModifier, &faults);
    EXPECT_EQ(faults, QStringList());
    EXPECT_EQ(menu, QStringList{QStringLiteral("&Später erinnern")});
    window.reset();
    QCoreApplication::removeTranslator(&german);
#endif
}

TEST(SessionTextTest, TranslatedTextsKeepPathsAndNamesAsTheyAre) {
    // English: filled in one pass, so a path that holds a marker stays whole.
    const SessionText failed{"Failed to save the project %1.\n%2",
                             {{"/homes/100%2 done.av"}, {"The file no longer exists.", true}}};
    EXPECT_EQ(failed.english(),
              "Failed to save the project /homes/100%2 done.av.\nThe file no longer exists.");
    EXPECT_EQ(fillPlaceholders("%1 of %3 (%9)", {"one", "two"}), "one of %3 (%9)");
    EXPECT_EQ(fillPlaceholders("100% %", {}), "100% %");

    Bracketing translation;
    QCoreApplication::installTranslator(&translation);
    EXPECT_EQ(translatedSessionText(failed),
              "[Failed to save the project /homes/100%2 done.av.\n[The file no longer exists.]]");
    // The system's own words for an error are no text of ours.
    const SessionText system{"Failed to save the project %1.\n%2",
                             {{"/homes/a.av"}, {"Permission denied"}}};
    EXPECT_EQ(translatedSessionText(system),
              "[Failed to save the project /homes/a.av.\nPermission denied]");
    QCoreApplication::removeTranslator(&translation);
}

} // namespace
} // namespace ardenvo::test
