#include "platform/ProcessLiveness.h"

#include "platform/RuntimeDirectory.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <random>
#include <unistd.h>

namespace ardenvo {

namespace {

off_t offsetOf(const ProcessLiveness::Owner& owner) {
    return static_cast<off_t>((static_cast<std::uint64_t>(owner.pid) << 32) | owner.token);
}

struct flock byteAt(const ProcessLiveness::Owner& owner, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = offsetOf(owner);
    lock.l_len = 1;
    return lock;
}

// Whether a mark lies in `range` of the open file `fd`; an unusable file keeps everyone alive.
bool marked(int fd, bool missing, struct flock range) {
    if (missing)
        return false;
    if (fd < 0)
        return true;
    // Our own mark is held through another open file, so it shows as a conflict here too.
    if (::fcntl(fd, F_OFD_GETLK, &range) != 0)
        return true;
    return range.l_type != F_UNLCK;
}

struct Mark {
    int fd = -1;
    ProcessLiveness::Owner owner;
};

} // namespace

std::optional<ProcessLiveness::Owner> ProcessLiveness::self(const std::string& name) {
    static std::mutex mutex;
    static std::map<std::string, Mark> marks; // by file path; held until the process ends
    const auto path = RuntimeDirectory::filePath(name);
    if (!path)
        return std::nullopt;
    const std::lock_guard<std::mutex> guard(mutex);
    auto it = marks.find(*path);
    if (it != marks.end() && it->second.owner.pid == std::uint32_t(::getpid()))
        return it->second.owner;
    const int fd = RuntimeDirectory::openFile(name, O_RDWR | O_CREAT);
    if (fd < 0)
        return std::nullopt;
    std::random_device random;
    Mark mark{fd, {static_cast<std::uint32_t>(::getpid()), 0}};
    while (mark.owner.token == 0)
        mark.owner.token = random();
    // An open-file-description lock: owned by this open file, not shared with a forked child.
    struct flock lock = byteAt(mark.owner, F_WRLCK);
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    if (it != marks.end())
        ::close(it->second.fd); // inherited from the parent through fork
    marks[*path] = mark;
    return mark.owner;
}

ProcessLiveness::ProcessLiveness(const std::string& name) {
    if (const auto path = RuntimeDirectory::filePath(name)) {
        m_fd = ::open(path->c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        m_missing = m_fd < 0 && errno == ENOENT; // no process ever left a mark
    }
}

ProcessLiveness::~ProcessLiveness() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ProcessLiveness::isAlive(const Owner& owner) const {
    return owner.pid == 0 || marked(m_fd, m_missing, byteAt(owner, F_WRLCK));
}

bool ProcessLiveness::isAliveWithId(std::uint32_t pid) const {
    // Every token of that id: the bytes from the id's first offset up to the next id's.
    struct flock range = byteAt({pid, 0}, F_WRLCK);
    range.l_len = off_t(1) << 32;
    return pid == 0 || marked(m_fd, m_missing, range);
}

} // namespace ardenvo
