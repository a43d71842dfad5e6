#include "search/engine/ReportWriter.h"

#include "model/CBlock.h"
#include "model/CFieldList.h"
#include "model/CHouseObject.h"
#include "model/CSection.h"
#include "model/TextEncoding.h"
#include "platform/posix/SafeFile.h"
#include "search/engine/NumberText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace ardenvo {
namespace {

constexpr const char* kTableHead =
    "<table width='0%' border=1>\r\n"
    "    <tr bgColor=#eeeeee>\r\n"
    "    <td rowspan=2><strong>Object name</strong></td>\r\n"
    "    <td rowspan=2><strong>Section</strong></td>\r\n"
    "    <td rowspan=2><strong>Room name</strong></td>\r\n"
    "    <td rowspan=2><strong>Location</strong></td>\r\n"
    "    <td rowspan=2><strong>Notes</strong></td>\r\n"
    "    <td colspan=3><strong><center>Custom field</center></strong></td>\r\n"
    "  </tr>\r\n"
    "  <tr bgColor=#eeeeee>\r\n"
    "    <td><strong>Category</strong></td>\r\n"
    "    <td><strong>Name</strong></td>\r\n"
    "    <td><strong>Details</strong></td>\r\n"
    "  </tr>";

constexpr const char* kNoBlock = "<p>In order for the tobrin to find what you want you must tell "
                                 "him where to look \t\t(select at least one room/hall)</p>";
constexpr const char* kNothingFound = "<p>No objects found</p>";

// Which bytes need more than a copy: the markup characters, which become references, control
// characters, which are shown as their bytes, and every byte of a multi-byte character, whose text
// decides how it reads.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> special{};
    for (unsigned char c : {'&', '<', '>', '"', '\''})
        special[c] = true;
    for (int c = 0; c < 0x20; ++c)
        special[static_cast<std::size_t>(c)] = c != '\t' && c != '\n' && c != '\r';
    for (int c = 0x7F; c < 0x100; ++c)
        special[static_cast<std::size_t>(c)] = true;
    return special;
}();

// The reference of a markup character.
std::string_view referenceOf(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return "&#39;";
    }
}

// The most bytes escaping one byte of a text can give: an undefined Windows-1252 byte reads as a
// C1 control, shown as the eight characters "\xc2\x81".
constexpr std::size_t kMaxEscapedGrowth = 8;

