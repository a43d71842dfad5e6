#include "reminder/ui/ReminderWindow.h"

#include "coordination/ProjectRegistry.h"
#include "model/LocalTime.h"
#include "platform/help/HelpWindow.h"
#include "reminder/core/ReminderCoreFixtures.h"
#include "reminder/ui/EventListPage.h"
#include "reminder/ui/OptionsPage.h"
#include "reminder/ui/ReminderUiFixtures.h"
#include "reminder/ui/TrayIcon.h"
#include "support/ReminderEventLog.h"

#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <cstdlib>

namespace ardenvo::test {
namespace {

using Notes = std::vector<std::string>;

class ReminderWindowTest : public testing::Test {
protected:
    TempDir dir;
    SettingsFile settingsFile{dir.file("registry.conf")};
    FakeEnvironment env;
    ScriptedPrompter prompter;
    std::function<void()> onAsk; // runs while a question is open
    std::unique_ptr<ReminderWindow> window;
    int editorCalls = 0;
    CReminder editorResult = reminderAt(at(2040, 1, 1, 8, 0), "edited");
    std::string eventLog;

    void SetUp() override {
        // The autostart entry lives under the configuration folder.
        ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
        // A question nobody queued an answer for is answered Yes, as a user going on would.
        prompter.onShow = [this](const ScriptedPrompter::Shown& shown) {
            if (shown.kind != ScriptedPrompter::Kind::YesNo)
                return;
            if (prompter.answers.empty())
                prompter.answers.push_back(Prompter::Answer::Yes);
            if (onAsk)
                onAsk();
        };
    }
    void TearDown() override {
        window.reset();
        closeBoxes();
    }

    // The message boxes standing in for the balloon (there is no tray offscreen).
    static int openBoxes() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->objectName() == "balloonMessageBox" && w->isVisible() ? 1 : 0;
        return n;
    }
    static void closeBoxes() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "balloonMessageBox")
                w->close();
        QApplication::processEvents();
    }

    std::string project(const std::string& name, const HouseSpec& house, int status = 1) {
        const std::string path = dir.file(name);
        writeHouse(path, house);
        env.entries.push_back({static_cast<std::int32_t>(env.entries.size()), path, status});
        return path;
    }
    void open(ReminderEnvironment* environment = nullptr) {
        ReminderWindowOptions options;
        options.customAttributesPath = dir.file("CustomAttributes.cav");
        options.watchEvents = false;
        options.useTray = false;
        options.useDesktopNotifications = false; // the desktop's own service stays out of it
        options.prompter = &prompter;
        options.environment = environment ? environment : &env;
        options.eventLogPath = eventLog;
        window = std::make_unique<ReminderWindow>(settingsFile, options);
        window->eventPage().setEditor([this](QWidget*, const CReminder*, CReminder& result) {
            ++editorCalls;
            result = editorResult;
            return true;
        });
    }
    EventListPage& page() { return window->eventPage(); }
    QTreeView& list() { return *page().list(); }
    int rows() { return list().model()->rowCount(); }
    QString cell(int row, int column) {
        return list().model()->index(row, column).data().toString();
    }
    void click(const char* button) {
        auto* b = window->findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }
};

TEST_F(ReminderWindowTest, ListShowsEveryReminderWithItsColumns) {
    project("a.av", {{{reminderAt(at(2004, 3, 5, 18, 30), "Pay the insurance")}}});
    project("b.av", {{{reminderAt(at(2030, 1, 2, 9, 0), "second")}}});
    open();

    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(list().model()->headerData(0, Qt::Horizontal).toString(), "Date");
    EXPECT_EQ(cell(0, 0), "05/03/2004 18:30");
    EXPECT_EQ(cell(0, 1), "Chair");
    EXPECT_EQ(cell(0, 2), "Pay the insurance");
    EXPECT_EQ(cell(1, 2), "second");
}

