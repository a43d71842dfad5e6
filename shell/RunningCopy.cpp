#include "shell/RunningCopy.h"

#include "coordination/LoadedProjectTable.h"
#include "platform/NamedEvent.h"
#include "platform/ProjectKey.h"
#include "platform/RuntimeDirectory.h"
#include "platform/activation/WindowActivation.h"

#include <QFile>
#include <QWidget>

#include <unistd.h>

namespace ardenvo {

namespace {

// Often enough that the window comes at once to a person's eye; a poll costs next to nothing.
constexpr int kPollMs = 250;

} // namespace

std::string RunningCopy::showEventName(std::uint32_t pid) {
    return "ArdenvoShowWindow." + std::to_string(pid);
}

bool RunningCopy::forward(const QString& path, const std::string& activationToken) {
    LoadedProjectTable table;
    if (!table.open() || !table.acquire())
        return false;
    const std::int32_t i = table.findEntry(projectKey(QFile::encodeName(path).toStdString()));
    const auto owner = i >= 0 ? table.entryOwner(i) : std::nullopt;
    table.release();
    if (!owner || *owner == static_cast<std::uint32_t>(::getpid()))
        return false;
    const std::string name = showEventName(*owner);
    WindowActivation::handOver(name, activationToken);
    return NamedEvent::set(name);
}

RunningCopy::RunningCopy(QWidget& window)
    : m_window(window), m_name(showEventName(static_cast<std::uint32_t>(::getpid()))),
      m_event(std::make_unique<NamedEvent>(m_name)) {
    if (!m_event->isValid())
        return;
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (m_event->wait(0))
            WindowActivation::bringForward(m_window, WindowActivation::takeHandedOver(m_name));
    });
    m_poll.start();
}

RunningCopy::~RunningCopy() {
    m_event.reset();
    // Named after this process: no later program listens under the name.
    if (const auto path = RuntimeDirectory::filePath(m_name))
        ::unlink(path->c_str());
    WindowActivation::handOver(m_name, {});
}

} // namespace ardenvo
