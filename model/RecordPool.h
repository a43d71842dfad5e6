#pragma once

#include <cstddef>
#include <type_traits>

namespace ardenvo {

// Memory for the model's small records: objects, field lists, fields, reminders and the arrays of
// their lists. A house holds millions of them, and the general heap spends more time on them than
// reading the file does. Blocks are cut one after the other from large slabs, so the records of
// one object lie side by side, and a freed block is kept for the next record of its size (each
// thread keeps its own; a surplus goes to a store every thread can take from). Slabs are never
// given back: the next house reuses them. Blocks above kMaxRecordBytes come from the general heap.
// Sanitizer builds use the general heap throughout, so that it still sees every use after free.
inline constexpr std::size_t kMaxRecordBytes = 512;
// Blocks start on this boundary, which is all the model's records need.
inline constexpr std::size_t kRecordAlignment = 8;

void* allocateRecord(std::size_t bytes);
// `bytes` must be the size given to allocateRecord.
void freeRecord(void* block, std::size_t bytes) noexcept;

// The record memory as a standard allocator, for the model's lists.
template <class T> struct RecordAllocator {
    using value_type = T;

    RecordAllocator() noexcept = default;
    template <class U> RecordAllocator(const RecordAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        static_assert(alignof(T) <= kRecordAlignment,
                      "list elements may need no stricter alignment than the record memory's");
        return static_cast<T*>(allocateRecord(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { freeRecord(p, n * sizeof(T)); }

    template <class U> bool operator==(const RecordAllocator<U>&) const noexcept { return true; }
};

// Empties a list of records last first. The record memory hands out the block freed last first, so
// a house freed in the reverse of the order it was read gives the next house read its blocks in the
// order they lay: each object's records side by side, one object after the other.
template <class List> void freeLastFirst(List& list) noexcept {
    while (!list.empty())
        list.pop_back();
}

// A base that places a model class in the record memory; it adds no bytes to the class, which
// names itself: `class CField final : public RecordMemory<CField>`.
template <class Record> struct RecordMemory {
    static void* operator new(std::size_t bytes) {
        // Blocks are freed by the size of the class deleted: a derived class would free a block of
        // the wrong size.
        static_assert(std::is_final_v<Record>, "a record class must be final");
        static_assert(alignof(Record) <= kRecordAlignment,
                      "a record class may need no stricter alignment than the record memory's");
        static_assert(std::is_base_of_v<RecordMemory, Record>, "RecordMemory names its own class");
        return allocateRecord(bytes);
    }
    static void operator delete(void* block, std::size_t bytes) noexcept {
        freeRecord(block, bytes);
    }
};

} // namespace ardenvo
