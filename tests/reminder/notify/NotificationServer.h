#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <vector>

namespace ardenvo::test {

// The desktop's notification service as the test plays it: records every Notify and
// CloseNotification call and sends ActionInvoked as a user's click would.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        uint id = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
    };

    explicit NotificationServer(QDBusConnection bus) : m_bus(bus) {}
    QDBusConnection& bus() { return m_bus; }
    const std::vector<Call>& calls() const { return m_calls; }
    const std::vector<uint>& closed() const { return m_closed; }

    void invoke(uint id, const QString& key) {
        QDBusMessage signal = QDBusMessage::createSignal(
            "/org/freedesktop/Notifications", "org.freedesktop.Notifications", "ActionInvoked");
        signal << id << key;
        m_bus.send(signal);
    }

public slots:
    uint Notify(const QString&, uint, const QString& appIcon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap&, int) {
        m_calls.push_back({static_cast<uint>(m_calls.size() + 1), appIcon, summary, body, actions});
        return m_calls.back().id;
    }
    QStringList GetCapabilities() { return {"actions", "body", "body-markup"}; }
    void CloseNotification(uint id) { m_closed.push_back(id); }

private:
    QDBusConnection m_bus;
    std::vector<Call> m_calls;
    std::vector<uint> m_closed;
};

// The status-notifier tray of desktops such as KDE Plasma, as far as Qt's tray icon asks it:
// with it, Qt shows its balloons as desktop notifications.
class StatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return m_items; }

public slots:
    void RegisterStatusNotifierItem(const QString& service) { m_items << service; }
    void RegisterStatusNotifierHost(const QString&) {}

private:
    QStringList m_items;
};

} // namespace ardenvo::test
