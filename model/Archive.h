#pragma once

#include "model/CompactText.h"
#include "model/Geometry.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

// Thrown by ArchiveReader when the bytes end early or hold something no writer produces. Readers
// catch it at their top level and turn it into "Unexpected file format.".
class ArchiveFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Thrown by an ArchiveWriter with a sink when the sink refuses a piece.
class ArchiveSinkFailed : public std::runtime_error {
public:
    ArchiveSinkFailed() : std::runtime_error("the bytes could not be handed on") {}
};

// Packed little-endian records. Texts carry the length prefix of the project and field files: one
// byte below 255, else 0xFF and 16 bits below 0xFFFE, else 0xFF, 0xFFFF and 32 bits.
// Writes go through a raw pointer into an uninitialised chunk, so that each small write is a
// bounds test and a copy; full chunks are kept (string form) or handed to the sink (sink form).
class ArchiveWriter {
public:
    using Sink = std::function<bool(std::string_view)>;

    // Appends to `out`; the bytes are there once finish() ran (the destructor runs it too).
    explicit ArchiveWriter(std::string& out);
    // Hands the bytes to `sink` in pieces of kPieceBytes, the rest at finish(), which the caller
    // must run. Throws ArchiveSinkFailed as soon as the sink refuses a piece.
    explicit ArchiveWriter(const Sink& sink);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    static constexpr std::size_t kPieceBytes = 1024 * 1024;

    void writeInt32(std::int32_t value) { writeUInt32(static_cast<std::uint32_t>(value)); }
    void writeUInt32(std::uint32_t value) {
        if constexpr (std::endian::native == std::endian::big)
            value = __builtin_bswap32(value);
        put(&value, 4);
    }
    void writeDouble(double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        writeUInt32(static_cast<std::uint32_t>(bits));
        writeUInt32(static_cast<std::uint32_t>(bits >> 32));
    }
    void writeRect(const Rect& r) {
        if (room() < 16)
            nextChunk();
        putUnchecked(r.left);
        putUnchecked(r.top);
        putUnchecked(r.right);
        putUnchecked(r.bottom);
    }
    void writeText(std::string_view text) {
        const std::size_t n = text.size();
        // Nearly every text is short: one test covers the prefix and the characters.
        if (n < 0xFF && room() > n) {
            *m_pos++ = static_cast<char>(n);
            if (n != 0) // an empty view may carry no pointer at all
                std::memcpy(m_pos, text.data(), n);
            m_pos += n;
            return;
        }
        writeLongText(text);
    }

    // A model text. A short one is copied as one 16-byte block: a std::string owns at least
    // capacity() + 1 bytes from data(), so with a capacity of 15 or more the block stays inside it.
    void writeText(const std::string& text) {
        const std::size_t n = text.size();
        if (n < 16 && text.capacity() >= 15 && room() >= 17) {
            *m_pos = static_cast<char>(n);
            std::memcpy(m_pos + 1, text.data(), 16);
            m_pos += 1 + n;
            return;
        }
        writeText(std::string_view(text));
    }
    void writeText(const CompactText& text) {
        if (text.isShort() && room() >= 1 + 16) {
            const std::size_t n = text.size();
            *m_pos = static_cast<char>(n);
            std::memcpy(m_pos + 1, text.shortBytes(), 16);
            m_pos += 1 + n;
            return;
        }
        writeText(text.view());
    }

    // Bytes already in the file's form, such as records serialised elsewhere.
    void writeBytes(std::string_view bytes) { put(bytes.data(), bytes.size()); }

    // Completes the output: appends what was collected to the string, or hands the rest to the
    // sink. Writing may go on afterwards.
    void finish();

private:
    std::size_t room() const { return static_cast<std::size_t>(m_end - m_pos); }
    void put(const void* data, std::size_t n) {
        if (room() < n) {
            putSpanningChunks(static_cast<const char*>(data), n);
            return;
        }
        std::memcpy(m_pos, data, n);
        m_pos += n;
    }
    void putUnchecked(std::int32_t value) {
        auto v = static_cast<std::uint32_t>(value);
        if constexpr (std::endian::native == std::endian::big)
            v = __builtin_bswap32(v);
        std::memcpy(m_pos, &v, 4);
        m_pos += 4;
    }
    void putSpanningChunks(const char* data, std::size_t n);
    void writeLongText(std::string_view text);
    // The current chunk is full: keep it or hand it on, and continue in a fresh one.
    void nextChunk();
    void startChunk(std::size_t capacity);

