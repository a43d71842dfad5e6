#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ardenvo {

// A regular file's bytes mapped read-only, for a program that reads a large file once: the page
// cache's pages are used as they are, with no copy and no fresh memory to fault in.
//
// A file that shrinks while it is mapped would kill the program (SIGBUS) as its vanished pages are
// read. Here those pages read as zeros instead, and intact() tells afterwards that the bytes were
// not the file's: a process-wide SIGBUS handler, installed with the first mapping, answers faults
// inside a live mapping only and leaves every other one to the handler that was there before.
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the file at `path`. False with *systemError (when given) set when it cannot be opened
    // or mapped, is not a regular file (EINVAL), or holds more than `maxBytes` (EFBIG); nothing is
    // read then.
    bool open(const std::string& path, std::uint64_t maxBytes = UINT64_MAX,
              int* systemError = nullptr);

    // The bytes as the file had them when it was opened; empty for an empty file.
    std::string_view bytes() const { return {m_data, m_size}; }
    // Lets the pages before `offset` go from this process's memory, for a reader that will not
    // look at them again: the bytes stay readable (the pages come back from the file as they are
    // read), but a large file does not stay resident beside what was made of it.
    void release(std::size_t offset) noexcept;
    // After the bytes were read: true when they were the file's all along, false when the file
    // was cut short meanwhile (part of them read as zeros) or its size changed.
    bool intact() const;

private:
    void close() noexcept;

    int m_fd = -1;
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_released = 0; // the pages before it were let go
    int m_guard = -1;           // the slot of the SIGBUS handler's table watching the mapping
};

} // namespace ardenvo
