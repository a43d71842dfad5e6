#include "platform/notify/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace ardenvo {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// A service that does not answer within this time counts as absent; the tick waits no longer.
constexpr int kCallTimeoutMs = 2000;

} // namespace

DesktopNotifications::DesktopNotifications(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(onClosed(uint, uint)));
}

std::uint32_t DesktopNotifications::notify(const QString& title, const QString& body,
                                           const QString& iconName, const QStringList& actions) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return 0;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    // Stays until the user acts on it, where the service honours it.
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2)));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("ardenvoreminder"));
    call << QStringLiteral("Ardenvo Reminder") << uint(0) << iconName << title << body << actions
         << hints << int(0);
    const QDBusReply<uint> reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    return reply.isValid() ? reply.value() : 0;
}

namespace {

QDBusMessage closeCall(std::uint32_t id) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("CloseNotification"));
    call << uint(id);
    return call;
}

} // namespace

void DesktopNotifications::close(std::uint32_t id) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // No answer is awaited: the tick that sends it must not wait on the service.
    bus.send(closeCall(id));
}

void DesktopNotifications::closeNow(const std::vector<std::uint32_t>& ids) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    if (ids.empty())
        return;
    for (std::size_t i = 0; i + 1 < ids.size(); ++i)
        bus.send(closeCall(ids[i]));
    // Messages leave in order: once the last is answered, all have arrived.
    bus.call(closeCall(ids.back()), QDBus::Block, kCallTimeoutMs);
}

QString DesktopNotifications::escapeBody(const QString& text) {
    return text.toHtmlEscaped();
}

void DesktopNotifications::onActionInvoked(uint id, const QString& key) {
    emit actionInvoked(id, key);
}

void DesktopNotifications::onClosed(uint id, uint) {
    emit closed(id);
}

} // namespace ardenvo
