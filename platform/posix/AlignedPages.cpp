#include "platform/posix/AlignedPages.h"

#include <cstdint>
#include <sys/mman.h>

namespace ardenvo {

namespace {

std::size_t wholePages(std::size_t bytes) {
    return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
}

} // namespace

void* allocateAlignedPages(std::size_t bytes) noexcept {
    if (bytes == 0 || bytes > SIZE_MAX - 2 * kHugePageBytes)
        return nullptr;
    const std::size_t length = wholePages(bytes);
    // The system aligns a mapping only to its small pages: map one huge page more and cut the
    // ends off. Only address space is spent; nothing is touched.
    const std::size_t mapped = length + kHugePageBytes;
    void* const start =
        ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED)
        return nullptr;
    auto* const first = static_cast<char*>(start);
    const auto address = reinterpret_cast<std::uintptr_t>(first);
    char* const aligned = first + (kHugePageBytes - address % kHugePageBytes) % kHugePageBytes;
    if (aligned != first)
        ::munmap(first, static_cast<std::size_t>(aligned - first));
    if (char* const end = aligned + length; end != first + mapped)
        ::munmap(end, static_cast<std::size_t>(first + mapped - end));
    // Such a block is filled from its start, so its pages are all wanted: one call maps them,
    // where touching them maps one page a fault. Older systems refuse; they fault as before.
    ::madvise(aligned, length, MADV_POPULATE_WRITE);
    return aligned;
}

void releaseAlignedPages(void* block, std::size_t bytes) noexcept {
    if (block)
        ::munmap(block, wholePages(bytes));
}

} // namespace ardenvo
