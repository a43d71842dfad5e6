#include "model/Archive.h"

#include <algorithm>

namespace ardenvo {

namespace {

constexpr std::uint8_t kByteEscape = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kWordEscape = 0xFFFF;
constexpr std::uint32_t kDWordEscape = 0xFFFFFFFF;

void appendUtf8(std::uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::uint16_t unitAt(const char* data, std::size_t i) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[2 * i]) |
                                      (static_cast<unsigned char>(data[2 * i + 1]) << 8));
}

} // namespace

void ArchiveWriter::grow(std::size_t n) {
    m_out.resize(std::max({m_used + n, 2 * m_out.size(), std::size_t{4096}}));
}

void ArchiveWriter::writeDouble(double value) {
    writeUInt32(static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(value)));
    writeUInt32(static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(value) >> 32));
}

void ArchiveWriter::writeRect(const Rect& r) {
    writeInt32(r.left);
    writeInt32(r.top);
    writeInt32(r.right);
    writeInt32(r.bottom);
}

void ArchiveWriter::writeText(std::string_view text) {
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
    if (n != 0) // an empty view may carry no pointer at all
        put(text.data(), n);
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

void ArchiveReader::readText(std::string& out) {
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

std::size_t ArchiveReader::readCount(std::size_t minRecordBytes) {
    const std::int32_t count = readInt32();
    if (count < 0)
        fail("a negative count");
    const auto n = static_cast<std::size_t>(count);
    if (minRecordBytes != 0 && n > remaining() / minRecordBytes)
        fail("a count larger than the file can hold");
    return n;
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
        appendUtf8(cp, out);
    }
}

} // namespace ardenvo
