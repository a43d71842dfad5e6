// The road of one reminder with the real reminder program: made in the panel, saved with the
// house as the main program saves, picked up by the running reminder program and notified.
#include "PanelTestSupport.h"
#include "planeditor/view/DialogTestSupport.h"
#include "support/ReminderEventLog.h"

#include "coordination/DocumentRegistration.h"
#include "model/CBlock.h"
#include "model/CBrenvikaDoc.h"
#include "model/CSection.h"
#include "model/ProjectFile.h"
#include "platform/SettingsFile.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTemporaryDir>

#include <chrono>
#include <filesystem>
#include <thread>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

#ifdef ARDENVO_REMINDER_EXE

using Clock = std::chrono::steady_clock;

bool waitForFile(const std::string& path, std::chrono::seconds timeout) {
    const auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
        if (std::filesystem::exists(path))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

TEST(ReminderRoad, ReminderMadeInThePanelIsNotifiedByTheRunningReminderProgram) {
    QTemporaryDir folder;
    const auto file = [&](const char* name) {
        return folder.filePath(name).toStdString();
    };
    const std::string config = file("config");
    const std::string runtime = file("runtime");
    const std::string log = file("events.log");
    const std::string house = file("house.av");
    std::filesystem::create_directories(config);
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    // This process plays the main program: the same settings and runtime folders.
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    SettingsFile settings(config + "/Ardenvo/registry.conf");

    // A house saved once, with no reminder yet, as the main program saves it.
    CBrenvikaDoc doc;
    CBlock& hall = *doc.sections().front()->blocks().front();
    auto boiler = std::make_unique<CHouseObject>();
    boiler->name = "Boiler";
    CHouseObject& object = hall.addFloorObject(std::move(boiler));
    DocumentRegistration registration(settings);
    ASSERT_EQ(saveProject(house, doc), FileError::None);
    registration.afterWrite(house);

    QProcess reminder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    reminder.setProcessEnvironment(environment);
    reminder.setWorkingDirectory(folder.path());
    reminder.start(ARDENVO_REMINDER_EXE, {"--event-log", QString::fromStdString(log)});
    ASSERT_TRUE(reminder.waitForStarted(10000));
    const auto started = waitForLine(log, "start", std::chrono::seconds(20));
    ASSERT_TRUE(started) << "the reminder program did not start";
    EXPECT_EQ(started->event, "start 0");
    ASSERT_TRUE(
        waitForFile(runtime + "/ardenvo/ArdenvoReloadProjectsEvent", std::chrono::seconds(10)));

    // The user adds a reminder that is already due, then saves.
    ScriptedPrompter prompter;
    QWidget window;
    auto* panel = new CategoryPanel(prompter, {}, &window);
    panel->selectionChanged(&object);
    panel->setControlsEnabled(true);
    panel->categorySelector()->setCurrentIndex(panel->categorySelector()->count() - 1);
    panel->reminderEditor()->datePicker()->setDate(QDate::currentDate().addDays(-1));
    retype(panel->reminderEditor()->timeBox(), "08:15");
    retype(panel->reminderEditor()->notesBox(), "Service the boiler");
    panel->addButton()->click();
    ASSERT_EQ(object.reminders().size(), 1u);

    ASSERT_EQ(saveProject(house, doc), FileError::None);
    const long long saved = nowMs();
    registration.afterWrite(house);

    const auto reloaded = waitForLine(log, "reload", std::chrono::seconds(10));
    ASSERT_TRUE(reloaded) << "no reload after the save";
    EXPECT_EQ(reloaded->event, "reload 1");
    // Served at the program's next one-second tick; generous for a busy machine.
    EXPECT_LT(reloaded->ms - saved, 3000);
    const auto notified = waitForLine(log, "notify", std::chrono::seconds(5));
    ASSERT_TRUE(notified) << "the due reminder was not notified";
    EXPECT_EQ(notified->event, "notify 0"); // its row in the reminder list

    CBrenvikaDoc read;
    ASSERT_EQ(loadProject(house, read), FileError::None);
    const CHouseObject& stored = *read.sections().front()->blocks().front()->floorObjects()[0];
    ASSERT_EQ(stored.reminders().size(), 1u);
    EXPECT_EQ(stored.reminders()[0]->notes, "Service the boiler");
    EXPECT_EQ(stored.reminders()[0]->objectName, "Boiler");
    EXPECT_EQ(stored.reminders()[0]->start().minute, 15);

    reminder.kill();
    reminder.waitForFinished(5000);
}

#endif

} // namespace
