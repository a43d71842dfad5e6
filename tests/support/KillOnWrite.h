#pragma once

// Kills a process at the moment it first writes into a given file: how the tests catch a save in
// the middle of copying a house in place.
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <string>
#include <sys/inotify.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ardenvo::test {

// Watches `file` for writes from the moment it is constructed.
class WriteWatch {
public:
    explicit WriteWatch(const std::string& file) : m_fd(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {
        if (m_fd >= 0)
            ::inotify_add_watch(m_fd, file.c_str(), IN_MODIFY);
    }
    ~WriteWatch() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    WriteWatch(const WriteWatch&) = delete;
    WriteWatch& operator=(const WriteWatch&) = delete;

    // SIGKILLs `child` at the file's first write, or lets it end when it never writes within
    // timeoutMs. True when the child was killed (it had not ended by itself).
    bool killAtFirstWrite(pid_t child, int timeoutMs = 60000) {
        pollfd watched{m_fd, POLLIN, 0};
        for (int waited = 0; waited < timeoutMs; waited += 10) {
            if (::poll(&watched, 1, 10) > 0) {
                ::kill(child, SIGKILL);
                break;
            }
            if (::waitpid(child, &m_status, WNOHANG) == child)
                return false;
        }
        ::kill(child, SIGKILL);
        while (::waitpid(child, &m_status, 0) < 0 && errno == EINTR) {
        }
        return WIFSIGNALED(m_status) && WTERMSIG(m_status) == SIGKILL;
    }

private:
    int m_fd;
    int m_status = 0;
};

} // namespace ardenvo::test
