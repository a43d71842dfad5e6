#pragma once

#include "model/Geometry.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ardenvo {

// Thrown by ArchiveReader when the bytes end early or hold something no writer produces. Readers
// catch it at their top level and turn it into "Unexpected file format.".
class ArchiveFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Packed little-endian records appended to a buffer. Texts carry the length prefix of the project
// and field files: one byte below 255, else 0xFF and 16 bits below 0xFFFE, else 0xFF, 0xFFFF and
// 32 bits. The buffer is kept sized to its capacity while writing, so that each small write is a
// bounds test and a copy; finish() (or the destructor) trims it to what was written.
class ArchiveWriter {
public:
    explicit ArchiveWriter(std::string& out) : m_out(out), m_used(out.size()) {}
    ~ArchiveWriter() { finish(); }
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void writeInt32(std::int32_t value) { writeUInt32(static_cast<std::uint32_t>(value)); }
    void writeUInt32(std::uint32_t value) {
        if constexpr (std::endian::native == std::endian::big)
            value = __builtin_bswap32(value);
        put(&value, 4);
    }
    void writeDouble(double value);
    void writeRect(const Rect& r);
    void writeText(std::string_view text);

    // What has been written since the buffer was last emptied.
    std::string_view written() const { return {m_out.data(), m_used}; }
    void clear() { m_used = 0; }
    void finish() { m_out.resize(m_used); }

private:
    void put(const void* data, std::size_t n) {
        if (m_out.size() - m_used < n)
            grow(n);
        std::memcpy(m_out.data() + m_used, data, n);
        m_used += n;
    }
    void grow(std::size_t n);

    std::string& m_out;
    std::size_t m_used;
};

// Reads the same records from a byte range it does not own. Every read is bounds-checked; counts
// are checked against the bytes left before the caller allocates anything for them.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes)
        : m_pos(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    std::size_t remaining() const { return static_cast<std::size_t>(m_end - m_pos); }
    bool atEnd() const { return m_pos == m_end; }

    std::uint32_t readUInt32() {
        need(4);
        std::uint32_t v;
        std::memcpy(&v, m_pos, 4);
        m_pos += 4;
        if constexpr (std::endian::native == std::endian::big)
            v = __builtin_bswap32(v);
        return v;
    }
    std::int32_t readInt32() { return static_cast<std::int32_t>(readUInt32()); }
    std::uint16_t readUInt16();
    double readDouble();
    Rect readRect();
    // Narrow texts are taken as they stand; the wide form (UTF-16LE) is converted to UTF-8.
    void readText(std::string& out);
    std::string readText() {
        std::string s;
        readText(s);
        return s;
    }

    // A count of records that each take at least `minRecordBytes` in the file: negative counts
    // and counts the remaining bytes cannot hold are refused before anything is allocated.
    std::size_t readCount(std::size_t minRecordBytes);

    [[noreturn]] static void fail(const char* why);

private:
    void need(std::size_t n) const {
        if (n > remaining())
            fail("the file ends early");
    }
    std::size_t readLengthPrefix(bool& wide);

    const char* m_pos;
    const char* m_end;
};

// UTF-16LE code units to UTF-8; unpaired surrogates become U+FFFD.
void appendUtf16LeAsUtf8(const char* data, std::size_t units, std::string& out);

} // namespace ardenvo
