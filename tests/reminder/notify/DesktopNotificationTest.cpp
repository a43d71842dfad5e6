// A due reminder reaches the desktop's notification service once; "Remind me later" holds it
// back until its time, and "Reset" moves it and writes the house. Real processes on a private
// session bus, with isolated folders; the clock of the reminder program is moved forward
// through its clock-offset file instead of waiting.
#include "NotificationServer.h"
#include "reminder/core/ReminderCoreFixtures.h"
#include "support/ReminderEventLog.h"

#include "coordination/ProjectRegistry.h"
#include "coordination/ReloadSignal.h"
#include "model/ReminderSchedule.h"
#include "platform/SettingsFile.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <functional>

namespace ardenvo::test {
namespace {

#if defined(ARDENVO_REMINDER_EXE) && defined(DBUS_DAEMON)

// Serves the bus while waiting: the program's calls are answered from this event loop.
bool waitFor(const std::function<bool()>& condition, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (condition())
            return true;
        QThread::msleep(20);
    }
    return condition();
}

void serveFor(int ms) {
    waitFor([] { return false; }, ms);
}

class DesktopNotificationTest : public testing::Test {
protected:
    TempDir dir;
    std::string config = dir.file("config");
    std::string runtime = dir.file("runtime");
    std::string log = dir.file("events.log");
    std::string clock = dir.file("clock-offset");
    QProcess bus;
    QProcess reminder;
    QProcess display;
    QString address;
    const QString connectionName = "notification-test";

