#pragma once

#include <QObject>

class QSocketNotifier;

namespace ardenvo {

// Ends the event loop on SIGTERM, SIGINT and SIGHUP (the end of the session, `kill`, Ctrl+C), so
// that the program leaves as through its own Exit and tidies up what it shows on the desktop.
// One per process.
class QuitOnSignal : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignal(QObject* parent = nullptr);
    ~QuitOnSignal() override;
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace ardenvo
