#include "model/CompactText.h"

#include "model/RecordPool.h"

#include <stdexcept>

namespace ardenvo {

namespace {

// The block a long text of `size` bytes takes: its bytes and the zero, to the pool's grain. The
// capacity is not stored; it follows from the size.
std::size_t blockBytes(std::size_t size) {
    return (size + 1 + kRecordAlignment - 1) / kRecordAlignment * kRecordAlignment;
}

} // namespace

CompactText& CompactText::assignSlow(std::string_view text) {
    const std::size_t size = text.size();
    if (size > kMaxSize)
        throw std::length_error("text too long");
    if (size <= kShortMax) {
        // memmove: the text may lie in this one's own bytes or block.
        char copy[kShortMax];
        if (size != 0)
            std::memcpy(copy, text.data(), size);
        release();
        if (size != 0)
            std::memcpy(m_bytes, copy, size);
        setShortSize(size);
        return *this;
    }
    char* block = nullptr;
    if (!isShort() && blockBytes(this->size()) == blockBytes(size)) {
        block = longData();
        std::memmove(block, text.data(), size);
    } else {
        block = static_cast<char*>(allocateRecord(blockBytes(size)));
        std::memcpy(block, text.data(), size);
        release();
    }
    block[size] = '\0';
    const auto size32 = static_cast<std::uint32_t>(size);
    std::memcpy(m_bytes, &block, sizeof block);
    std::memcpy(m_bytes + sizeof block, &size32, sizeof size32);
    m_bytes[15] = static_cast<char>(kLongTag);
    return *this;
}

void CompactText::release() noexcept {
    if (!isShort())
        freeRecord(longData(), blockBytes(size()));
}

} // namespace ardenvo
