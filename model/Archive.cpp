#include "model/Archive.h"

#include "model/TextEncoding.h"

#include <algorithm>

namespace ardenvo {

namespace {

constexpr std::uint8_t kByteEscape = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kWordEscape = 0xFFFF;
constexpr std::uint32_t kDWordEscape = 0xFFFFFFFF;

std::uint16_t unitAt(const char* data, std::size_t i) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[2 * i]) |
                                      (static_cast<unsigned char>(data[2 * i + 1]) << 8));
}

} // namespace

namespace {
// Small first: field files and small houses stay small; large houses soon write in big chunks.
constexpr std::size_t kFirstChunkBytes = 4096;
} // namespace

ArchiveWriter::ArchiveWriter(std::string& out) : m_out(&out) {
    startChunk(kFirstChunkBytes);
}

ArchiveWriter::ArchiveWriter(const Sink& sink) : m_sink(&sink) {
    startChunk(kPieceBytes);
}

ArchiveWriter::~ArchiveWriter() {
    // A sink may throw; only the string form completes itself here.
    if (m_out)
        finish();
}

void ArchiveWriter::startChunk(std::size_t capacity) {
    if (capacity != m_capacity || !m_chunk) {
        m_chunk = std::make_unique_for_overwrite<char[]>(capacity);
        m_capacity = capacity;
    }
    m_begin = m_pos = m_chunk.get();
    m_end = m_begin + capacity;
}

void ArchiveWriter::nextChunk() {
    const auto used = static_cast<std::size_t>(m_pos - m_begin);
    if (m_sink) {
        if (used != 0 && !(*m_sink)(std::string_view(m_begin, used)))
            throw ArchiveSinkFailed();
        m_pos = m_begin;
        return;
    }
    if (used != 0)
        m_full.push_back({std::move(m_chunk), used});
    startChunk(std::min(2 * m_capacity, kPieceBytes));
}

void ArchiveWriter::putSpanningChunks(const char* data, std::size_t n) {
    while (n > room()) {
        const std::size_t part = room();
        if (part != 0)
            std::memcpy(m_pos, data, part);
        m_pos += part;
        data += part;
        n -= part;
        nextChunk();
    }
    if (n != 0)
        std::memcpy(m_pos, data, n);
    m_pos += n;
}

void ArchiveWriter::writeLongText(std::string_view text) {
    const std::size_t n = text.size();
    if (n < kByteEscape) {
        const auto prefix = static_cast<std::uint8_t>(n);
        put(&prefix, 1);
    } else if (n < kWideMarker) {
        const std::uint8_t prefix[3] = {kByteEscape, static_cast<std::uint8_t>(n & 0xFF),
                                        static_cast<std::uint8_t>(n >> 8)};
        put(prefix, 3);
    } else {
        // Texts of 4 GiB and more cannot be described by the format; model texts never get there.
        const std::uint8_t prefix[3] = {kByteEscape, 0xFF, 0xFF};
        put(prefix, 3);
        writeUInt32(static_cast<std::uint32_t>(n));
    }
    if (n != 0)
        put(text.data(), n);
}

void ArchiveWriter::finish() {
    if (m_sink) {
        nextChunk();
        return;
    }
    std::size_t total = static_cast<std::size_t>(m_pos - m_begin);
    for (const auto& c : m_full)
        total += c.size;
    // One exact allocation and one copy of each chunk: no zero-filling, no regrowth.
    m_out->reserve(m_out->size() + total);
    for (const auto& c : m_full)
        m_out->append(c.data.get(), c.size);
    m_out->append(m_begin, static_cast<std::size_t>(m_pos - m_begin));
    m_full.clear();
    m_pos = m_begin;
}

void ArchiveReader::fail(const char* why) {
    throw ArchiveFormatError(why);
}

std::uint16_t ArchiveReader::readUInt16() {
    need(2);
    const auto v = unitAt(m_pos, 0);
    m_pos += 2;
    return v;
}

double ArchiveReader::readDouble() {
    const std::uint64_t lo = readUInt32();
    const std::uint64_t hi = readUInt32();
    return std::bit_cast<double>(lo | (hi << 32));
}

Rect ArchiveReader::readRect() {
    need(16);
    Rect r;
    r.left = readInt32();
    r.top = readInt32();
    r.right = readInt32();
    r.bottom = readInt32();
    return r;
}

std::size_t ArchiveReader::readLengthPrefix(bool& wide) {
    need(1);
    const auto first = static_cast<std::uint8_t>(*m_pos++);
    if (first < kByteEscape)
        return first;
    const std::uint16_t word = readUInt16();
    if (word == kWideMarker) {
        // The marker announces a wide text once; a second one is no text any writer produced.
        if (wide)
            fail("a text has two wide markers");
        wide = true;
        return readLengthPrefix(wide);
    }
    if (word != kWordEscape)
        return word;
    const std::uint32_t dword = readUInt32();
    if (dword != kDWordEscape)
        return dword;
    // The 64-bit form of other writers of this record: accepted as long as the bytes are there.
    const std::uint64_t lo = readUInt32();
    const std::uint64_t hi = readUInt32();
    const std::uint64_t length = lo | (hi << 32);
    if (length > remaining())
        fail("a text is longer than the file");
    return static_cast<std::size_t>(length);
}

void ArchiveReader::readLongText(std::string& out) {
    bool wide = false;
    const std::size_t length = readLengthPrefix(wide);
    if (!wide) {
        need(length);
        out.assign(m_pos, length);
        m_pos += length;
        return;
    }
    if (length > remaining() / 2)
        fail("a wide text is longer than the file");
    out.clear();
    out.reserve(length);
    appendUtf16LeAsUtf8(m_pos, length, out);
    m_pos += 2 * length;
}

std::string_view ArchiveReader::viewLongText(std::string& scratch) {
    const char* const start = m_pos;
    bool wide = false;
    const std::size_t length = readLengthPrefix(wide);
    if (wide) {
        m_pos = start;
        readLongText(scratch);
        return scratch;
    }
    need(length);
    const std::string_view text(m_pos, length);
    m_pos += length;
    return text;
}

void ArchiveReader::skipLongText() {
    bool wide = false;
    const std::size_t length = readLengthPrefix(wide);
    if (wide && length > remaining() / 2)
        fail("a wide text is longer than the file");
    need(wide ? 2 * length : length);
    m_pos += wide ? 2 * length : length;
}

void appendUtf16LeAsUtf8(const char* data, std::size_t units, std::string& out) {
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t cp = unitAt(data, i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units) {
            const std::uint32_t low = unitAt(data, i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;
        appendUtf8(out, cp);
    }
}

} // namespace ardenvo