TEST_F(ReminderWindowTest, ObjectNamesLongerThanTheirColumnWidenIt) {
    CReminder alarm = reminderAt(at(2030, 1, 2, 9, 0), "Press the test button");
    alarm.objectName = "Smoke detector";
    project("a.av", {{{alarm, reminderAt(at(2030, 1, 3, 9, 0), "short")}}});
    open();
    ASSERT_EQ(cell(0, 1), "Smoke detector");
    const QModelIndex name = list().model()->index(0, 1);
    EXPECT_GE(list().columnWidth(1), list().sizeHintForIndex(name).width());
    EXPECT_GE(list().columnWidth(1), 100);
}

TEST_F(ReminderWindowTest, EditAndResetAskFirstWhenTheMainProgramHasTheProjectOpen) {
    const std::string path = project("a.av", {{{reminderAt(at(2030, 1, 1), "x", true)}}});
    env.openInMain.insert(path);
    open();
    // Without a selection the commands do nothing, not even ask.
    for (const char* button : {"editButton", "resetButton", "deleteButton"})
        click(button);
    EXPECT_TRUE(questionsOf(prompter).empty());

    page().selectRow(0);
    prompter.answers = {Prompter::Answer::No};
    click("editButton");
    EXPECT_EQ(questionsOf(prompter), Notes{kOpenProjectQuestion});
    EXPECT_EQ(editorCalls, 0);
    prompter.answers = {Prompter::Answer::No};
    click("resetButton");
    EXPECT_EQ(questionsOf(prompter).size(), 2u);
    EXPECT_EQ(notesInFile(path), Notes{"x"});
    EXPECT_EQ(firstStartInFile(path), at(2030, 1, 1));

    page().selectRow(0);
    prompter.answers = {Prompter::Answer::Yes};
    click("editButton");
    EXPECT_EQ(editorCalls, 1);
    EXPECT_EQ(notesInFile(path), Notes{"edited"});
    EXPECT_EQ(cell(0, 2), "edited");

    // Not open: no question.
    env.openInMain.clear();
    prompter.shown.clear();
    page().selectRow(0);
    click("editButton");
    EXPECT_TRUE(questionsOf(prompter).empty());
    EXPECT_EQ(editorCalls, 2);
}

TEST_F(ReminderWindowTest, DeleteAsksOnceOrTwiceWhenTheProjectIsOpen) {
    const std::string path =
        project("a.av", {{{reminderAt(at(2030, 1, 1), "a"), reminderAt(at(2030, 1, 2), "b"),
                           reminderAt(at(2030, 1, 3), "c")}}});
    open();

    page().selectRow(0);
    prompter.answers = {Prompter::Answer::No};
    click("deleteButton");
    EXPECT_EQ(questionsOf(prompter), Notes{kDeleteEventQuestion});
    EXPECT_EQ(rows(), 3);

    prompter.shown.clear();
    page().selectRow(0);
    click("deleteButton");
    EXPECT_EQ(questionsOf(prompter), Notes{kDeleteEventQuestion});
    EXPECT_EQ(notesInFile(path), (Notes{"b", "c"}));

    env.openInMain.insert(path);
    prompter.shown.clear();
    page().selectRow(1);
    prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::No};
    click("deleteButton");
    EXPECT_EQ(questionsOf(prompter), (Notes{kDeleteEventQuestion, kOpenProjectDeleteQuestion}));
    EXPECT_EQ(notesInFile(path), (Notes{"b", "c"}));

    // The Delete key in the list does the same.
    prompter.shown.clear();
    window->showWindow();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    page().selectRow(1);
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Delete);
    EXPECT_EQ(questionsOf(prompter).size(), 2u);
    EXPECT_EQ(notesInFile(path), Notes{"b"});
    EXPECT_EQ(rows(), 1);
    window->hideWindow();
}

TEST_F(ReminderWindowTest, ResetMovesAWeeklyReminderAndDeletesASingleDateOne) {
    CReminder weekly = reminderAt(at(2030, 3, 6, 18, 30), "weekly", true);
    weekly.repeatEachCount = 1;
    weekly.repeatEachUnit = static_cast<std::int32_t>(PeriodUnit::Week);
    const std::string path =
        project("a.av", {{{weekly, reminderAt(at(2030, 1, 1, 8, 0), "once")}}});
    open();

    page().selectRow(0);
    click("resetButton");
    EXPECT_EQ(firstStartInFile(path), at(2030, 3, 13, 18, 30));
    EXPECT_EQ(cell(0, 0), "13/03/2030 18:30");
    EXPECT_EQ(page().selectedRow(), -1); // the list was refilled

    page().selectRow(1);
    click("resetButton");
    EXPECT_EQ(notesInFile(path), Notes{"weekly"});
    EXPECT_EQ(rows(), 1);
}

