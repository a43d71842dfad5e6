#include "platform/PresenceLock.h"

#include "platform/RuntimeDirectory.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ardenvo {

namespace {
int lockFd(int fd, int op) {
    int rc;
    do {
        rc = ::flock(fd, op);
    } while (rc != 0 && errno == EINTR);
    return rc;
}
} // namespace

PresenceLock::PresenceLock(const std::string& name) {
    m_fd = RuntimeDirectory::openFile(name, O_RDWR | O_CREAT);
}

PresenceLock::~PresenceLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool PresenceLock::tryExclusive() {
    return m_fd >= 0 && lockFd(m_fd, LOCK_EX | LOCK_NB) == 0;
}

bool PresenceLock::holdShared() {
    return m_fd >= 0 && lockFd(m_fd, LOCK_SH) == 0;
}

void PresenceLock::unlock() {
    if (m_fd >= 0)
        lockFd(m_fd, LOCK_UN);
}

} // namespace ardenvo
