#include "reminder/ui/ReminderWindow.h"

#include "coordination/ReloadSignal.h"
#include "model/CReminder.h"
#include "platform/Autostart.h"
#include "platform/TextCodec.h"
#include "platform/activation/WindowActivation.h"
#include "platform/notify/DesktopNotifications.h"
#include "reminder/core/EventWatcher.h"
#include "reminder/core/ProjectName.h"
#include "reminder/core/Snooze.h"
#include "reminder/ui/EventListPage.h"
#include "reminder/ui/EventLog.h"
#include "reminder/ui/OptionsPage.h"
#include "reminder/ui/ReminderAboutBox.h"
#include "reminder/ui/ReminderIcons.h"
#include "reminder/ui/TipDialog.h"
#include "reminder/ui/TrayIcon.h"
#include "widgets/QtPrompter.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace ardenvo {

namespace {

ReminderEnvironment& environmentFor(const ReminderWindowOptions& options,
                                    std::unique_ptr<SystemEnvironment>& own,
                                    SettingsFile& settings) {
    if (options.environment)
        return *options.environment;
    own = std::make_unique<SystemEnvironment>(settings);
    return *own;
}

} // namespace

ReminderWindow::ReminderWindow(SettingsFile& settingsFile, const ReminderWindowOptions& options,
                               QWidget* parent)
    : QDialog(parent), m_settings(settingsFile),
      m_prompter(options.prompter ? *options.prompter : standardPrompter()),
      m_sessionMessages(m_prompter, this),
      m_session(environmentFor(options, m_ownEnvironment, settingsFile), m_sessionMessages,
                options.customAttributesPath),
      m_log(std::make_unique<EventLog>(options.eventLogPath)),
      m_clock(options.clock ? options.clock : [] { return QDateTime::currentSecsSinceEpoch(); }) {
    //: The program's name, as the desktop lists its window.
    setWindowTitle(tr("Ardenvo Reminder"));
    setWindowIcon(reminderNormalIcon());
    // Errors found while loading show while the window is hidden, as owner-less boxes.
    m_session.reloadProjects();

    m_tabs = new QTabWidget(this);
    m_tabs->setAccessibleName(tr("Pages"));
    m_eventPage = new EventListPage(m_session, m_prompter, m_gate);
    m_optionsPage = new OptionsPage(m_session, m_prompter, m_settings, m_gate);
    m_tabs->addTab(m_eventPage, tr("&Reminder"));
    m_tabs->addTab(m_optionsPage, tr("&Options"));
    m_eventPage->fill();
    m_eventPage->setClock(m_clock);
    connect(m_eventPage, &EventListPage::projectsReloaded, m_optionsPage, &OptionsPage::fill);
    connect(m_optionsPage, &OptionsPage::projectsChanged, m_eventPage, &EventListPage::fill);

    auto* about = new QPushButton(tr("&About..."), this);
    about->setObjectName("aboutButton");
    about->setAutoDefault(false);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("okButton");
    auto* exit = new QPushButton(tr("E&xit"), this);
    exit->setObjectName("exitButton");
    exit->setAutoDefault(false);
    connect(about, &QPushButton::clicked, this, [this] { ReminderAboutBox::run(this); });
    connect(ok, &QPushButton::clicked, this, &ReminderWindow::hideWindow);
    connect(exit, &QPushButton::clicked, this, &ReminderWindow::exitRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(about);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    resize(560, 430);

    // The balloon's stand-in never blocks: always the real box, which tests find by its name and
    // close as a user would.
    m_tray = new TrayIcon(standardPrompter(), this);
    m_trayMenu = new QMenu(this);
    m_trayMenu->addAction(tr("&Open"), this, &ReminderWindow::showWindow);
    m_runOnStartupAction =
        m_trayMenu->addAction(tr("&Run on startup"), this, &ReminderWindow::toggleRunOnStartup);
    m_runOnStartupAction->setCheckable(true);
    m_trayMenu->addAction(tr("&About..."), this, [this] { ReminderAboutBox::run(this); });
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(tr("E&xit"), this, &ReminderWindow::exitRequested);
    connect(m_trayMenu, &QMenu::aboutToShow, this,
            [this] { m_runOnStartupAction->setChecked(Autostart::exists()); });
    m_tray->setContextMenu(m_trayMenu);
    connect(m_tray, &TrayIcon::messageClosed, this, &ReminderWindow::messageClosed);
    connect(m_tray, &TrayIcon::leftClicked, this, [this] {
        if (m_shown)
            hideWindow();
        else
            showWindow();
    });
    if (options.useTray)
        m_tray->show();
    if (options.useDesktopNotifications) {
        m_notifications = new DesktopNotifications(this);
        connect(m_notifications, &DesktopNotifications::actionInvoked, this,
                &ReminderWindow::notificationAction);
        connect(m_notifications, &DesktopNotifications::closed, this,
                [this](std::uint32_t id) { m_announced.erase(id); });
    }

    if (options.watchEvents) {
        m_reloadWatcher = std::make_unique<EventWatcher>(reloadEventName, m_reloadRequested);
        m_showWatcher = std::make_unique<EventWatcher>(kShowEventName, m_showRequested);
    }
    m_checkTimer.setInterval(kCheckIntervalMs);
    connect(&m_checkTimer, &QTimer::timeout, this, &ReminderWindow::tick);
    m_checkTimer.start();
    // Only once the events are open: a script that reads this line may signal at once.
    m_log->write(QString("start %1").arg(m_session.events().size()));
    // Every later load is a reload, whether the main program or a command asked for it.
    m_session.setLoadObserver(
        [this] { m_log->write(QString("reload %1").arg(m_session.events().size())); });
}

ReminderWindow::~ReminderWindow() {
    m_checkTimer.stop();
    m_tray->hide();
    // Their buttons would do nothing once the program is gone.
    if (m_notifications && !m_announced.empty()) {
        std::vector<std::uint32_t> open;
        for (const auto& [id, place] : m_announced)
            open.push_back(id);
        m_log->write(QString("desktop-close-all %1").arg(open.size()));
        m_notifications->closeNow(open);
    }
}

void ReminderWindow::tick() {
    if (m_showRequested.exchange(false)) {
        m_log->write("show-request");
        m_activationToken = WindowActivation::takeHandedOver(kShowEventName);
        showWindow();
    }
    check(m_clock());
}

void ReminderWindow::check(std::int64_t now) {
    // A message box raised while loading runs its own event loop; ticks under it wait.
    if (m_session.isLoading())
        return;
    if (m_gate.isOpen() && m_reloadRequested.exchange(false))
        reloadProjects();
    if (m_session.endHolds(now))
        m_eventPage->refreshTexts();
    withdrawSettled(now);
    announce(now);
    const int due = m_session.firstDueIndex(now);
    if (!m_tray->isBlinking() && due != -1) {
        m_eventPage->selectRow(due);
        m_tray->startBlinking();
        m_log->write("blink-on");
        m_log->write(QString("notify %1").arg(due));
        notify();
        if (m_shown)
            scheduleTip();
    } else if (m_tray->isBlinking() && due == -1) {
        m_tray->stopBlinking();
        m_log->write("blink-off");
    }
}

void ReminderWindow::reloadProjects() {
    m_session.reloadProjects();
    refillPages();
}

void ReminderWindow::refillPages() {
    m_eventPage->fill();
    m_optionsPage->fill();
}

void ReminderWindow::scheduleTip() {
    // Shown from its own event: a modal dialog opened inside the timer's slot would hold back
    // every further tick (and with them reloads and the end of the blinking) until it closed.
    QMetaObject::invokeMethod(this, &ReminderWindow::maybeShowTip, Qt::QueuedConnection);
}

void ReminderWindow::maybeShowTip() {
    if (m_tipOpen || !m_settings.eventOccureTip() || !m_gate.isOpen())
        return;
    if (m_tray->hasOpenMessage()) {
        m_tipWaiting = true;
        return;
    }
    m_tipOpen = true;
    if (m_tipRunner)
        m_tipRunner();
    else
        TipDialog::run(this, m_settings);
    m_tipOpen = false;
    if (std::exchange(m_balloonWaiting, false) && m_tray->isBlinking())
        notify();
}

void ReminderWindow::announce(std::int64_t now) {
    const std::vector<int> rows = m_session.takeUnannounced(now);
    if (!m_notifications)
        return;
    // The keys come back from the service; only the labels are read by the user.
    const QStringList actions{QStringLiteral("open"),  tr("Open"),
                              QStringLiteral("reset"), tr("Reset"),
                              QStringLiteral("later"), tr("Remind me later")};
    for (const int row : rows) {
        const EventRow* entry = m_session.events().rowAt(row);
        const CReminder* reminder = entry->reminder;
        // The title is the same for every reminder: the body says which object of which house.
        const std::string house = projectNameOf(
            m_session.loadedProjects()[static_cast<std::size_t>(entry->project)]->path());
        QString body = DesktopNotifications::escapeBody(
            displayText(reminder->objectName) +
            (house.empty() ? QString() : QStringLiteral(" (%1)").arg(displayText(house))));
        if (!reminder->notes.empty())
            body += QStringLiteral("\n") +
                    DesktopNotifications::escapeBody(displayText(reminder->notes));
        const std::uint32_t id = m_notifications->notify(
            tr("Important notification"), body, QStringLiteral("ardenvoreminder"), actions);
        m_log->write(QString("desktop-notify %1 %2").arg(row).arg(id));
        m_desktopAnswered = id != 0;
        if (id == 0)
            continue;
        m_issued.insert(id);
        m_announced[id] = m_session.placeOfRow(row);
    }
}

// The notifications stay on screen until the user acts on them; one whose reminder was settled
// elsewhere (reset, edited, held back or deleted from the window or by the main program) is
// taken back.
void ReminderWindow::withdrawSettled(std::int64_t now) {
    for (auto it = m_announced.begin(); it != m_announced.end();) {
        const int row = m_session.rowAtPlace(it->second);
        const EventRow* entry = row >= 0 ? m_session.events().rowAt(row) : nullptr;
        if (entry && entry->effectiveDue() < now) {
            ++it;
            continue;
        }
        m_log->write(QString("desktop-withdraw %1").arg(it->first));
        m_notifications->close(it->first);
        it = m_announced.erase(it);
    }
}

void ReminderWindow::notificationAction(std::uint32_t id, const QString& key) {
    if (!m_issued.count(id))
        return;
    m_log->write(QString("action %1").arg(key));
    // Done with, whatever the service does with a notification whose button was pressed.
    m_notifications->close(id);
    // One that outlived what it was about (settled, or from before a reload that lost its
    // reminder) opens the window: a button that does nothing would look broken. So does a
    // reminder deleted or moved since.
    int row = -1;
    const auto found = m_announced.find(id);
    if (found != m_announced.end()) {
        row = m_session.rowAtPlace(found->second);
        m_announced.erase(found);
    }
    if (key == QLatin1String("later") && row >= 0) {
        m_eventPage->holdEvent(row, SnoozeChoice::TenMinutes, m_clock());
        return;
    }
    if (key == QLatin1String("reset") && row >= 0 && m_gate.isOpen()) {
        m_eventPage->selectRow(row);
        // With its question when the house is open in the main program, as from the button.
        m_eventPage->resetEvent();
        return;
    }
    showWindow();
    m_tabs->setCurrentWidget(m_eventPage);
    if (row >= 0)
        m_eventPage->selectRow(row);
}

void ReminderWindow::notify() {
    // The desktop's notifications have said it already.
    if (m_desktopAnswered)
        return;
    if (m_tipOpen && !m_tray->supportsBalloons()) {
        m_balloonWaiting = true;
        return;
    }
    m_log->write("balloon");
    const TrayIcon::Shown shown = m_tray->showBalloon(tr("Important notification"),
                                                      tr("You have reminders! Please check them."));
    // Without a tray: whether a box opened or the one still open came to the front.
    if (shown != TrayIcon::Shown::Balloon)
        m_log->write(shown == TrayIcon::Shown::NewBox ? "notice-box new" : "notice-box again");
}

void ReminderWindow::messageClosed() {
    if (!std::exchange(m_tipWaiting, false))
        return;
    // Still something due (as of the last tick) and the window still open.
    if (m_shown && m_tray->isBlinking())
        scheduleTip();
}

void ReminderWindow::showWindow() {
    WindowActivation::bringForward(*this, std::exchange(m_activationToken, {}));
    m_optionsPage->readOptions();
    m_shown = true;
    m_log->write("shown");
    if (m_session.firstDueIndex(m_clock()) != -1)
        scheduleTip();
}

void ReminderWindow::hideWindow() {
    hide();
    m_shown = false;
}

void ReminderWindow::reject() {
    hideWindow();
}

void ReminderWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    hideWindow();
}

void ReminderWindow::toggleRunOnStartup() {
    const bool done = Autostart::exists() ? Autostart::remove() : Autostart::write();
    if (!done)
        m_prompter.message(this, {tr("The start-up entry could not be changed."),
                                  Prompter::Icon::Stop, Prompter::Title::Error});
    m_optionsPage->readOptions();
}

} // namespace ardenvo
