#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace ardenvo {

// The desktop's notification service (org.freedesktop.Notifications on the session bus): shows a
// notification with actions and reports which action the user chose.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifications(QObject* parent = nullptr);

    // `actions` alternates keys and the texts shown. Returns the notification's id, or 0 when no
    // service answered (the caller then falls back on what it has).
    std::uint32_t notify(const QString& title, const QString& body, const QString& iconName,
                         const QStringList& actions);
    // Takes a notification off the screen; nothing happens when it is already gone.
    void close(std::uint32_t id);
    // The same for several, waiting until the service has the requests: the program may end
    // right after, and a notification left on screen would speak for a program that is gone.
    void closeNow(const std::vector<std::uint32_t>& ids);

    // Texts as the service's body markup expects them: &, < and > escaped.
    static QString escapeBody(const QString& text);

signals:
    void actionInvoked(std::uint32_t id, const QString& key);
    void closed(std::uint32_t id);

private slots:
    void onActionInvoked(uint id, const QString& key);
    void onClosed(uint id, uint reason);
};

} // namespace ardenvo
