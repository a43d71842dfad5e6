#pragma once

#include <string>

namespace ardenvo {

// A named auto-reset event between processes: a FIFO in the runtime directory. The waiting side
// creates it and keeps it open; any process may set it. Several sets before one wait count once;
// setting while nobody waits does nothing and never blocks.
class NamedEvent {
public:
    // The waiting side: creates the FIFO if needed and opens it, not signalled.
    explicit NamedEvent(const std::string& name);
    ~NamedEvent();
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    bool isValid() const { return m_readFd >= 0; }
    // True when the event was set before or during the wait; the event is then reset.
    bool wait(int timeoutMs);

    // Sets the named event; false when no process waits on it (then nothing happens).
    static bool set(const std::string& name);

private:
    int m_readFd = -1;
    int m_keepFd = -1; // our own writer, so a closing setter never leaves the pipe hung up
};

} // namespace ardenvo