TEST_F(ReminderWindowTest, DueRemindersBlinkWithOneBalloonAndTheTipOnlyWhenShown) {
    project("a.av", {{{reminderAt(at(2030, 1, 1), "future"), reminderAt(at(2020, 1, 1), "due1"),
                       reminderAt(at(2021, 1, 1), "due2")}}});
    open();
    int tips = 0;
    window->setTipRunner([&] { ++tips; });
    QSignalSpy balloons(window->trayIcon(), &TrayIcon::balloonShown);
    const std::int64_t now = toInstant(at(2025, 1, 1));

    window->check(now);
    QApplication::processEvents();
    EXPECT_TRUE(window->trayIcon()->isBlinking());
    EXPECT_EQ(window->trayIcon()->toolTip(), "Check the events");
    EXPECT_EQ(page().selectedRow(), 1);
    EXPECT_EQ(balloons.count(), 1);
    EXPECT_EQ(tips, 0); // hidden: the tip waits for the window

    window->check(now + 1);
    EXPECT_EQ(balloons.count(), 1);

    closeBoxes();
    window->showWindow();
    QApplication::processEvents();
    EXPECT_EQ(tips, 1);
    window->hideWindow();

    // Reset both due reminders: the next tick stops the blinking.
    page().selectRow(1);
    click("resetButton");
    page().selectRow(1);
    click("resetButton");
    window->check(now + 2);
    EXPECT_FALSE(window->trayIcon()->isBlinking());
    EXPECT_EQ(window->trayIcon()->toolTip(), "Ardenvo Reminder");
    EXPECT_FALSE(window->trayIcon()->showsAlternateIcon());

    // Later the remaining one falls due: a new balloon, and the tip while the window is shown.
    window->showWindow();
    window->check(toInstant(at(2031, 1, 1)));
    QApplication::processEvents();
    EXPECT_EQ(balloons.count(), 2);
    closeBoxes(); // without a tray the tip follows the box
    EXPECT_EQ(tips, 2);
    window->hideWindow();
}

TEST_F(ReminderWindowTest, WithoutATrayTheNotificationBoxAndTheTipComeOneAtATime) {
    project("a.av", {{{reminderAt(at(2020, 1, 1), "due"), reminderAt(at(2030, 1, 1), "later")}}});
    open();
    ASSERT_FALSE(window->trayIcon()->supportsBalloons());
    const auto dueAgain = [&](int year) { // nothing due for a tick, then something again
        window->check(toInstant(at(2019, 1, 1)));
        window->check(toInstant(at(year, 1, 1)));
        QApplication::processEvents();
    };
    int tips = 0;
    int boxesUnderTip = 0;
    window->setTipRunner([&] {
        ++tips;
        dueAgain(2031);
        boxesUnderTip += openBoxes();
    });
    window->showWindow();
    window->check(toInstant(at(2025, 1, 1)));
    dueAgain(2025);
    EXPECT_EQ(openBoxes(), 1); // the box still open says it already
    EXPECT_EQ(tips, 0);        // the tip waits until the box is closed

    closeBoxes();
    EXPECT_EQ(tips, 1);
    EXPECT_EQ(boxesUnderTip, 0); // the box of a notification under the tip waits for it
    EXPECT_EQ(openBoxes(), 1);
    window->hideWindow();
}

