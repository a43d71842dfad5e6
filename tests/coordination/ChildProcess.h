#pragma once

// A helper program run as a separate process, with its standard input and output on pipes.
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ardenvo::test {

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& args);
    ~ChildProcess(); // kills a child still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0; }
    // The next line of output, or none at end of output or after timeoutMs.
    std::optional<std::string> readLine(int timeoutMs = 10000);
    void writeLine(const std::string& line);
    void closeInput();
    void kill(int signal);
    // Waits for the end; the exit code, or -signal when killed; none after timeoutMs.
    std::optional<int> wait(int timeoutMs = 30000);

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buffer;
    bool m_reaped = false;
};

} // namespace ardenvo::test
