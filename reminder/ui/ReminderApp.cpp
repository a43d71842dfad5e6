// ardenvoreminder: watches the reminders of the registered Ardenvo projects from the tray.
#include "reminder/ui/ReminderApp.h"

#include "platform/NamedEvent.h"
#include "platform/PresenceLock.h"
#include "platform/ProgramVersion.h"
#include "platform/QuitOnSignal.h"
#include "platform/RuntimeDirectory.h"
#include "platform/SettingsFile.h"
#include "platform/Translations.h"
#include "platform/activation/WindowActivation.h"
#include "platform/guard/GuardedApplication.h"
#include "reminder/core/SystemEnvironment.h"
#include "reminder/ui/ReminderIcons.h"
#include "reminder/ui/ReminderWindow.h"
#include "widgets/QtPrompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QFile>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace ardenvo {
namespace {

constexpr const char* kInstanceLockName = "ArdenvoReminderInstance";
constexpr int kTrayWaitMs = 3000;

// For the screenshot: reads the registry list but never changes it.
class LookOnlyEnvironment : public SystemEnvironment {
public:
    using SystemEnvironment::SystemEnvironment;
    void setProjectStatus(const std::string&, bool) override {}
    void deleteProjectEntry(const std::string&) override {}
};

int writeScreenshot(ReminderWindow& window, const QString& path) {
    window.tabs().setCurrentIndex(0);
    window.show();
    QApplication::processEvents();
    const bool saved = window.grab().save(path, "PNG");
    window.hide();
    if (!saved)
        std::fprintf(stderr, "ardenvoreminder: cannot write %s\n", qPrintable(path));
    return saved ? 0 : 1;
}

} // namespace

int runArdenvoReminder(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName("Ardenvo Reminder");
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(reminderNormalIcon());
    // Ties the window to the installed menu entry, whose icon the desktop then shows for it.
    QGuiApplication::setDesktopFileName("ardenvoreminder");
    installTranslations(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "ardenvo::ReminderApp",
        "Ardenvo Reminder: tells you when a reminder of your houses is due."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(
        "screenshot",
        QCoreApplication::translate(
            "ardenvo::ReminderApp",
            "Open the window on its \"Reminder\" page, save it as a PNG file, exit."),
        QCoreApplication::translate("ardenvo::ReminderApp", "file"));
    const QCommandLineOption eventLog(
        "event-log",
        QCoreApplication::translate(
            "ardenvo::ReminderApp",
            "Append a line for each reload, notification and blink change to this file."),
        QCoreApplication::translate("ardenvo::ReminderApp", "file"));
    const QCommandLineOption clockOffset(
        "clock-offset-file",
        QCoreApplication::translate(
            "ardenvo::ReminderApp",
            "Add the number of seconds this file holds, read at every check, to the clock (for "
            "scripted checks of \"Remind me later\")."),
        QCoreApplication::translate("ardenvo::ReminderApp", "file"));
    parser.addOption(screenshot);
    parser.addOption(eventLog);
    parser.addOption(clockOffset);
    parser.process(app);

    ReminderWindowOptions options;
    options.eventLogPath = parser.value(eventLog).toStdString();
    if (parser.isSet(clockOffset))
        options.clock = [path = parser.value(clockOffset)] {
            QFile file(path);
            const qint64 offset =
                file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
            return QDateTime::currentSecsSinceEpoch() + offset;
        };

    if (parser.isSet(screenshot)) {
        // Looks only: no tray icon, no events, no claim on being the running copy.
        options.watchEvents = false;
        options.useTray = false;
        LookOnlyEnvironment environment(SettingsFile::user());
        options.environment = &environment;
        ReminderWindow window(SettingsFile::user(), options);
        return writeScreenshot(window, parser.value(screenshot));
    }

    // Without the runtime directory this copy cannot find another one or hear reloads: say why.
    RuntimeDirectory::reportProblemOnce([](const std::string& problem) {
        std::fprintf(stderr, "ardenvoreminder: %s\n", problem.c_str());
        standardPrompter().message(nullptr,
                                   {QString::fromStdString(problem), Prompter::Icon::Warning});
    });
    // Two copies would each write projects from their own stale copies: the second one asks
    // the first to show its window and leaves, with the desktop's token that lets it take the
    // focus.
    PresenceLock instance(kInstanceLockName);
    if (instance.isValid() && !instance.tryExclusive()) {
        WindowActivation::handOver(ReminderWindow::kShowEventName, WindowActivation::launchToken());
        NamedEvent::set(ReminderWindow::kShowEventName);
        return 0;
    }

    ReminderWindow window(SettingsFile::user(), options);
    QObject::connect(&window, &ReminderWindow::exitRequested, &app, &QApplication::quit);
    // The end of the session leaves as Exit does.
    QuitOnSignal quitOnSignal;
    window.hideWindow();
    // Without a notification area the window would be out of reach, so it opens instead; the
    // wait lets a tray that starts with the same log-on come up first. Starting the program again
    // brings the window back after it was closed.
    QTimer::singleShot(kTrayWaitMs, &window, [&window] {
        if (!QSystemTrayIcon::isSystemTrayAvailable() && !window.isShown())
            window.showWindow();
    });
    return app.exec();
}

} // namespace ardenvo
