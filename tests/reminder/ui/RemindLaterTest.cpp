// "Remind me later" from the list's context menu, and "Export to calendar..." on the page.
#include "reminder/ui/ReminderWindow.h"

#include "model/LocalTime.h"
#include "reminder/core/ReminderCoreFixtures.h"
#include "reminder/ui/EventListPage.h"
#include "reminder/ui/ReminderUiFixtures.h"
#include "reminder/ui/TrayIcon.h"

#include <QApplication>
#include <QDateTime>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <fstream>
#include <sstream>

namespace ardenvo::test {
namespace {

class RemindLaterTest : public testing::Test {
protected:
    TempDir dir;
    SettingsFile settingsFile{dir.file("registry.conf")};
    FakeEnvironment env;
    ScriptedPrompter prompter;
    std::unique_ptr<ReminderWindow> window;
    std::int64_t now = toInstant(at(2025, 1, 1, 10, 0));

    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
        for (const char* name : {"a.av", "b.av"}) {
            const std::string path = dir.file(name);
            CReminder due = reminderAt(at(2020, 1, 1), std::string("due in ") + name);
            due.objectName = "Fern";
            writeHouse(path, {{{due}}});
            env.entries.push_back({static_cast<std::int32_t>(env.entries.size()), path, 1});
        }
        ReminderWindowOptions options;
        options.customAttributesPath = dir.file("CustomAttributes.cav");
        options.watchEvents = false;
        options.useTray = false;
        options.useDesktopNotifications = false;
        options.prompter = &prompter;
        options.environment = &env;
        options.clock = [this] {
            return now;
        };
        window = std::make_unique<ReminderWindow>(settingsFile, options);
    }
    void TearDown() override {
        window.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "balloonMessageBox")
                w->close();
        QApplication::processEvents();
    }
    QTreeView& list() { return *window->eventPage().list(); }
    QString text(int row) { return list().model()->index(row, 2).data().toString(); }

    // Opens the row's context menu and chooses the entry of "Remind me later".
    void remindLater(int row, const QString& choice) {
        QTimer::singleShot(0, [choice] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            QMenu* later = nullptr;
            for (QAction* a : menu->actions())
                if (a->text().remove('&') == "Remind me later")
                    later = a->menu();
            ASSERT_NE(later, nullptr);
            for (QAction* a : later->actions())
                if (a->text().remove('&') == choice)
                    a->trigger();
            menu->close();
        });
        const QRect rect = list().visualRect(list().model()->index(row, 0));
        emit list().customContextMenuRequested(rect.center());
    }
};

TEST_F(RemindLaterTest, TheHeldRowSaysUntilWhenAndIsNotDueBeforeThen) {
    list().show(); // rows have places only in a shown view
    window->check(now);
    ASSERT_TRUE(window->trayIcon()->isBlinking());

    remindLater(0, "in 1 hour");
    remindLater(1, "tomorrow at this time");
    const QString until = QDateTime::fromSecsSinceEpoch(now + 3600).toString("HH:mm");
    EXPECT_EQ(text(0), "due in a.av (snoozed until " + until + ")");
    EXPECT_EQ(text(1), "due in b.av (snoozed until 10:00)");

    window->check(now + 1);
    EXPECT_FALSE(window->trayIcon()->isBlinking());
    window->check(now + 3601); // the hour is over: due again, the text plain
    EXPECT_TRUE(window->trayIcon()->isBlinking());
    EXPECT_EQ(text(0), "due in a.av");
    EXPECT_EQ(text(1), "due in b.av (snoozed until 10:00)");
    list().hide();
}

TEST_F(RemindLaterTest, ExportWritesEveryLoadedHouseOrSaysWhyNot) {
    const std::string target = dir.file("reminders.ics");
    auto* button = window->findChild<QPushButton*>("exportButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text().remove('&'), "Export to calendar...");

    prompter.fileNames.push_back(QString::fromStdString(target));
    button->click();
    // The save dialog proposes a calendar file by name and filter.
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].file.start, "reminders.ics");
    EXPECT_EQ(prompter.shown[0].file.filter, "Calendar files (*.ics)");
    std::ifstream in(target, std::ios::binary);
    std::stringstream calendar;
    calendar << in.rdbuf();
    const std::string bytes = calendar.str();
    EXPECT_TRUE(bytes.starts_with("BEGIN:VCALENDAR\r\n"));
    EXPECT_NE(bytes.find("DESCRIPTION:due in a.av"), std::string::npos);
    EXPECT_NE(bytes.find("DESCRIPTION:due in b.av"), std::string::npos);
    EXPECT_NE(
        bytes.find(
            "DTSTAMP:" +
            QDateTime::fromSecsSinceEpoch(now, Qt::UTC).toString("yyyyMMddTHHmmssZ").toStdString()),
        std::string::npos);
    EXPECT_TRUE(errorsOf(prompter).empty());

    prompter.fileNames.push_back(QString::fromStdString(dir.file("no-such-folder/reminders.ics")));
    button->click();
    EXPECT_EQ(errorsOf(prompter).size(), 1u);
}

} // namespace
} // namespace ardenvo::test
