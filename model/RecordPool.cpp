#include "model/RecordPool.h"

#include "platform/posix/AlignedPages.h"

#include <atomic>
#include <mutex>
#include <new>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define ARDENVO_RECORDS_ON_GENERAL_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ARDENVO_RECORDS_ON_GENERAL_HEAP 1
#endif
#endif

namespace ardenvo {

#ifdef ARDENVO_RECORDS_ON_GENERAL_HEAP

void* allocateRecord(std::size_t bytes) {
    return ::operator new(bytes);
}

void freeRecord(void* block, std::size_t) noexcept {
    // Unsized: clang declares the sized form only with -fsized-deallocation.
    ::operator delete(block);
}

#else

namespace {

constexpr std::size_t kGrain = kRecordAlignment;
constexpr std::size_t kSizes = kMaxRecordBytes / kGrain + 1;
// One huge page, on its boundary, straight from the system (a house of 200 000 objects fills about
// ninety): where the system backs memory with huge pages, a slab is one page fault, not 512.
constexpr std::size_t kSlabBytes = kHugePageBytes;
// A thread that frees this many blocks of one size without reusing them hands them to the store,
// so that a house freed on one thread feeds the records of a house read on another.
constexpr std::size_t kSurplusBlocks = 4096;

struct FreeBlock {
    FreeBlock* next;
};
// A free block holds the link to the next one, and every block cut from a slab starts on the
// record boundary.
static_assert(sizeof(FreeBlock) <= kGrain && alignof(FreeBlock) <= kGrain);
static_assert(kRecordAlignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__ && kSlabBytes % kGrain == 0 &&
              kMaxRecordBytes % kGrain == 0);

struct Chain {
    FreeBlock* head;
    std::size_t count;
};

// What ended threads and threads with a surplus left behind. Never destroyed: records of static
// objects may be freed after every other static is gone.
struct Store {
    std::mutex mutex;
    std::vector<Chain> chains[kSizes];
    std::atomic<std::size_t> chainCount[kSizes] = {};
    std::vector<std::pair<char*, char*>> spareRegions; // unused ends of ended threads' slabs
};

Store& store() {
    static Store* const s = new Store;
    return *s;
}

// Plain data, so that reaching it costs no initialisation test.
struct ThreadCache {
    FreeBlock* free[kSizes];
    std::size_t count[kSizes];
    char* bump;
    char* bumpEnd;
    bool farewellArmed;
};

static_assert(std::is_trivial_v<ThreadCache>);

thread_local ThreadCache t_cache;

// Hands the ending thread's free blocks and the rest of its slab to the store.
struct Farewell {
    bool armed = false;
    ~Farewell() {
        ThreadCache& c = t_cache;
        Store& s = store();
        std::lock_guard lock(s.mutex);
        for (std::size_t k = 1; k < kSizes; ++k) {
            if (c.free[k]) {
                s.chains[k].push_back({c.free[k], c.count[k]});
                s.chainCount[k].store(s.chains[k].size(), std::memory_order_relaxed);
            }
            c.free[k] = nullptr;
            c.count[k] = 0;
        }
        if (c.bumpEnd - c.bump >= static_cast<std::ptrdiff_t>(kMaxRecordBytes))
            s.spareRegions.emplace_back(c.bump, c.bumpEnd);
        c.bump = c.bumpEnd = nullptr;
    }
};

thread_local Farewell t_farewell;

std::size_t sizeIndex(std::size_t bytes) {
    const std::size_t k = (bytes + kGrain - 1) / kGrain;
    return k == 0 ? 1 : k;
}

void takeNewRegion(ThreadCache& c) {
    Store& s = store();
    {
        std::lock_guard lock(s.mutex);
        if (!s.spareRegions.empty()) {
            std::tie(c.bump, c.bumpEnd) = s.spareRegions.back();
            s.spareRegions.pop_back();
            return;
        }
    }
    // What was left of the old slab is too small for this block; it is not worth keeping.
    c.bump = static_cast<char*>(allocateAlignedPages(kSlabBytes));
    if (!c.bump) // no mapping to be had: the general heap may still find the memory, or throw
        c.bump = static_cast<char*>(::operator new(kSlabBytes));
    c.bumpEnd = c.bump + kSlabBytes;
}

[[gnu::noinline]] void* allocateFresh(ThreadCache& c, std::size_t k) {
    if (!c.farewellArmed) {
        c.farewellArmed = true;
        t_farewell.armed = true;
    }
    Store& s = store();
    if (s.chainCount[k].load(std::memory_order_relaxed) != 0) {
        std::lock_guard lock(s.mutex);
        auto& chains = s.chains[k];
        if (!chains.empty()) {
            const Chain chain = chains.back();
            chains.pop_back();
            s.chainCount[k].store(chains.size(), std::memory_order_relaxed);
            c.free[k] = chain.head->next;
            c.count[k] = chain.count - 1;
            return chain.head;
        }
    }
    const std::size_t bytes = k * kGrain;
    if (static_cast<std::size_t>(c.bumpEnd - c.bump) < bytes)
        takeNewRegion(c);
    void* block = c.bump;
    c.bump += bytes;
    return block;
}

[[gnu::noinline]] void giveSurplus(ThreadCache& c, std::size_t k) {
    Store& s = store();
    std::lock_guard lock(s.mutex);
    s.chains[k].push_back({c.free[k], c.count[k]});
    s.chainCount[k].store(s.chains[k].size(), std::memory_order_relaxed);
    c.free[k] = nullptr;
    c.count[k] = 0;
}

} // namespace

void* allocateRecord(std::size_t bytes) {
    if (bytes > kMaxRecordBytes)
        return ::operator new(bytes);
    const std::size_t k = sizeIndex(bytes);
    ThreadCache& c = t_cache;
    if (FreeBlock* block = c.free[k]) {
        // The next free block may lie anywhere; asking for it now saves the next record of this
        // size from waiting on memory.
        c.free[k] = block->next;
        __builtin_prefetch(block->next, 1);
        --c.count[k];
        return block;
    }
    return allocateFresh(c, k);
}

void freeRecord(void* block, std::size_t bytes) noexcept {
    if (!block)
        return;
    if (bytes > kMaxRecordBytes) {
        ::operator delete(block);
        return;
    }
    const std::size_t k = sizeIndex(bytes);
    ThreadCache& c = t_cache;
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = c.free[k];
    c.free[k] = freed;
    if (++c.count[k] >= kSurplusBlocks)
        giveSurplus(c, k);
}

#endif

} // namespace ardenvo
