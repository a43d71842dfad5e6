#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <string>

class QWidget;

namespace ardenvo {

class NamedEvent;

// Several main programs may run, one house each; starting the program again with a house that one
// of them has open brings that one's window forward instead of opening the house a second time.
// Each main program listens on a named event of its own, named after its process id, which the
// shared table of open houses gives for each of its entries.
class RunningCopy : public QObject {
    Q_OBJECT
public:
    static std::string showEventName(std::uint32_t pid);

    // Second start: asks the running main program that has the house at `path` open to come
    // forward, leaving it `activationToken`. False when none has it open or it does not listen
    // (then this start opens the house itself).
    static bool forward(const QString& path, const std::string& activationToken);

    // Running program: brings `window` forward whenever another start asks for it.
    explicit RunningCopy(QWidget& window);
    ~RunningCopy() override;
    RunningCopy(const RunningCopy&) = delete;
    RunningCopy& operator=(const RunningCopy&) = delete;

private:
    QWidget& m_window;
    std::string m_name;
    std::unique_ptr<NamedEvent> m_event;
    QTimer m_poll;
};

} // namespace ardenvo
