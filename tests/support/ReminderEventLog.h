#pragma once

// Reading the event log that a running reminder program writes with --event-log: one line per
// reload, notification and blink change, each led by the milliseconds since 1970.

#include <chrono>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace ardenvo::test {

struct LogLine {
    long long ms = 0;
    std::string event;
};

inline std::vector<LogLine> readLog(const std::string& path) {
    std::ifstream in(path);
    std::vector<LogLine> lines;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        LogLine l;
        words >> l.ms;
        std::getline(words >> std::ws, l.event);
        lines.push_back(l);
    }
    return lines;
}

inline int countPrefix(const std::vector<LogLine>& lines, const std::string& prefix) {
    int n = 0;
    for (const auto& l : lines)
        n += l.event.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

// Polls the log until a line starting with `prefix` appears; returns it, or none on time-out.
inline std::optional<LogLine> waitForLine(const std::string& log, const std::string& prefix,
                                          std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        for (const auto& l : readLog(log))
            if (l.event.rfind(prefix, 0) == 0)
                return l;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

// The clock the log's times are read from.
inline long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace ardenvo::test