TEST_F(ReminderWindowTest, TipOptionOffMeansNoTip) {
    project("a.av", {{{reminderAt(at(2020, 1, 1), "due")}}});
    open();
    int tips = 0;
    window->setTipRunner([&] { ++tips; });
    window->showWindow();
    QApplication::processEvents();
    EXPECT_EQ(tips, 1); // opening with something due shows the tip
    auto* showTip = window->findChild<QCheckBox*>("showTipBox");
    ASSERT_TRUE(showTip->isChecked());
    showTip->click();
    EXPECT_FALSE(Settings(settingsFile).eventOccureTip());
    window->check(toInstant(at(2025, 1, 1)));
    window->hideWindow();
    window->showWindow();
    QApplication::processEvents();
    EXPECT_EQ(tips, 1);
    showTip->click();
    EXPECT_TRUE(Settings(settingsFile).eventOccureTip());
    window->hideWindow();
}

TEST_F(ReminderWindowTest, ReloadWaitsWhileAQuestionIsOpen) {
    const std::string path =
        project("a.av", {{{reminderAt(at(2030, 1, 1), "a"), reminderAt(at(2030, 1, 2), "b")}}});
    open();
    // While the question is open the main program saves (one reminder fewer) and asks to reload.
    std::uint64_t generationUnderQuestion = 0;
    onAsk = [&] {
        writeHouse(path, {{{reminderAt(at(2030, 1, 2), "b")}}});
        window->requestReload();
        const auto before = window->session().generation();
        window->check(toInstant(at(2025, 1, 1)));
        generationUnderQuestion = window->session().generation() - before;
    };
    page().selectRow(1);
    click("deleteButton");
    EXPECT_EQ(generationUnderQuestion, 0u);
    // The file changed under the command: nothing written, the list refreshed, the user told.
    EXPECT_EQ(notesInFile(path), Notes{"b"});
    EXPECT_EQ(infosOf(prompter).size(), 1u);
    onAsk = nullptr;
    window->check(toInstant(at(2025, 1, 1))); // the waiting request is served now
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 2), "b");
}

TEST_F(ReminderWindowTest, NewIsRefusedBeforeTheDialogWithoutAnObjectAndAddsOtherwise) {
    // Refused before the settings dialog opens, so nothing the user typed is thrown away: with no
    // project at all, and with one whose first block holds no object.
    open();
    click("newButton");
    EXPECT_EQ(editorCalls, 0);
    EXPECT_EQ(errorsOf(prompter).size(), 1u);
    const std::string empty = project("empty.av", {});
    window->reloadProjects();
    click("newButton");
    EXPECT_EQ(editorCalls, 0);
    EXPECT_EQ(errorsOf(prompter).size(), 2u);
    EXPECT_EQ(rows(), 0);

    env.entries.clear();
    const std::string path = project("a.av", {{{reminderAt(at(2030, 1, 1), "first")}}});
    window->reloadProjects();
    editorResult = reminderAt(at(2035, 6, 1, 10, 0), "new one");
    click("newButton");
    EXPECT_EQ(editorCalls, 1);
    EXPECT_EQ(notesInFile(path), (Notes{"first", "new one"}));
    EXPECT_EQ(rows(), 2);
}

TEST_F(ReminderWindowTest, DisablingAndEnablingProjectsChangesTheListAtOnce) {
    project("a.av", {{{reminderAt(at(2030, 1, 1), "a")}}});
    project("b.av", {{{reminderAt(at(2030, 1, 1), "b")}}});
    open();
    QTreeWidget& projects = *window->optionsPage().projectList();
    ASSERT_EQ(projects.topLevelItemCount(), 2);
    EXPECT_EQ(projects.topLevelItem(0)->text(OptionsPage::NameColumn), "a");
    EXPECT_EQ(projects.topLevelItem(0)->checkState(OptionsPage::CheckColumn), Qt::Checked);

    projects.topLevelItem(0)->setSelected(true);
    click("disableButton");
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 2), "b");
    EXPECT_EQ(projects.topLevelItem(0)->checkState(OptionsPage::CheckColumn), Qt::Unchecked);
    EXPECT_EQ(env.entries[0].status, 0);

    click("enableButton");
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(env.entries[0].status, 1);
}

