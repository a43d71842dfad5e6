#pragma once

#include "platform/NamedEvent.h"

#include <atomic>
#include <string>
#include <thread>

namespace ardenvo {

// Waits on a named event on its own thread and raises a flag each time it is set; the GUI thread
// reads and clears the flag. Nothing else crosses the threads. Stops within a second when
// destroyed.
class EventWatcher {
public:
    static constexpr int kWaitSliceMs = 1000;

    EventWatcher(const std::string& name, std::atomic<bool>& flag);
    ~EventWatcher();
    EventWatcher(const EventWatcher&) = delete;
    EventWatcher& operator=(const EventWatcher&) = delete;

    bool isValid() const { return m_event.isValid(); }

private:
    NamedEvent m_event;
    std::atomic<bool>& m_flag;
    std::atomic<bool> m_running{true};
    std::thread m_thread;
};

} // namespace ardenvo