    struct Chunk {
        std::unique_ptr<char[]> data;
        std::size_t size;
    };

    std::string* m_out = nullptr;
    const Sink* m_sink = nullptr;
    std::vector<Chunk> m_full;
    std::unique_ptr<char[]> m_chunk;
    std::size_t m_capacity = 0;
    char* m_begin = nullptr;
    char* m_pos = nullptr;
    char* m_end = nullptr;
};

// Reads the same records from a byte range it does not own. Every read is bounds-checked; counts
// are checked against the bytes left before the caller allocates anything for them.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes)
        : m_begin(bytes.data()), m_pos(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    std::size_t remaining() const { return static_cast<std::size_t>(m_end - m_pos); }
    // How many bytes were read so far.
    std::size_t offset() const { return static_cast<std::size_t>(m_pos - m_begin); }
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
    void readText(std::string& out) {
        // Nearly every text is short and narrow: a one-byte prefix and the characters.
        if (m_pos != m_end) {
            const auto length = static_cast<unsigned char>(*m_pos);
            if (length < 0xFF && length < remaining()) {
                // clear + append: the plain copy; assign() also handles a source inside `out`.
                out.clear();
                out.append(m_pos + 1, length);
                m_pos += 1 + length;
                return;
            }
        }
        readLongText(out);
    }
    void readText(CompactText& out) {
        if (m_pos != m_end) {
            const auto length = static_cast<unsigned char>(*m_pos);
            if (length < 0xFF && length < remaining()) {
                out.assign(m_pos + 1, length);
                m_pos += 1 + length;
                return;
            }
        }
        std::string text;
        readLongText(text);
        out = text;
    }
    std::string readText() {
        std::string s;
        readText(s);
        return s;
    }
    // The text without a copy: a view of the bytes read, or, for a wide text, of its UTF-8 form
    // in `scratch`, valid until `scratch` changes.
    std::string_view viewText(std::string& scratch) {
        if (m_pos != m_end) {
            const auto length = static_cast<unsigned char>(*m_pos);
            if (length < 0xFF && length < remaining()) {
                const std::string_view text(m_pos + 1, length);
                m_pos += 1 + length;
                return text;
            }
        }
        return viewLongText(scratch);
    }
    // Passes over `count` texts one after the other, as skipText does.
    void skipTexts(std::size_t count) {
        for (const char* p = m_pos; count != 0; --count, p = m_pos) {
            if (p != m_end) {
                const auto length = static_cast<unsigned char>(*p);
                if (length < 0xFF && length < static_cast<std::size_t>(m_end - p)) {
                    m_pos = p + 1 + length;
                    continue;
                }
            }
            skipLongText();
        }
    }
    // Passes over a text, checking it as readText does.
    void skipText() {
        if (m_pos != m_end) {
            const auto length = static_cast<unsigned char>(*m_pos);
            if (length < 0xFF && length < remaining()) {
                m_pos += 1 + length;
                return;
            }
        }
        skipLongText();
    }

    // A count of records that each take at least `minRecordBytes` in the file: negative counts
    // and counts the remaining bytes cannot hold are refused before anything is allocated.
    std::size_t readCount(std::size_t minRecordBytes) {
        const std::int32_t count = readInt32();
        if (count < 0)
            fail("a negative count");
        const auto n = static_cast<std::size_t>(count);
        if (minRecordBytes != 0 && n > remaining() / minRecordBytes)
            fail("a count larger than the file can hold");
        return n;
    }

    [[noreturn]] static void fail(const char* why);

    // What the records read may take in memory; each reader charges its records' cost before it
    // builds them, and a file that would take more is refused like a damaged one.
    void setMemoryBudget(std::size_t bytes) { m_budget = bytes; }
    void chargeMemory(std::size_t count, std::size_t bytesEach) {
        if (bytesEach != 0 && count > m_budget / bytesEach)
            fail("the house would take too much memory");
        m_budget -= count * bytesEach;
    }

private:
    void need(std::size_t n) const {
        if (n > remaining())
            fail("the file ends early");
    }
    std::size_t readLengthPrefix(bool& wide);
    void readLongText(std::string& out);
    std::string_view viewLongText(std::string& scratch);
    void skipLongText();

    const char* m_begin;
    const char* m_pos;
    const char* m_end;
    std::size_t m_budget = static_cast<std::size_t>(-1);
};

// UTF-16LE code units to UTF-8; unpaired surrogates become U+FFFD.
void appendUtf16LeAsUtf8(const char* data, std::size_t units, std::string& out);

} // namespace ardenvo
