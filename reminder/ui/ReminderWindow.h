#pragma once

#include "platform/Settings.h"
#include "reminder/core/ReminderSession.h"
#include "reminder/core/SystemEnvironment.h"
#include "reminder/ui/CommandGate.h"
#include "reminder/ui/SessionMessageBoxes.h"

#include <QDialog>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

class QAction;
class QMenu;
class QTabWidget;

namespace ardenvo {

class EventListPage;
class EventLog;
class CReminder;
class DesktopNotifications;
class EventWatcher;
class OptionsPage;
class TrayIcon;

struct ReminderWindowOptions {
    // The file loaded as the first project when it exists.
    std::string customAttributesPath = "./CustomAttributes.cav";
    // Creates the reload event and the "show yourself" event and waits on them.
    bool watchEvents = true;
    bool useTray = true;
    // Sends a desktop notification for each reminder that falls due.
    bool useDesktopNotifications = true;
    // When set, one line per reload, notification and blink change is appended (scripted checks).
    std::string eventLogPath;
    // Every question and message of the window and its pages; null: the standard one.
    Prompter* prompter = nullptr;
    ReminderEnvironment* environment = nullptr;
    // The current time in seconds since 1970; null means the system clock.
    std::function<std::int64_t()> clock;
};

// "Ardenvo Reminder": the hidden window behind the tray icon, with the pages "Reminder" and
// "Options". Checks the reminders once a second, blinks and notifies while any is due, and
// reloads the projects when the main program asks.
class ReminderWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCheckIntervalMs = 1000;
    static constexpr const char* kShowEventName = "ArdenvoReminderShowEvent";

    ReminderWindow(SettingsFile& settingsFile, const ReminderWindowOptions& options,
                   QWidget* parent = nullptr);
    ~ReminderWindow() override;

    ReminderSession& session() { return m_session; }
    EventListPage& eventPage() const { return *m_eventPage; }
    OptionsPage& optionsPage() const { return *m_optionsPage; }
    QTabWidget& tabs() const { return *m_tabs; }
    TrayIcon* trayIcon() const { return m_tray; }
    QMenu* trayMenu() const { return m_trayMenu; }
    bool isShown() const { return m_shown; }

    void showWindow();
    void hideWindow();
    void reloadProjects();
    // One timer tick: serves a waiting reload, then tests the reminders at `now`.
    void check(std::int64_t now);
    // As the main program's event would: served at the next tick.
    void requestReload() { m_reloadRequested = true; }

    // Replaces the modal tip (tests).
    void setTipRunner(std::function<void()> runner) { m_tipRunner = std::move(runner); }

    void reject() override; // Esc and the title-bar close hide the window

signals:
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void tick();
    void refillPages();
    void scheduleTip();
    void maybeShowTip();
    void notify();
    // Desktop notifications for the rows that fell due since the last tick.
    void announce(std::int64_t now);
    void withdrawSettled(std::int64_t now);
    void notificationAction(std::uint32_t id, const QString& key);
    void messageClosed();
    void toggleRunOnStartup();

    Settings m_settings;
    std::unique_ptr<SystemEnvironment> m_ownEnvironment;
    Prompter& m_prompter;
    SessionMessageBoxes m_sessionMessages;
    ReminderSession m_session;
    CommandGate m_gate;
    QTabWidget* m_tabs = nullptr;
    EventListPage* m_eventPage = nullptr;
    OptionsPage* m_optionsPage = nullptr;
    TrayIcon* m_tray = nullptr;
    QMenu* m_trayMenu = nullptr;
    QAction* m_runOnStartupAction = nullptr;
    QTimer m_checkTimer;
    bool m_shown = false;
    // Left by a second start of the program: lets the window take the focus on Wayland.
    std::string m_activationToken;
    bool m_tipOpen = false;
    // Without a tray the balloon is a message box; it and the modal tip wait for each other,
    // since the tip would otherwise block the box it covers.
    bool m_tipWaiting = false;
    bool m_balloonWaiting = false;
    std::atomic<bool> m_reloadRequested{false};
    std::atomic<bool> m_showRequested{false};
    std::unique_ptr<EventWatcher> m_reloadWatcher;
    std::unique_ptr<EventWatcher> m_showWatcher;
    std::unique_ptr<EventLog> m_log;
    std::function<void()> m_tipRunner;
    std::function<std::int64_t()> m_clock;
    DesktopNotifications* m_notifications = nullptr;
    // What each notification still on the desktop is about, found again after reloads.
    std::map<std::uint32_t, ReminderSession::EventPlace> m_announced;
    // Every notification this program sent: the service tells every program's actions.
    std::set<std::uint32_t> m_issued;
    // The notification service answered the last notification: it alone announces then, the
    // tray's balloon (itself a notification on such desktops) would say the same again.
    bool m_desktopAnswered = false;
};

} // namespace ardenvo
