#pragma once

#include <memory>
#include <string>

namespace ardenvo {

// A lock shared by name between processes: flock on a file in the runtime directory. The thread
// holding it may acquire it again (each acquire needs its release); the kernel drops it when the
// holding process dies, so a crashed program never blocks the others. All NamedLock objects of
// one name in a process share one lock.
class NamedLock {
public:
    static constexpr int defaultSliceMs = 5000;

    explicit NamedLock(const std::string& name);
    ~NamedLock(); // releases what this object still holds
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    // False when the lock file cannot be opened; acquiring then fails at once.
    bool isValid() const;

    // Waits until obtained, in slices of sliceMs (there is no give-up). False only when invalid.
    bool acquire(int sliceMs = defaultSliceMs);
    // Waits at most timeoutMs (0: just tries).
    bool tryAcquire(int timeoutMs);
    // Releases one acquire of this object; nothing when it holds none.
    void release();
    // How many acquires this object holds.
    int heldCount() const { return m_held; }
    // How many acquires this thread holds through every object of this name in the process.
    int heldCountInProcess() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
    int m_held = 0;
};

// Holds a NamedLock for a scope.
class NamedLockGuard {
public:
    explicit NamedLockGuard(NamedLock& lock) : m_lock(lock), m_owned(lock.acquire()) {}
    ~NamedLockGuard() {
        if (m_owned)
            m_lock.release();
    }
    NamedLockGuard(const NamedLockGuard&) = delete;
    NamedLockGuard& operator=(const NamedLockGuard&) = delete;
    bool owns() const { return m_owned; }

private:
    NamedLock& m_lock;
    bool m_owned;
};

} // namespace ardenvo