    void SetUp() override {
        if (std::string(DBUS_DAEMON).empty() || !std::filesystem::exists(DBUS_DAEMON))
            GTEST_SKIP() << "dbus-daemon is not installed (Debian package dbus-daemon)";
        std::filesystem::create_directories(config);
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        // This process also plays the main program, which signals through the runtime folder.
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        bus.start(DBUS_DAEMON, {"--session", "--nofork", "--print-address=1",
                                "--address=unix:dir=" + QString::fromStdString(runtime)});
        ASSERT_TRUE(bus.waitForStarted(10000));
        ASSERT_TRUE(waitFor([this] { return bus.canReadLine(); }, 10000));
        address = QString::fromUtf8(bus.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty());
    }
    void TearDown() override {
        for (QProcess* p : {&reminder, &display, &bus}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
        QDBusConnection::disconnectFromBus(connectionName);
    }

    // `display` empty: offscreen, without a tray.
    void startReminder(const QString& display = {}, const QString& wayland = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!wayland.isEmpty()) {
            environment.insert("QT_QPA_PLATFORM", "wayland");
            environment.insert("WAYLAND_DISPLAY", wayland);
            for (const char* name : {"DISPLAY", "XDG_CURRENT_DESKTOP", "QT_QPA_PLATFORMTHEME"})
                environment.remove(name);
        }
        environment.insert("DBUS_SESSION_BUS_ADDRESS", address);
        if (!display.isEmpty()) {
            environment.insert("QT_QPA_PLATFORM", "xcb");
            environment.insert("DISPLAY", display);
            for (const char* name : {"XDG_CURRENT_DESKTOP", "QT_QPA_PLATFORMTHEME"})
                environment.remove(name);
        }
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(config));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
        if (display.isEmpty() && wayland.isEmpty())
            environment.insert("QT_QPA_PLATFORM", "offscreen");
        reminder.setProcessEnvironment(environment);
        reminder.setWorkingDirectory(QString::fromStdString(dir.path().string()));
        reminder.start(ARDENVO_REMINDER_EXE,
                       {"--event-log", QString::fromStdString(log), "--clock-offset-file",
                        QString::fromStdString(clock)});
        ASSERT_TRUE(reminder.waitForStarted(10000));
    }
    // Plays the notification service on the private bus.
    void serveNotifications(NotificationServer& server) {
        ASSERT_TRUE(server.bus().isConnected());
        ASSERT_TRUE(server.bus().registerObject("/org/freedesktop/Notifications", &server,
                                                QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(server.bus().registerService("org.freedesktop.Notifications"));
    }
    // A display server of its own, on a free display number; empty when there is none.
    QString startDisplay() {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty())
            return {};
        display.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
        if (!display.waitForStarted(10000) ||
            !waitFor([this] { return display.canReadLine(); }, 10000))
            return {};
        return ":" + QString::fromUtf8(display.readLine()).trimmed();
    }
    // A compositor of its own without a screen, in the test's runtime folder; the name of its
    // socket, empty when there is none.
    QString startCompositor() {
        const QString weston = QStandardPaths::findExecutable("weston");
        if (weston.isEmpty())
            return {};
        const QString socket = "ardenvo-fallback";
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
        display.setProcessEnvironment(environment);
        display.start(weston, {"--backend=headless-backend.so", "--socket=" + socket,
                               "--idle-time=0", "--width=1024", "--height=768"});
        const auto path = std::filesystem::path(runtime) / socket.toStdString();
        if (!display.waitForStarted(10000) ||
            !waitFor([&] { return std::filesystem::exists(path); }, 10000))
            return {};
        return socket;
    }
    void stopReminder() {
        reminder.terminate();
        ASSERT_TRUE(waitFor([this] { return reminder.state() == QProcess::NotRunning; }, 10000));
    }
    // The house of the test, registered as the main program registers what it saves.
    std::string registerHouse(const HouseSpec& house) {
        const std::string path = dir.file("house.av");
        writeHouse(path, house);
        SettingsFile settings(config + "/Ardenvo/registry.conf");
        registerProject(path, settings);
        return path;
    }
    bool logHas(const std::string& prefix, int count = 1) const {
        return countPrefix(readLog(log), prefix) >= count;
    }
};

TEST_F(DesktopNotificationTest, NotifiesOnceHoldsBackOnRemindMeLaterAndResetsTheHouse) {
    NotificationServer server(QDBusConnection::connectToBus(address, connectionName));
    serveNotifications(server);

    CReminder weekly = reminderAt(at(2020, 1, 1, 9, 30), "Water the <ferns> & palms", true);
    weekly.repeatEachUnit = static_cast<std::int32_t>(PeriodUnit::Week);
    weekly.objectName = "Fern";
    const std::string path = registerHouse({{{weekly, reminderAt(at(2090, 1, 1), "not yet")}}});
    writeBytes(clock, "0");

    startReminder();
    ASSERT_TRUE(waitFor([&] { return !server.calls().empty(); }, 20000)) << "no notification";
    serveFor(2500); // still due: no second notification
    ASSERT_EQ(server.calls().size(), 1u);
    const NotificationServer::Call first = server.calls().front();
    EXPECT_EQ(first.summary, "Important notification");
    // The title is the same for all: the body names the object and the house first.
    EXPECT_EQ(first.body, "Fern (house)\nWater the &lt;ferns&gt; &amp; palms");
    EXPECT_EQ(first.appIcon, "ardenvoreminder");
    EXPECT_EQ(first.actions,
              (QStringList{"open", "Open", "reset", "Reset", "later", "Remind me later"}));

    // The main program saves the house: the reminder is not announced again, and the
    // notification still acts on it.
    QThread::msleep(300); // the reload event exists once the program has started
    writeHouse(path, {{{weekly, reminderAt(at(2090, 1, 1), "not yet")}}});
    signalReload();
    ASSERT_TRUE(waitFor([&] { return logHas("reload"); }, 10000));
    serveFor(1500);
    EXPECT_EQ(server.calls().size(), 1u);

    // Another program's notification is none of its business.
    server.invoke(first.id + 100, "open");
    server.invoke(first.id, "later");
    ASSERT_TRUE(waitFor([&] { return logHas("action later"); }, 5000));
    EXPECT_FALSE(logHas("action open"));
    // Acted on, so taken off the screen.
    ASSERT_TRUE(waitFor([&] { return server.closed().size() == 1; }, 5000));
    EXPECT_EQ(server.closed().front(), first.id);
    serveFor(2500); // held back: neither a notification nor the blinking
    EXPECT_EQ(server.calls().size(), 1u);
    EXPECT_TRUE(logHas("blink-off"));

    writeBytes(clock, "601"); // ten minutes and a second later
    ASSERT_TRUE(waitFor([&] { return server.calls().size() == 2; }, 5000)) << "did not come again";
    serveFor(1500);
    EXPECT_EQ(server.calls().size(), 2u);

    const uint second = server.calls().back().id;
    server.invoke(second, "reset");
    ASSERT_TRUE(waitFor([&] { return logHas("action reset"); }, 5000));
    // Written back a week on; still in the past, so it is announced for its new date.
    ASSERT_TRUE(waitFor([&] { return server.calls().size() == 3; }, 5000));
    CBrenvikaDoc doc;
    ASSERT_EQ(loadProject(path, doc), FileError::None);
    const auto reminders = collectReminders(doc);
    ASSERT_EQ(reminders.size(), 2u);
    EXPECT_EQ(reminders[0].reminder->start(), at(2020, 1, 8, 9, 30));

    ASSERT_TRUE(waitFor([&] { return server.closed().size() == 2; }, 5000));
    EXPECT_EQ(server.closed().back(), second);

    // "Open" shows the window, even on a notification that outlived what it was about.
    int shown = countPrefix(readLog(log), "shown");
    server.invoke(first.id, "open");
    ASSERT_TRUE(waitFor([&] { return logHas("shown", shown + 1); }, 5000)) << "stale notification";
    shown = countPrefix(readLog(log), "shown");
    const uint third = server.calls().back().id;
    server.invoke(third, "open");
    EXPECT_TRUE(waitFor([&] { return logHas("shown", shown + 1); }, 5000));
    ASSERT_TRUE(waitFor([&] { return server.closed().size() == 4; }, 5000));
    EXPECT_EQ(server.closed().back(), third);
}

TEST_F(DesktopNotificationTest, TheProgramTakesItsNotificationsWithItWhenItEnds) {
    NotificationServer server(QDBusConnection::connectToBus(address, connectionName));
    serveNotifications(server);
    CReminder boiler = reminderAt(at(2020, 1, 1, 9, 30), "Service the boiler", true);
    boiler.objectName = "Boiler";
    CReminder gutter = reminderAt(at(2021, 1, 1, 9, 30), "Clear the gutter", true);
    gutter.objectName = "Gutter";
    registerHouse({{{boiler, gutter}}});

    startReminder();
    ASSERT_TRUE(waitFor([&] { return server.calls().size() == 2; }, 20000));
    serveFor(500);
    EXPECT_TRUE(server.closed().empty());
    // The end of the session (or Exit) ends the program: nothing of it stays on the screen.
    stopReminder();
    EXPECT_EQ(reminder.exitStatus(), QProcess::NormalExit);
    std::vector<uint> closed = server.closed();
    std::sort(closed.begin(), closed.end());
    EXPECT_EQ(closed, (std::vector<uint>{server.calls()[0].id, server.calls()[1].id}));
}

TEST_F(DesktopNotificationTest, ANotificationIsTakenBackWhenItsReminderIsSettledElsewhere) {
    NotificationServer server(QDBusConnection::connectToBus(address, connectionName));
    serveNotifications(server);
    CReminder due = reminderAt(at(2020, 1, 1, 9, 30), "Service the boiler", true);
    due.objectName = "Boiler";
    const std::string path = registerHouse({{{due, reminderAt(at(2090, 1, 1), "not yet")}}});
    writeBytes(clock, "0");

    startReminder();
    ASSERT_TRUE(waitFor([&] { return !server.calls().empty(); }, 20000)) << "no notification";
    serveFor(1500);
    EXPECT_TRUE(server.closed().empty()) << "taken back while still due";

    // The main program moves the reminder on: it is no longer due, so its notification goes.
    QThread::msleep(300);
    CReminder later = reminderAt(at(2089, 1, 1, 9, 30), "Service the boiler", true);
    later.objectName = "Boiler";
    writeHouse(path, {{{later, reminderAt(at(2090, 1, 1), "not yet")}}});
    signalReload();
    ASSERT_TRUE(waitFor([&] { return !server.closed().empty(); }, 10000)) << "not taken back";
    EXPECT_EQ(server.closed(), std::vector<uint>{server.calls().front().id});
    EXPECT_EQ(server.calls().size(), 1u);
}

TEST_F(DesktopNotificationTest, WithANotificationServiceTheTrayShowsNoBalloonBesideIt) {
    const QString screen = startDisplay();
    if (screen.isEmpty())
        GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb)";
    QDBusConnection connection = QDBusConnection::connectToBus(address, connectionName);
    StatusNotifierWatcher tray;
    ASSERT_TRUE(connection.registerObject("/StatusNotifierWatcher", &tray,
                                          QDBusConnection::ExportAllSlots |
                                              QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(connection.registerService("org.kde.StatusNotifierWatcher"));
    registerHouse({{{reminderAt(at(2020, 1, 1, 9, 30), "Service the boiler", true)}}});

    // A tray and no notification service: the tray's balloon tells.
    startReminder(screen);
    ASSERT_TRUE(waitFor([&] { return logHas("balloon"); }, 20000)) << "no balloon";
    ASSERT_TRUE(waitFor([&] { return !tray.items().isEmpty(); }, 5000)) << "Qt used no tray";
    stopReminder();

    // With the service our own notification says it, alone.
    NotificationServer server(connection);
    serveNotifications(server);
    const int balloons = countPrefix(readLog(log), "balloon");
    startReminder(screen);
    ASSERT_TRUE(waitFor([&] { return !server.calls().empty(); }, 20000)) << "no notification";
    serveFor(3000);
    ASSERT_EQ(server.calls().size(), 1u) << server.calls().back().body.toStdString();
    EXPECT_EQ(server.calls().front().summary, "Important notification");
    EXPECT_EQ(countPrefix(readLog(log), "balloon"), balloons);
}

// On Wayland without a tray and without a notification service only the stand-in box tells, and
// only one of them is open at a time: a reminder falling due again brings the open one forward.
TEST_F(DesktopNotificationTest, WithoutATrayOrServiceOnWaylandOneBoxAtATimeTells) {
    const QString wayland = startCompositor();
    if (wayland.isEmpty())
        GTEST_SKIP() << "weston is not installed (Debian package weston)";
    CReminder boiler = reminderAt(at(2020, 1, 1, 9, 30), "Service the boiler", true);
    const std::string path = registerHouse({{{boiler}}});
    writeBytes(clock, "0");

    startReminder({}, wayland);
    ASSERT_TRUE(waitFor([&] { return logHas("notice-box new"); }, 20000)) << "no box";
    EXPECT_TRUE(logHas("desktop-notify 0 0")); // the service did not answer

    // Settled in the main program, then due again while the box is still open.
    QThread::msleep(300);
    writeHouse(path, {{{reminderAt(at(2090, 1, 1), "Service the boiler", true)}}});
    signalReload();
    ASSERT_TRUE(waitFor([&] { return logHas("blink-off"); }, 10000));
    writeHouse(path, {{{boiler}}});
    signalReload();
    ASSERT_TRUE(waitFor([&] { return logHas("notice-box again"); }, 10000)) << "a second box";
    // The window opens without a tray; its tip waits for the box as well.
    serveFor(3500);
    const auto lines = readLog(log);
    EXPECT_EQ(countPrefix(lines, "notice-box new"), 1);
    EXPECT_EQ(countPrefix(lines, "blink-on"), 2);
    ASSERT_EQ(reminder.state(), QProcess::Running) << reminder.readAllStandardError().toStdString();
    stopReminder();
}

#endif

} // namespace
} // namespace ardenvo::test
