// The road of one reminder with real processes: the running reminder program reloads when a
// project is saved, notifies once when a reminder falls due, and a second copy only wakes the
// first. A house the main program reaches through a symbolic link is the registered house; a
// missing house stays registered and is loaded once it is back.
#include "ReminderCoreFixtures.h"
#include "support/ReminderEventLog.h"

#include "coordination/DocumentRegistration.h"
#include "coordination/ProjectRegistry.h"
#include "coordination/ReloadSignal.h"
#include "platform/SettingsFile.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace ardenvo::test {
namespace {

#ifdef ARDENVO_REMINDER_EXE

class ReminderProcessTest : public testing::Test {
protected:
    TempDir dir;
    std::string config = dir.file("config");
    std::string runtime = dir.file("runtime");
    std::string log = dir.file("events.log");
    std::unique_ptr<SettingsFile> settings;
    std::vector<std::unique_ptr<QProcess>> processes;

    void SetUp() override {
        std::filesystem::create_directories(config);
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        // This process plays the main program: same settings and runtime folders.
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        settings = std::make_unique<SettingsFile>(config + "/Ardenvo/registry.conf");
    }
    void TearDown() override {
        for (auto& p : processes) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    QProcess& start(const QStringList& args) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(config));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        // No session bus: the desktop's notification service must not see the test's reminders.
        environment.insert("DBUS_SESSION_BUS_ADDRESS",
                           QString::fromStdString("unix:path=" + dir.file("no-bus")));
        p->setProcessEnvironment(environment);
        p->setWorkingDirectory(QString::fromStdString(dir.path().string()));
        p->start(ARDENVO_REMINDER_EXE, args);
        EXPECT_TRUE(p->waitForStarted(10000));
        processes.push_back(std::move(p));
        return *processes.back();
    }
};

TEST_F(ReminderProcessTest, ReloadsOnTheMainProgramsEventAndNotifiesOnce) {
    const std::string path = dir.file("house.av");
    writeHouse(path, {{{reminderAt(at(2090, 1, 1), "later")}}});
    registerProject(path, *settings);

    start({"--event-log", QString::fromStdString(log)});
    const auto started = waitForLine(log, "start", std::chrono::seconds(20));
    ASSERT_TRUE(started) << "the reminder program did not start";
    // The start line is written once the reload event is open: the main program may signal now.
    EXPECT_EQ(started->event, "start 1");

    // The main program saves the house with a reminder that is already due, then signals.
    writeHouse(path, {{{reminderAt(at(2090, 1, 1), "later"), reminderAt(at(2020, 1, 1), "due")}}});
    const long long signalled = nowMs();
    signalReload();
    const auto reloaded = waitForLine(log, "reload", std::chrono::seconds(10));
    ASSERT_TRUE(reloaded) << "no reload after the event";
    EXPECT_EQ(reloaded->event, "reload 2");
    // Served at the next one-second tick; generous for a busy machine.
    EXPECT_LT(reloaded->ms - signalled, 3000);

    const auto notified = waitForLine(log, "notify", std::chrono::seconds(5));
    ASSERT_TRUE(notified);
    EXPECT_EQ(notified->event, "notify 1"); // the first due row in table order
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_EQ(countPrefix(readLog(log), "notify"), 1); // still due: no second balloon

    // A second copy only asks the first to show its window.
    QProcess& second = start({});
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitForLine(log, "show-request", std::chrono::seconds(5)));
    EXPECT_EQ(countPrefix(readLog(log), "start"), 1);
}

TEST_F(ReminderProcessTest, AHouseOpenedThroughALinkIsTheRegisteredHouse) {
    std::filesystem::create_directory(dir.file("drive"));
    const std::string path = dir.file("drive/house.av");
    writeHouse(path, {{{reminderAt(at(2090, 1, 1), "later")}}});
    registerProject(path, *settings);
    // The same house reached through a linked folder and through a linked file.
    std::filesystem::create_directory_symlink(dir.file("drive"), dir.file("alias"));
    std::filesystem::create_symlink(path, dir.file("link.av"));

    start({"--event-log", QString::fromStdString(log)});
    ASSERT_TRUE(waitForLine(log, "start", std::chrono::seconds(20)));

    // This process plays the main program opening the house through the link, then saving it
    // through the linked folder.
    DocumentRegistration document(*settings);
    document.afterRead(dir.file("link.av"));
    document.afterWrite(dir.file("alias/house.av"));
    EXPECT_EQ(readProjectEntries(*settings).size(), 1u);
    const auto reloaded = waitForLine(log, "reload", std::chrono::seconds(10));
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(reloaded->event, "reload 1"); // listed once
    // The reminder program's question before it writes the house is asked.
    EXPECT_TRUE(isOpenInMainProgram(path));
    EXPECT_TRUE(isOpenInMainProgram(dir.file("link.av")));
}

TEST_F(ReminderProcessTest, AMissingHouseStaysRegisteredAndIsLoadedOnceItIsBack) {
    const std::string here = dir.file("here.av");
    writeHouse(here, {{{reminderAt(at(2090, 1, 1), "here")}}});
    registerProject(here, *settings);
    // On a drive that is not plugged in yet.
    const std::string away = dir.file("drive/away.av");
    registerProject(away, *settings);

    start({"--event-log", QString::fromStdString(log)});
    const auto started = waitForLine(log, "start", std::chrono::seconds(20));
    ASSERT_TRUE(started);
    EXPECT_EQ(started->event, "start 1");
    EXPECT_NE(findProjectKey(away, *settings), "");

    std::filesystem::create_directory(dir.file("drive"));
    writeHouse(away, {{{reminderAt(at(2090, 1, 1), "away")}}});
    signalReload();
    const auto reloaded = waitForLine(log, "reload", std::chrono::seconds(10));
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(reloaded->event, "reload 2");
    EXPECT_EQ(readProjectEntries(*settings).size(), 2u);
}

TEST_F(ReminderProcessTest, ScreenshotWritesAPictureAndLeaves) {
    const std::string path = dir.file("house.av");
    writeHouse(path, {{{reminderAt(at(2090, 1, 1), "later")}}});
    registerProject(path, *settings);
    const std::string png = dir.file("shot.png");
    QProcess& p = start({"--screenshot", QString::fromStdString(png)});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    std::ifstream in(png, std::ios::binary);
    char magic[4] = {};
    in.read(magic, 4);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
}

#endif

} // namespace
} // namespace ardenvo::test
