#include "platform/posix/MappedFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardenvo {

namespace {

// The mappings the SIGBUS handler answers for. A handler may read only lock-free atomics; a
// mapping that finds no free slot is left unwatched (and mapped only if that cannot be helped).
struct Guard {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> cutShort{false};
};
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free);

constexpr int kGuards = 16;
Guard g_guards[kGuards];
std::mutex g_guardsMutex; // taken only to claim and free slots, never in the handler
struct sigaction g_previous;
std::uintptr_t g_pageBytes = 4096; // learnt before the handler is installed

void onBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Guard& guard : g_guards) {
        const std::uintptr_t begin = guard.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = guard.end.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= end)
            continue;
        // The file ends before this page: zeros from here to the mapping's end, and the read goes
        // on to an end the caller then rejects. mmap is a plain system call, safe here.
        const std::uintptr_t from = address / g_pageBytes * g_pageBytes;
        ::mmap(reinterpret_cast<void*>(from), end - from, PROT_READ,
               MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        guard.cutShort.store(true, std::memory_order_relaxed);
        return;
    }
    // Not ours: what would have happened without this handler.
    if (g_previous.sa_flags & SA_SIGINFO) {
        g_previous.sa_sigaction(signal, info, context);
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
    } else {
        // The faulting access runs again on return and now ends the program as it would have.
        ::signal(SIGBUS, SIG_DFL);
    }
}

void installHandler() {
    if (const long page = ::sysconf(_SC_PAGESIZE); page > 0)
        g_pageBytes = static_cast<std::uintptr_t>(page);
    struct sigaction action = {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &g_previous);
}

int claimGuard(const char* data, std::size_t size) {
    static std::once_flag installed;
    std::call_once(installed, installHandler);
    std::lock_guard lock(g_guardsMutex);
    for (int i = 0; i < kGuards; ++i) {
        Guard& guard = g_guards[i];
        if (guard.begin.load(std::memory_order_relaxed) != 0)
            continue;
        guard.cutShort.store(false, std::memory_order_relaxed);
        guard.end.store(reinterpret_cast<std::uintptr_t>(data) + size, std::memory_order_release);
        guard.begin.store(reinterpret_cast<std::uintptr_t>(data), std::memory_order_release);
        return i;
    }
    return -1;
}

void freeGuard(int slot) {
    std::lock_guard lock(g_guardsMutex);
    g_guards[slot].begin.store(0, std::memory_order_release);
    g_guards[slot].end.store(0, std::memory_order_release);
}

} // namespace

MappedFile::~MappedFile() {
    close();
}

void MappedFile::close() noexcept {
    if (m_data) {
        ::munmap(const_cast<char*>(m_data), m_size);
        if (m_guard >= 0)
            freeGuard(m_guard);
    }
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_data = nullptr;
    m_size = 0;
    m_released = 0;
    m_guard = -1;
}

bool MappedFile::open(const std::string& path, std::uint64_t maxBytes, int* systemError) {
    close();
    const auto fail = [&](int error) {
        close();
        if (systemError)
            *systemError = error;
        return false;
    };
    // Not blocking: a pipe or a device put at the name would otherwise wait for a writer.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        return fail(errno);
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        return fail(errno);
    if (!S_ISREG(st.st_mode))
        return fail(EINVAL);
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size > maxBytes || size > SIZE_MAX)
        return fail(EFBIG);
    if (size == 0)
        return true;
    void* const data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, m_fd, 0);
    if (data == MAP_FAILED)
        return fail(errno);
    m_data = static_cast<const char*>(data);
    m_size = static_cast<std::size_t>(size);
    m_guard = claimGuard(m_data, m_size);
    if (m_guard < 0) // sixteen files mapped at once: refused rather than read unwatched
        return fail(EMFILE);
    // Read once from start to end: the kernel reads ahead and drops the pages behind first.
    ::madvise(data, m_size, MADV_SEQUENTIAL);
    return true;
}

void MappedFile::release(std::size_t offset) noexcept {
    static const auto kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t end = std::min(offset, m_size) / kPage * kPage;
    if (!m_data || end <= m_released)
        return;
    // The mapping is private and never written: dropping its pages loses nothing.
    ::madvise(const_cast<char*>(m_data) + m_released, end - m_released, MADV_DONTNEED);
    m_released = end;
}

bool MappedFile::intact() const {
    if (m_fd < 0)
        return false;
    if (m_guard >= 0 && g_guards[m_guard].cutShort.load(std::memory_order_relaxed))
        return false;
    struct stat st;
    return ::fstat(m_fd, &st) == 0 && static_cast<std::uint64_t>(st.st_size) == m_size;
}

} // namespace ardenvo
