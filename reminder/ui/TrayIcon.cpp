#include "reminder/ui/TrayIcon.h"

#include "reminder/ui/ReminderIcons.h"
#include "widgets/Prompter.h"

#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

namespace ardenvo {

TrayIcon::TrayIcon(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_tray(new QSystemTrayIcon(this)) {
    m_tray->setIcon(reminderNormalIcon());
    m_tray->setToolTip(kTrayToolTip);
    m_blinkTimer.setInterval(kBlinkIntervalMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, [this] { setIcon(!m_alternate); });
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger)
            emit leftClicked();
    });
}

TrayIcon::~TrayIcon() {
    m_tray->hide();
}

void TrayIcon::setContextMenu(QMenu* menu) {
    m_tray->setContextMenu(menu);
}

void TrayIcon::show() {
    m_tray->show();
}

void TrayIcon::hide() {
    m_tray->hide();
}

void TrayIcon::startBlinking() {
    if (m_blinking)
        return;
    m_blinking = true;
    setIcon(true);
    m_tray->setToolTip(tr(kBlinkingToolTip));
    m_blinkTimer.start();
}

void TrayIcon::stopBlinking() {
    if (!m_blinking)
        return;
    m_blinking = false;
    m_blinkTimer.stop();
    setIcon(false);
    m_tray->setToolTip(kTrayToolTip);
}

QString TrayIcon::toolTip() const {
    return m_tray->toolTip();
}

bool TrayIcon::supportsBalloons() const {
    return QSystemTrayIcon::isSystemTrayAvailable() && QSystemTrayIcon::supportsMessages();
}

TrayIcon::Shown TrayIcon::showBalloon(const QString& title, const QString& text) {
    emit balloonShown();
    if (supportsBalloons()) {
        m_tray->showMessage(title, text, QSystemTrayIcon::Warning, kBalloonTimeoutMs);
        return Shown::Balloon;
    }
    // One box at a time: the one still open says the same.
    if (hasOpenMessage()) {
        m_message->raise();
        return Shown::OpenBox;
    }
    // No owner and not modal: the program keeps checking and blinking while it is open.
    QPointer<TrayIcon> self(this);
    m_message = m_prompter.openNotice(
        {text, Prompter::Icon::Warning, Prompter::Title::Custom, title}, [self] {
            if (self)
                emit self->messageClosed();
        });
    if (m_message)
        m_message->setObjectName("balloonMessageBox");
    return Shown::NewBox;
}

bool TrayIcon::hasOpenMessage() const {
    return m_message && m_message->isVisible();
}

void TrayIcon::setIcon(bool alternate) {
    m_alternate = alternate;
    m_tray->setIcon(alternate ? reminderAlternateIcon() : reminderNormalIcon());
}

} // namespace ardenvo
