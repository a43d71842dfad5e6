#include "reminder/core/EventWatcher.h"

namespace ardenvo {

EventWatcher::EventWatcher(const std::string& name, std::atomic<bool>& flag)
    : m_event(name), m_flag(flag) {
    m_flag = false;
    if (!m_event.isValid())
        return;
    m_thread = std::thread([this] {
        while (m_running.load())
            if (m_event.wait(kWaitSliceMs))
                m_flag.store(true);
    });
}

EventWatcher::~EventWatcher() {
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace ardenvo
