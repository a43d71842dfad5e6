#include "platform/NamedEvent.h"

#include "platform/RuntimeDirectory.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardenvo {

namespace {

bool isOwnFifo(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode) && st.st_uid == ::getuid();
}

void drain(int fd) {
    char buffer[256];
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
}

// Writes one byte; a reader that closed in between must not kill us with SIGPIPE.
void writeByteQuietly(int fd) {
    sigset_t pipeOnly, previous;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &previous);
    const char byte = 1;
    const ssize_t written = ::write(fd, &byte, 1);
    if (written < 0 && errno == EPIPE) {
        const timespec zero{0, 0};
        sigtimedwait(&pipeOnly, nullptr, &zero);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

} // namespace

NamedEvent::NamedEvent(const std::string& name) {
    const auto path = RuntimeDirectory::filePath(name);
    if (!path)
        return;
    if (::mkfifo(path->c_str(), 0600) != 0 && errno != EEXIST)
        return;
    m_readFd = ::open(path->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (m_readFd < 0)
        return;
    if (!isOwnFifo(m_readFd)) {
        ::close(m_readFd);
        m_readFd = -1;
        return;
    }
    m_keepFd = ::open(path->c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    drain(m_readFd); // created not signalled
}

NamedEvent::~NamedEvent() {
    if (m_keepFd >= 0)
        ::close(m_keepFd);
    if (m_readFd >= 0)
        ::close(m_readFd);
}

bool NamedEvent::wait(int timeoutMs) {
    if (m_readFd < 0)
        return false;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{m_readFd, POLLIN, 0};
        const int rc = ::poll(&p, 1, left > 0 ? static_cast<int>(left) : 0);
        if (rc > 0 && (p.revents & POLLIN)) {
            drain(m_readFd); // auto-reset: every set so far counts once
            return true;
        }
        if (rc < 0 && errno == EINTR && left > 0)
            continue;
        return false;
    }
}

bool NamedEvent::set(const std::string& name) {
    const auto path = RuntimeDirectory::filePath(name);
    if (!path)
        return false;
    // Without a reader this open fails with ENXIO instead of blocking.
    const int fd = ::open(path->c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool ok = isOwnFifo(fd);
    if (ok)
        writeByteQuietly(fd); // a full pipe (EAGAIN) is already set
    ::close(fd);
    return ok;
}

} // namespace ardenvo
