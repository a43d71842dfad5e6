#include "platform/NamedLock.h"

#include "platform/RuntimeDirectory.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace ardenvo {

// One per name and process: flock belongs to an open file, so every object of one name shares the
// file, and the owning thread and recursion count are kept here.
struct NamedLock::State {
    int fd = -1;
    std::mutex mutex;
    std::condition_variable released;
    std::thread::id owner;
    int count = 0;

    ~State() {
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {

using Clock = std::chrono::steady_clock;

std::shared_ptr<NamedLock::State> stateFor(const std::string& name) {
    static std::mutex registryMutex;
    static std::map<std::string, std::weak_ptr<NamedLock::State>> registry;
    const auto path = RuntimeDirectory::filePath(name);
    auto state = std::make_shared<NamedLock::State>();
    if (!path)
        return state; // invalid: no file to lock
    std::lock_guard lock(registryMutex);
    auto& slot = registry[*path];
    if (auto existing = slot.lock())
        return existing;
    state->fd = RuntimeDirectory::openFile(name, O_RDWR | O_CREAT);
    slot = state;
    return state;
}

} // namespace

NamedLock::NamedLock(const std::string& name) : m_state(stateFor(name)) {}

NamedLock::~NamedLock() {
    while (m_held > 0)
        release();
}

bool NamedLock::isValid() const {
    return m_state->fd >= 0;
}

bool NamedLock::acquire(int sliceMs) {
    // Each slice ends in a fresh try; a holder that died has had its lock dropped by the kernel.
    while (isValid()) {
        if (tryAcquire(std::max(sliceMs, 1)))
            return true;
    }
    return false;
}

bool NamedLock::tryAcquire(int timeoutMs) {
    if (!isValid())
        return false;
    State& s = *m_state;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    {
        std::unique_lock lock(s.mutex);
        const auto self = std::this_thread::get_id();
        if (s.count > 0 && s.owner == self) {
            ++s.count;
            ++m_held;
            return true;
        }
        if (!s.released.wait_until(lock, deadline, [&] { return s.count == 0; }))
            return false;
        // Claim it within the process while waiting for the other processes.
        s.owner = self;
        s.count = 1;
    }
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (::flock(s.fd, LOCK_EX | LOCK_NB) == 0) {
            ++m_held;
            return true;
        }
        // Any failure (held elsewhere, interrupted, out of kernel locks) is retried until the
        // slice ends, so a waiter never spins.
        if (Clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - Clock::now()));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
    std::lock_guard lock(s.mutex);
    s.owner = {};
    s.count = 0;
    s.released.notify_all();
    return false;
}

int NamedLock::heldCountInProcess() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->owner == std::this_thread::get_id() ? m_state->count : 0;
}

void NamedLock::release() {
    if (m_held == 0)
        return;
    State& s = *m_state;
    std::lock_guard lock(s.mutex);
    --m_held;
    if (--s.count == 0) {
        ::flock(s.fd, LOCK_UN);
        s.owner = {};
        s.released.notify_all();
    }
}

} // namespace ardenvo
