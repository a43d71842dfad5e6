#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace ardenvo {

// A text in 16 bytes, half a std::string: a house has seven attribute fields per object, three
// texts each, and nearly all of them are short. Up to 15 bytes are held in the object itself;
// longer texts live in the record memory, sized to fit. Always terminated by a zero byte.
//
// Byte 15 tells the two forms apart: for a short text it holds 15 minus the length (so a text of
// 15 bytes ends with the zero there), for a long one kLongTag.
class CompactText {
public:
    static constexpr std::size_t kShortMax = 15;
    // Lengths are kept in 32 bits, like the file's longest length prefix.
    static constexpr std::size_t kMaxSize = 0xFFFFFFFEu;

    CompactText() noexcept { setShortSize(0); }
    CompactText(std::string_view text) { initFrom(text); }
    CompactText(const std::string& text) { initFrom(text); }
    CompactText(const char* text) { initFrom(text); }
    CompactText(const CompactText& other) { initFrom(other.view()); }
    CompactText(CompactText&& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.setShortSize(0);
    }
    ~CompactText() { release(); }

    CompactText& operator=(const CompactText& other) { return assign(other.view()); }
    CompactText& operator=(CompactText&& other) noexcept {
        if (this != &other) {
            release();
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
            other.setShortSize(0);
        }
        return *this;
    }
    CompactText& operator=(std::string_view text) { return assign(text); }
    CompactText& operator=(const std::string& text) { return assign(text); }
    CompactText& operator=(const char* text) { return assign(text); }

    // Replaces the text; `text` may point into this one.
    CompactText& assign(std::string_view text) {
        const std::size_t size = text.size();
        if (size > kShortMax || !isShort())
            return assignSlow(text);
        if (size != 0) // an empty view may carry no pointer at all
            std::memmove(m_bytes, text.data(), size);
        setShortSize(size);
        return *this;
    }
    CompactText& assign(const char* data, std::size_t size) {
        return assign(std::string_view(data, size));
    }
    void clear() noexcept {
        release();
        setShortSize(0);
    }

    bool isShort() const noexcept { return tag() != kLongTag; }
    std::size_t size() const noexcept {
        if (isShort())
            return kShortMax - tag();
        std::uint32_t size;
        std::memcpy(&size, m_bytes + sizeof(char*), sizeof size);
        return size;
    }
    bool empty() const noexcept { return size() == 0; }
    const char* data() const noexcept { return isShort() ? m_bytes : longData(); }
    const char* c_str() const noexcept { return data(); }
    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); }
    std::string str() const { return std::string(view()); }

    // The 16 bytes of a short text, for writers that copy it whole.
    const char* shortBytes() const noexcept { return m_bytes; }

    friend bool operator==(const CompactText& a, const CompactText& b) noexcept {
        return a.view() == b.view();
    }
    friend bool operator==(const CompactText& a, std::string_view b) noexcept {
        return a.view() == b;
    }
    friend bool operator==(const CompactText& a, const std::string& b) noexcept {
        return a.view() == std::string_view(b);
    }
    friend bool operator==(const CompactText& a, const char* b) noexcept {
        return a.view() == std::string_view(b);
    }
    friend bool operator<(const CompactText& a, const CompactText& b) noexcept {
        return a.view() < b.view();
    }

private:
    static constexpr unsigned char kLongTag = 0xFF;

    unsigned char tag() const noexcept { return static_cast<unsigned char>(m_bytes[15]); }
    void setShortSize(std::size_t size) noexcept {
        m_bytes[size] = '\0';
        m_bytes[15] = static_cast<char>(kShortMax - size);
    }
    char* longData() const noexcept {
        char* p;
        std::memcpy(&p, m_bytes, sizeof p);
        return p;
    }
    void initFrom(std::string_view text) {
        setShortSize(0);
        assign(text);
    }
    CompactText& assignSlow(std::string_view text);
    void release() noexcept;

    alignas(8) char m_bytes[16];
};

} // namespace ardenvo