char* writeUtf8(char* into, char32_t cp) {
    if (cp < 0x80) {
        *into++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *into++ = static_cast<char>(0xC0 | (cp >> 6));
        *into++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Windows-1252 reaches no further than U+2122.
        *into++ = static_cast<char>(0xE0 | (cp >> 12));
        *into++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *into++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return into;
}

// A C1 control (U+0080 to U+009F) as UTF-8: shown as its two bytes, as the tool's listings do.
char* writeC1Escape(char* into, char32_t cp) {
    into = writeByteEscape(into, 0xC2);
    return writeByteEscape(into, static_cast<unsigned char>(cp));
}

// Writes the text at `into`, which has room for kMaxEscapedGrowth times its size, and returns the
// end. The text is read as the house's texts are everywhere (UTF-8 when it is valid UTF-8, else
// Windows-1252) and written as UTF-8 with markup characters as references and control characters
// shown as their bytes ("\x1b"), so the report is valid in any case. Runs of plain bytes are copied
// whole: reports can run to many megabytes.
// `utf8` says whether the text is valid UTF-8 when the caller knows (1 or 0), else -1. Without
// `references` markup characters are copied as they are: the text as a reader of the page sees it.
char* writeEscaped(char* into, std::string_view text, int utf8 = -1, bool references = true) {
    const char* run = text.data();
    const char* const end = run + text.size();
    for (const char* p = run; p < end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (!kSpecial[c])
            continue;
        if (c >= 0x80) {
            if (utf8 < 0)
                utf8 = isValidUtf8(text) ? 1 : 0;
            if (utf8 == 1 && !(c == 0xC2 && static_cast<unsigned char>(p[1]) < 0xA0))
                continue; // a character of valid UTF-8, copied with its run
        } else if (!references && c >= 0x20 && c != 0x7F) {
            continue;
        }
        std::memcpy(into, run, static_cast<std::size_t>(p - run));
        into += p - run;
        run = p + 1;
        if (c >= 0x80) {
            if (utf8 == 1) {
                // U+0080 to U+009F in valid UTF-8: the C2 lead byte and its continuation.
                into = writeC1Escape(into, static_cast<unsigned char>(*++p));
                run = p + 1;
            } else {
                const char32_t cp = windows1252CodePoint(c);
                into = cp < 0xA0 ? writeC1Escape(into, cp) : writeUtf8(into, cp);
            }
        } else if (c < 0x20 || c == 0x7F) {
            into = writeByteEscape(into, c);
        } else {
            const std::string_view reference = referenceOf(*p);
            std::memcpy(into, reference.data(), reference.size());
            into += reference.size();
        }
    }
    std::memcpy(into, run, static_cast<std::size_t>(end - run));
    return into + (end - run);
}

char* writeText(char* into, std::string_view text) {
    std::memcpy(into, text.data(), text.size());
    return into + text.size();
}

// Texts longer than this are escaped a slice at a time, so that the room for their longest form is
// never asked for at once.
constexpr std::size_t kSliceBytes = 1 << 16;

// Calls `write(slice, utf8)` for consecutive slices of the text, none cutting a character.
template <typename Write> void forEachSlice(std::string_view text, Write write) {
    const int utf8 = isValidUtf8(text) ? 1 : 0;
    while (!text.empty()) {
        std::size_t cut = std::min(text.size(), kSliceBytes);
        // A continuation byte begins no character; C2 and the byte after it are shown together.
        while (utf8 && cut < text.size() && cut > 0 &&
               (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        write(text.substr(0, cut), utf8);
        text.remove_prefix(cut);
    }
}

void appendEscaped(std::string& out, std::string_view text) {
    forEachSlice(text, [&out](std::string_view slice, int utf8) {
        const std::size_t size = out.size();
        out.resize(size + slice.size() * kMaxEscapedGrowth);
        out.resize(
            static_cast<std::size_t>(writeEscaped(out.data() + size, slice, utf8) - out.data()));
    });
}

void appendQuoted(std::string& out, std::string_view text) {
    out += "<i>'";
    appendEscaped(out, text);
    out += "'</i>";
}

using namespace std::string_view_literals;

// A growing byte buffer that, unlike std::string, does not clear the room it hands out: rows are
// written straight into it and it is cut to what was written.
class ReportBuffer {
public:
    explicit ReportBuffer(std::size_t capacity)
        : m_data(std::make_unique_for_overwrite<char[]>(capacity)), m_capacity(capacity) {}

    // At least `bytes` of room after the content; write there, then commit the end.
    char* room(std::size_t bytes) {
        if (m_size + bytes > m_capacity)
            grow(m_size + bytes);
        return m_data.get() + m_size;
    }
    void commit(const char* end) { m_size = static_cast<std::size_t>(end - m_data.get()); }

    ReportBuffer& operator+=(std::string_view text) {
        commit(writeText(room(text.size()), text));
        return *this;
    }
    std::size_t size() const { return m_size; }
    std::string_view view() const { return {m_data.get(), m_size}; }
    void clear() { m_size = 0; }

private:
    void grow(std::size_t needed) {
        const std::size_t capacity = std::max(needed, m_capacity * 2);
        auto data = std::make_unique_for_overwrite<char[]>(capacity);
        std::memcpy(data.get(), m_data.get(), m_size);
        m_data = std::move(data);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_data;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
};

// What follows each cell of a row.
constexpr std::array<std::string_view, kReportColumns> kCellEnds = {
    "</td>\r\n\t<td>"sv, "</td>\r\n\t<td>"sv, "</td>\r\n\t<td>"sv, "</td>\r\n\t<td>"sv,
    "</td>\r\n\t<td>"sv, "</td>\r\n\t<td>"sv, "</td><td>"sv,       "</td>\r\n</tr>\r\n"sv};

// The pieces of a row in order: `put` takes markup, `escape` a text of the house.
template <typename Put, typename Escape>
void rowPieces(const ReportCells& cells, Put put, Escape escape) {
    put("<tr>\t<td>"sv);
    for (int c = 0; c < kReportColumns; ++c) {
        if (cells.blank[c])
            put("&nbsp;"sv);
        else
            escape(cells.text[c]);
        put(kCellEnds[c]);
    }
}

void appendRow(ReportBuffer& out, const ReportCells& cells) {
    std::size_t texts = 0;
    for (std::string_view text : cells.text)
        texts += text.size();
    if (texts > kSliceBytes) {
        // A row of long texts: escaped a slice at a time rather than given room for its longest
        // form at once.
        rowPieces(
            cells, [&out](std::string_view markup) { out += markup; },
            [&out](std::string_view text) {
                forEachSlice(text, [&out](std::string_view slice, int utf8) {
                    out.commit(
                        writeEscaped(out.room(slice.size() * kMaxEscapedGrowth), slice, utf8));
                });
            });
        return;
    }
    // Room for the markup of a row (under 150 bytes) and the texts escaped at their longest; the
    // buffer is cut to what was written. Writing through a pointer spares a size check per piece.
    char* p = out.room(256 + texts * kMaxEscapedGrowth);
    rowPieces(
        cells, [&p](std::string_view markup) { p = writeText(p, markup); },
        [&p](std::string_view text) { p = writeEscaped(p, text); });
    out.commit(p);
}

// The rows [from, to) of the table into `out`, handed to `flush` (which takes them away) whenever
// it has grown past `chunk` bytes.
template <typename Flush>
void composeRows(const ReportTable& table, std::size_t from, std::size_t to, ReportBuffer& out,
                 std::size_t chunk, Flush flush) {
    const std::vector<SearchRow>& rows = table.searchRows();
    for (std::size_t i = from; i < to; ++i) {
        // The rows' texts lie scattered over the house: ask for them a few rows ahead, first the
        // objects and fields, then the notes those hold a pointer to.
        if (i + 8 < to && i + 8 < rows.size()) {
            const SearchRow& ahead = rows[i + 8];
            __builtin_prefetch(&ahead.object->notes);
            __builtin_prefetch(&ahead.object->name);
            if (ahead.field) {
                __builtin_prefetch(&ahead.category->title);
                __builtin_prefetch(ahead.field);
            }
        }
        if (i + 4 < to && i + 4 < rows.size())
            __builtin_prefetch(rows[i + 4].object->notes.data());
        appendRow(out, table.cells(i));
        if (out.size() >= chunk) {
            flush(out.view());
            out.clear();
        }
    }
}

void appendStatistics(std::string& out, const SearchCriteria& criteria,
                      const ReportStatistic& statistic) {
    const auto paragraph = [&](const char* lead) {
        out += lead;
        appendQuoted(out, criteria.fieldText);
        out += " is ";
        out += formatFixed(*statistic.value);
        out += "</p>";
    };
    switch (statistic.comparison) {
    case Comparison::Sum:
        paragraph("<p>The <b>sum</b> for the custom field containing ");
        break;
    case Comparison::Average:
        if (statistic.value) {
            paragraph("<p>The <b>average</b> value for the custom field containing ");
        } else {
            out += "<p>No object to compute the average value for the custom field containing ";
            appendQuoted(out, criteria.fieldText);
            out += "</p>";
        }
        break;
    case Comparison::Maximum:
        paragraph("<p>The <b>maximum</b> value for the custom field containing ");
        break;
    case Comparison::Minimum:
        paragraph("<p>The <b>minimum</b> value for the custom field containing ");
        break;
    default:
        break;
    }
}

// Builds the report into `out`, handing it to `flush` (which takes it away) whenever it has grown
// past `chunk` bytes, so a report of many megabytes can go to its file without being held whole.
template <typename Flush>
void composeReport(const ReportTable& table, ReportBuffer& out, std::size_t chunk, Flush flush) {
    out += reportHeading(table.criteria());
    switch (table.body()) {
    case ReportTable::Body::NoBlockSearched:
        out += kNoBlock;
        break;
    case ReportTable::Body::NothingFound:
        out += kNothingFound;
        break;
    case ReportTable::Body::Rows:
        out += kTableHead;
        composeRows(table, 0, table.rowCount(), out, chunk, flush);
        out += "</table>\r\n";
        break;
    }
    out += reportStatistics(table);
}

} // namespace

std::string htmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

std::string reportHeading(const SearchCriteria& c) {
    std::string out = "<center><b><font size='+2'>";
    appendEscaped(out, c.title);
    out += "</font></b></center><p><b>Searching for objects ";
    if (c.byName) {
        out += "with names containing ";
        appendQuoted(out, c.nameText);
        out += " ";
    }
    if (c.byName && c.byNotes)
        out += "or ";
    if (c.byNotes) {
        out += "with notes containing ";
        appendQuoted(out, c.notesText);
        out += " ";
    }
    if (c.byField && (c.byName || c.byNotes))
        out += "or ";
    if (c.byField) {
        out += "with fields containing ";
        appendQuoted(out, c.fieldText);
        out += " ";
        if (c.byValue) {
            out += "and value that ";
            out += comparisonText(static_cast<int>(c.comparison));
            if (comparesWithValue(c.comparison)) {
                out += " ";
                appendQuoted(out, c.valueText);
            }
        }
    }
    out += ".</b></p>\r\n";
    return out;
}

std::string_view reportTableHead() {
    return kTableHead;
}

std::string reportRowsHtml(const ReportTable& table, std::size_t from, std::size_t to) {
    to = std::min(to, table.rowCount());
    ReportBuffer out(256 + (to > from ? to - from : 0) * 200);
    composeRows(table, from, to, out, std::string::npos, [](std::string_view) {});
    return std::string(out.view());
}

std::string reportStatistics(const ReportTable& table) {
    std::string out;
    if (const auto statistic = table.statistic())
        appendStatistics(out, table.criteria(), *statistic);
    return out;
}

std::string shownCellText(std::string_view text, bool blank) {
    if (blank)
        return "\xC2\xA0"; // the non-breaking space the page has there
    std::string plain;
    forEachSlice(text, [&plain](std::string_view slice, int utf8) {
        const std::size_t size = plain.size();
        plain.resize(size + slice.size() * kMaxEscapedGrowth);
        plain.resize(static_cast<std::size_t>(
            writeEscaped(plain.data() + size, slice, utf8, false) - plain.data()));
    });
    // Runs of white space read as one blank, none at the start, as HTML reads them.
    std::string shown;
    shown.reserve(plain.size());
    bool space = false;
    for (char c : plain) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            space = true;
            continue;
        }
        if (space && !shown.empty())
            shown += ' ';
        space = false;
        shown += c;
    }
    if (space && !shown.empty())
        shown += ' ';
    return shown;
}

void streamReport(const ReportTable& table, const std::function<void(std::string_view)>& sink) {
    constexpr std::size_t kChunk = 1 << 20;
    ReportBuffer chunk(kChunk + 4096);
    composeReport(table, chunk, kChunk, [&](std::string_view full) { sink(full); });
    sink(chunk.view());
}

std::string writeReport(const ReportTable& table) {
    // Rows average under 200 bytes; reserving spares the copies of a long report.
    ReportBuffer out(2048 + table.rowCount() * 200);
    composeReport(table, out, std::string::npos, [](std::string_view) {});
    return std::string(out.view());
}

namespace {

// Writes through `produce`, which calls its argument with each piece of the file in order. The
// report replaces its file as a house does, so it is never seen half-written, and a link planted
// at its name is replaced rather than followed.
template <typename Produce>
bool writeFile(const std::string& path, std::string& error, Produce produce) {
    int systemError = 0;
    const bool written = replaceFileSafelyWith(
        path, false,
        [&](const ChunkWriter& write) {
            bool ok = true;
            produce([&](std::string_view piece) { ok = ok && write(piece); });
            return ok;
        },
        nullptr, nullptr, &systemError, TargetLinks::ReplaceName);
    if (!written)
        error = std::strerror(systemError);
    return written;
}

} // namespace

bool saveReport(const std::string& path, std::string_view bytes, std::string& error) {
    return writeFile(path, error, [&](auto write) { write(bytes); });
}

bool saveReport(const std::string& path,
                const std::function<void(const std::function<void(std::string_view)>&)>& produce,
                std::string& error) {
    return writeFile(path, error, [&](auto write) { produce(write); });
}

bool saveReport(const std::string& path, const ReportTable& table, std::string& error) {
    return writeFile(path, error, [&](auto write) { streamReport(table, write); });
}

} // namespace ardenvo
