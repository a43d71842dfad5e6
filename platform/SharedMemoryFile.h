#pragma once

#include <cstddef>
#include <string>

namespace ardenvo {

// A named block of memory several processes share: a file of fixed size in the runtime directory,
// mapped MAP_SHARED. Callers serialize access themselves (see NamedLock).
class SharedMemoryFile {
public:
    enum class Mode { OpenExisting, OpenOrCreate };

    SharedMemoryFile() = default;
    ~SharedMemoryFile();
    SharedMemoryFile(const SharedMemoryFile&) = delete;
    SharedMemoryFile& operator=(const SharedMemoryFile&) = delete;

    // Maps `size` bytes of the named file. OpenOrCreate creates the file or extends a shorter one
    // with zero bytes (then *created is true); OpenExisting fails on a missing or short file.
    bool open(const std::string& name, std::size_t size, Mode mode, bool* created = nullptr);
    void close();

    bool isOpen() const { return m_data != nullptr; }
    unsigned char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
};

} // namespace ardenvo
