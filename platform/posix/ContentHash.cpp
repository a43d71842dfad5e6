#include "platform/posix/SafeFile.h"

#include <cstring>

namespace ardenvo {

void ContentHash::add(std::string_view bytes) {
    m_length += bytes.size();
    std::size_t at = 0;
    if (m_carried > 0) {
        while (m_carried < 8 && at < bytes.size())
            m_carry[m_carried++] = static_cast<unsigned char>(bytes[at++]);
        if (m_carried < 8)
            return;
        mix(load(m_carry));
        m_carried = 0;
    }
    for (; at + 8 <= bytes.size(); at += 8)
        mix(load(bytes.data() + at));
    while (at < bytes.size())
        m_carry[m_carried++] = static_cast<unsigned char>(bytes[at++]);
}

std::uint64_t ContentHash::value() const {
    ContentHash last = *this;
    if (last.m_carried > 0) {
        std::memset(last.m_carry + last.m_carried, 0, 8 - last.m_carried);
        last.mix(load(last.m_carry));
    }
    last.mix(m_length);
    std::uint64_t h = last.m_state;
    h ^= h >> 31;
    h *= 0x94d049bb133111ebULL;
    h ^= h >> 29;
    return h;
}

std::uint64_t ContentHash::load(const void* p) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, 8);
    return word;
}

void ContentHash::mix(std::uint64_t word) {
    m_state = (m_state ^ word) * 0xbf58476d1ce4e5b9ULL;
    m_state ^= m_state >> 32;
}

} // namespace ardenvo
