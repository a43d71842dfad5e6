#pragma once

#include "platform/NamedEvent.h"

namespace ardenvo {

inline constexpr const char* reloadEventName = "ArdenvoReloadProjectsEvent";

// Main program: asks a running reminder program to reload its projects; nothing happens when
// none runs.
void signalReload();

// Reminder program: the event it creates at start and waits on from its reload thread.
class ReloadEvent {
public:
    ReloadEvent() : m_event(reloadEventName) {}
    bool isValid() const { return m_event.isValid(); }
    // True when a reload was asked for; waits at most timeoutMs.
    bool wait(int timeoutMs) { return m_event.wait(timeoutMs); }

private:
    NamedEvent m_event;
};

} // namespace ardenvo
