#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace ardenvo {

class Prompter;

// The notification-area icon: a tooltip, a menu, blinking between the normal and the alternate
// icon every 500 ms, and the balloon (the prompter's notice box where the tray cannot show
// messages). All on the GUI thread.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    static constexpr int kBlinkIntervalMs = 500;
    static constexpr int kBalloonTimeoutMs = 10000;

    explicit TrayIcon(Prompter& prompter, QObject* parent = nullptr);
    ~TrayIcon() override;

    void setContextMenu(QMenu* menu);
    void show();
    void hide();

    void startBlinking();
    void stopBlinking();
    bool isBlinking() const { return m_blinking; }
    bool showsAlternateIcon() const { return m_alternate; }
    QString toolTip() const;

    enum class Shown { Balloon, NewBox, OpenBox };
    // The tray's balloon; without one a box, or the box already open brought to the front.
    Shown showBalloon(const QString& title, const QString& text);
    bool supportsBalloons() const;
    // Whether the message box that stands in for the balloon is still open.
    bool hasOpenMessage() const;

signals:
    void leftClicked();
    void balloonShown();
    void messageClosed();

private:
    void setIcon(bool alternate);

    Prompter& m_prompter;
    QSystemTrayIcon* m_tray;
    QPointer<QWidget> m_message;
    QTimer m_blinkTimer;
    bool m_blinking = false;
    bool m_alternate = false;
};

inline constexpr const char* kTrayToolTip = "Ardenvo Reminder";
inline constexpr const char* kBlinkingToolTip =
    QT_TRANSLATE_NOOP("ardenvo::TrayIcon", "Check the events");

} // namespace ardenvo
