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
#include <QThread>

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
        for (QProcess* p : {&reminder, &bus}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
        QDBusConnection::disconnectFromBus(connectionName);
    }

    void startReminder() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", address);
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(config));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
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
    bool logHas(const std::string& prefix, int count = 1) const {
        return countPrefix(readLog(log), prefix) >= count;
    }
};

TEST_F(DesktopNotificationTest, NotifiesOnceHoldsBackOnRemindMeLaterAndResetsTheHouse) {
    NotificationServer server(QDBusConnection::connectToBus(address, connectionName));
    serveNotifications(server);

    const std::string path = dir.file("house.av");
    CReminder weekly = reminderAt(at(2020, 1, 1, 9, 30), "Water the <ferns> & palms", true);
    weekly.repeatEachUnit = static_cast<std::int32_t>(PeriodUnit::Week);
    weekly.objectName = "Fern";
    writeHouse(path, {{{weekly, reminderAt(at(2090, 1, 1), "not yet")}}});
    SettingsFile settings(config + "/Ardenvo/registry.conf");
    registerProject(path, settings);
    writeBytes(clock, "0");

    startReminder();
    ASSERT_TRUE(waitFor([&] { return !server.calls().empty(); }, 20000)) << "no notification";
    serveFor(2500); // still due: no second notification
    ASSERT_EQ(server.calls().size(), 1u);
    const NotificationServer::Call first = server.calls().front();
    EXPECT_EQ(first.summary, "Important notification");
    EXPECT_EQ(first.body, "Fern\nWater the &lt;ferns&gt; &amp; palms");
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

    server.invoke(first.id, "later");
    ASSERT_TRUE(waitFor([&] { return logHas("action later"); }, 5000));
    serveFor(2500); // held back: neither a notification nor the blinking
    EXPECT_EQ(server.calls().size(), 1u);
    EXPECT_TRUE(logHas("blink-off"));

    writeBytes(clock, "601"); // ten minutes and a second later
    ASSERT_TRUE(waitFor([&] { return server.calls().size() == 2; }, 5000)) << "did not come again";
    serveFor(1500);
    EXPECT_EQ(server.calls().size(), 2u);

    server.invoke(server.calls().back().id, "reset");
    ASSERT_TRUE(waitFor([&] { return logHas("action reset"); }, 5000));
    // Written back a week on; still in the past, so it is announced for its new date.
    ASSERT_TRUE(waitFor([&] { return server.calls().size() == 3; }, 5000));
    CBrenvikaDoc doc;
    ASSERT_EQ(loadProject(path, doc), FileError::None);
    const auto reminders = collectReminders(doc);
    ASSERT_EQ(reminders.size(), 2u);
    EXPECT_EQ(reminders[0].reminder->start(), at(2020, 1, 8, 9, 30));

    // "Open" shows the window.
    const int shown = countPrefix(readLog(log), "shown");
    server.invoke(server.calls().back().id, "open");
    EXPECT_TRUE(waitFor([&] { return logHas("shown", shown + 1); }, 5000));
}

TEST_F(DesktopNotificationTest, ANotificationIsTakenBackWhenItsReminderIsSettledElsewhere) {
    NotificationServer server(QDBusConnection::connectToBus(address, connectionName));
    serveNotifications(server);
    const std::string path = dir.file("house.av");
    CReminder due = reminderAt(at(2020, 1, 1, 9, 30), "Service the boiler", true);
    due.objectName = "Boiler";
    writeHouse(path, {{{due, reminderAt(at(2090, 1, 1), "not yet")}}});
    SettingsFile settings(config + "/Ardenvo/registry.conf");
    registerProject(path, settings);
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

#endif

} // namespace
} // namespace ardenvo::test
