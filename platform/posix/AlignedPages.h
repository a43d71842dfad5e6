#pragma once

#include <cstddef>

namespace ardenvo {

// The span of one huge page of the processor's memory management.
inline constexpr std::size_t kHugePageBytes = 2 * 1024 * 1024;

// Memory straight from the system for large, long-lived blocks: `bytes` rounded up to whole huge
// pages and aligned to them, so that a system set to back all memory with huge pages always can.
// They are not asked for (madvise) where the system leaves that to the program: on a virtual
// machine that hands free memory back to its host, a fresh huge page is most often memory the
// host must find again, 20 to 120 ms each where the 512 small pages it replaces cost about 1 ms.
// Zero-filled; null when the system has no memory to give.
void* allocateAlignedPages(std::size_t bytes) noexcept;
// Gives back what allocateAlignedPages returned for the same `bytes`.
void releaseAlignedPages(void* block, std::size_t bytes) noexcept;

} // namespace ardenvo
