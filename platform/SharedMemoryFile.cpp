#include "platform/SharedMemoryFile.h"

#include "platform/RuntimeDirectory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardenvo {

SharedMemoryFile::~SharedMemoryFile() {
    close();
}

bool SharedMemoryFile::open(const std::string& name, std::size_t size, Mode mode, bool* created) {
    close();
    if (created)
        *created = false;
    if (size == 0)
        return false;
    const int fd =
        RuntimeDirectory::openFile(name, O_RDWR | (mode == Mode::OpenOrCreate ? O_CREAT : 0));
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    if (ok && static_cast<std::size_t>(st.st_size) < size) {
        // Touching a page past the end of the file would kill the process, so a short file is
        // either grown (with zeros) or refused.
        ok = mode == Mode::OpenOrCreate && ::ftruncate(fd, static_cast<off_t>(size)) == 0;
        if (ok && created)
            *created = true;
    }
    if (ok) {
        void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (p != MAP_FAILED) {
            m_data = static_cast<unsigned char*>(p);
            m_size = size;
        }
    }
    ::close(fd); // the mapping keeps the file
    return m_data != nullptr;
}

void SharedMemoryFile::close() {
    if (m_data)
        ::munmap(m_data, m_size);
    m_data = nullptr;
    m_size = 0;
}

} // namespace ardenvo
