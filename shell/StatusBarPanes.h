#pragma once

#include <QObject>
#include <QString>
#include <QTime>
#include <QTimer>

class QLabel;
class QStatusBar;

namespace ardenvo {

// The panes right of the message: size of the selected block, Caps Lock, Num Lock, Scroll Lock
// and the clock, which a 1000 ms timer keeps current.
class StatusBarPanes : public QObject {
    Q_OBJECT
public:
    explicit StatusBarPanes(QStatusBar* bar);
    ~StatusBarPanes() override;

    static QString clockText(const QTime& time); // "%02i:%02i:%02i"
    // The lock keys' signs shown while each is on ("CAP", "NUM", "SCRL" in English).
    static QString capsText();
    static QString numText();
    static QString scrollText();

    QLabel* sizePane() const { return m_size; }
    QLabel* capsPane() const { return m_caps; }
    QLabel* numPane() const { return m_num; }
    QLabel* scrollPane() const { return m_scroll; }
    QLabel* clockPane() const { return m_clock; }
    const QTimer& clockTimer() const { return m_timer; }

public slots:
    void setSizeText(const QString& text);
    // Shows the clock and the lock keys as they are now.
    void tick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addPane(QStatusBar* bar, const QString& widest);
    void showLocks();

    QLabel* m_size;
    QLabel* m_caps;
    QLabel* m_num;
    QLabel* m_scroll;
    QLabel* m_clock;
    QTimer m_timer;
    // Toggled by the lock keys themselves where the keyboard LEDs cannot be read.
    bool m_capsOn = false;
    bool m_numOn = false;
    bool m_scrollOn = false;
    quint64 m_lastLockStamp = 0;
    int m_lastLockKey = 0;
};

} // namespace ardenvo