TEST_F(ReminderWindowTest, DeletingTwoProjectsRemovesBothKeysAndKeepsCount) {
    const std::string a = dir.file("a.av");
    const std::string b = dir.file("b.av");
    const std::string c = dir.file("c.av");
    for (const auto& p : {a, b, c}) {
        writeHouse(p, {{{reminderAt(at(2030, 1, 1), p)}}});
        registerProject(p, settingsFile);
    }
    SystemEnvironment system(settingsFile);
    open(&system);
    QTreeWidget& projects = *window->optionsPage().projectList();
    ASSERT_EQ(projects.topLevelItemCount(), 3);
    projects.topLevelItem(0)->setSelected(true);
    projects.topLevelItem(2)->setSelected(true);

    prompter.answers = {Prompter::Answer::No};
    click("deleteProjectButton");
    EXPECT_EQ(questionsOf(prompter), Notes{kDeleteLinksQuestion});
    EXPECT_EQ(projects.topLevelItemCount(), 3);

    click("deleteProjectButton");
    EXPECT_EQ(findProjectKey(a, settingsFile), "");
    EXPECT_EQ(findProjectKey(c, settingsFile), "");
    EXPECT_NE(findProjectKey(b, settingsFile), "");
    EXPECT_EQ(settingsFile.readDword("Software\\Ardenvo\\Files", "Count"), 2);
    ASSERT_EQ(projects.topLevelItemCount(), 1);
    EXPECT_EQ(rows(), 1);
    EXPECT_TRUE(std::filesystem::exists(a));
}

TEST_F(ReminderWindowTest, EventLogHasALineForEveryReloadAndBlinkChange) {
    eventLog = dir.file("events.log");
    const std::string a = project("a.av", {{{reminderAt(at(2020, 1, 1), "due", true)}}});
    project("b.av", {{{reminderAt(at(2030, 1, 1), "b")}}});
    open();
    const auto count = [&](const char* prefix) {
        return countPrefix(readLog(eventLog), prefix);
    };
    window->check(toInstant(at(2025, 1, 1)));
    EXPECT_EQ(count("blink-on"), 1);
    EXPECT_EQ(count("notify"), 1);

    click("newButton");
    EXPECT_EQ(count("reload"), 1);
    QTreeWidget& projects = *window->optionsPage().projectList();
    projects.topLevelItem(1)->setSelected(true);
    click("disableButton");
    EXPECT_EQ(count("reload"), 2);
    click("enableButton");
    EXPECT_EQ(count("reload"), 3);
    click("deleteProjectButton");
    EXPECT_EQ(count("reload"), 4);
    // Changed on disk under a reset: the list is refreshed instead.
    writeHouse(a, {{{reminderAt(at(2020, 1, 1), "theirs", true)}}});
    page().selectRow(0);
    click("resetButton");
    EXPECT_EQ(count("reload"), 5);
    EXPECT_EQ(readLog(eventLog).back().event, "reload 1");

    window->check(toInstant(at(2019, 1, 1)));
    EXPECT_EQ(count("blink-off"), 1);
}

TEST_F(ReminderWindowTest, RunOnStartupFollowsTheAutostartEntry) {
    open();
    auto* box = window->findChild<QCheckBox*>("runOnStartupBox");
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_TRUE(std::filesystem::exists(dir.file("config") + "/autostart/ardenvoreminder.desktop"));

    QMenu* menu = window->trayMenu();
    QAction* run = nullptr;
    for (QAction* a : menu->actions())
        if (a->text().remove('&') == "Run on startup")
            run = a;
    ASSERT_NE(run, nullptr);
    run->trigger(); // the menu entry toggles: now off
    EXPECT_FALSE(
        std::filesystem::exists(dir.file("config") + "/autostart/ardenvoreminder.desktop"));
    window->showWindow();
    EXPECT_FALSE(box->isChecked());
    window->hideWindow();
}

TEST_F(ReminderWindowTest, HelpSaysTheSameAsTheMainProgramWhenTheManualIsMissing) {
    // The test program has no manual beside it.
    open();
    click("helpButton");
    ASSERT_EQ(errorsOf(prompter).size(), 1u);
    EXPECT_EQ(errorsOf(prompter)[0], "Error: " + manualMissingText().toStdString());
}

} // namespace
} // namespace ardenvo::test
