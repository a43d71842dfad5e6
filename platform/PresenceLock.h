#pragma once

#include <string>

namespace ardenvo {

// Tells whether any process uses a named resource: users hold a shared flock on a file in the
// runtime directory for as long as they use it, and the kernel drops it when one dies. This gives
// a named file the lifetime of its users, so what crashed programs left behind can be cleared.
class PresenceLock {
public:
    explicit PresenceLock(const std::string& name);
    ~PresenceLock();
    PresenceLock(const PresenceLock&) = delete;
    PresenceLock& operator=(const PresenceLock&) = delete;

    bool isValid() const { return m_fd >= 0; }
    // True when no other holder exists; this object then holds the lock exclusively until
    // holdShared() or unlock().
    bool tryExclusive();
    // Marks this process as a user.
    bool holdShared();
    void unlock();

private:
    int m_fd = -1;
};

} // namespace ardenvo
