#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ardenvo {

// Lets a process leave a mark that others can test for as long as it runs: a write lock on one
// byte of a named file in the runtime directory, at an offset made of the process id and a token
// drawn at start, so a process that later gets the same id never passes for the dead one. The
// kernel drops the lock with the process.
class ProcessLiveness {
public:
    struct Owner {
        std::uint32_t pid = 0;
        std::uint32_t token = 0;
        bool operator==(const Owner&) const = default;
    };

    explicit ProcessLiveness(const std::string& name); // opens the file to test others' marks
    ~ProcessLiveness();
    ProcessLiveness(const ProcessLiveness&) = delete;
    ProcessLiveness& operator=(const ProcessLiveness&) = delete;

    // This process's mark in the named file, taken on first use; none when the file is unusable.
    static std::optional<Owner> self(const std::string& name);
    // False only when the owner is known to be gone; an unusable file keeps everyone alive.
    bool isAlive(const Owner& owner) const;
    // The same for whichever process of that id left a mark, for marks known by the id alone: a
    // process that got the id later and left none does not count.
    bool isAliveWithId(std::uint32_t pid) const;

private:
    int m_fd = -1;
    bool m_missing = false;
};

} // namespace ardenvo
