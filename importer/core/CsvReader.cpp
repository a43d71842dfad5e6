#include "importer/core/CsvReader.h"

#include "model/TextEncoding.h"
#include "model/Translatable.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sys/stat.h>

namespace ardenvo {

const char* encodingName(CsvEncoding encoding) {
    switch (encoding) {
    case CsvEncoding::Utf8Bom:
        return AV_TRANSLATE_NOOP("ardenvo::CsvReader", "UTF-8 with BOM");
    case CsvEncoding::Windows1252:
        return "Windows-1252";
    case CsvEncoding::Utf8:
        break;
    }
    return "UTF-8";
}

const char* delimiterName(char delimiter) {
    switch (delimiter) {
    case ';':
        return AV_TRANSLATE_NOOP("ardenvo::CsvReader", "Semicolon");
    case '\t':
        return AV_TRANSLATE_NOOP("ardenvo::CsvReader", "Tab");
    default:
        return AV_TRANSLATE_NOOP("ardenvo::CsvReader", "Comma");
    }
}

std::size_t CsvTable::columnCount() const {
    std::size_t count = header.size();
    for (const CsvRow& row : rows)
        count = std::max(count, row.fields.size());
    return count;
}

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Detection looks at the start of the file only, so a huge file costs no second pass.
constexpr std::size_t kSampleBytes = 64 * 1024;
constexpr std::size_t kSampleRecords = 30;

bool isTextByte(unsigned char c) {
    return c >= 0x20 ? c != 0x7F : (c == '\t' || c == '\r' || c == '\n');
}

// Splits records off the raw bytes. Both encodings keep the delimiters, quotes and line breaks as
// single bytes that never occur inside a character, so splitting comes before conversion.
Phrase said(const char* text, std::vector<std::string> args = {}) {
    return {"ardenvo::CsvReader", text, std::move(args)};
}

class RecordParser {
public:
    RecordParser(std::string_view data, char delimiter) : m_data(data), m_delimiter(delimiter) {}

    bool atEnd() const { return m_pos >= m_data.size(); }
    std::size_t line() const { return m_line; }

    // The next record's raw fields; false with `reason` set when it cannot be taken, reading then
    // going on at a line after it. A blank line gives one empty field.
    bool next(std::vector<std::string>& fields, Phrase& reason) {
        fields.clear();
        m_start = m_pos;
        m_startLine = m_line;
        bool text = true;
        for (;;) {
            if (fields.size() == kMaxCsvFields)
                return fail(reason,
                            said(AV_TRANSLATE_NOOP("ardenvo::CsvReader", "more than %1 fields"),
                                 {std::to_string(kMaxCsvFields)}),
                            false);
            std::string& field = fields.emplace_back();
            if (m_pos < m_data.size() && m_data[m_pos] == '"') {
                if (!quoted(field, text, reason))
                    return false;
            } else if (!unquoted(field, text, reason)) {
                return false;
            }
            if (m_pos >= m_data.size())
                break;
            const char c = m_data[m_pos];
            if (c == m_delimiter) {
                ++m_pos;
                continue;
            }
            if (c == '\r' || c == '\n') {
                endOfLine();
                break;
            }
            return fail(reason,
                        said(AV_TRANSLATE_NOOP("ardenvo::CsvReader",
                                               "broken quote: text after the closing quote")),
                        true);
        }
        if (!text)
            return fail(
                reason,
                said(AV_TRANSLATE_NOOP("ardenvo::CsvReader", "holds bytes that are not text")),
                true, true);
        return true;
    }

private:
    bool tooLong() const { return m_pos - m_start > kMaxCsvRecordBytes; }

    void endOfLine() {
        if (m_data[m_pos] == '\r' && m_pos + 1 < m_data.size() && m_data[m_pos + 1] == '\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

    // Reading goes on at the line after the fault (`here`), or after the record's first line when
    // the record's end cannot be trusted (a quote never closed, a record too long). `done`: the
    // record was read to its end already.
    bool fail(Phrase& reason, Phrase why, bool here, bool done = false) {
        reason = std::move(why);
        if (done)
            return false;
        if (!here) {
            m_pos = m_start;
            m_line = m_startLine;
        }
        while (m_pos < m_data.size() && m_data[m_pos] != '\r' && m_data[m_pos] != '\n')
            ++m_pos;
        if (m_pos < m_data.size())
            endOfLine();
        return false;
    }

    bool quoted(std::string& field, bool& text, Phrase& reason) {
        ++m_pos; // the opening quote
        for (;;) {
            if (tooLong())
                return fail(reason, recordTooLong(), false);
            if (m_pos >= m_data.size())
                return fail(reason,
                            said(AV_TRANSLATE_NOOP(
                                     "ardenvo::CsvReader",
                                     "broken quote: the quote opened on line %1 is never closed"),
                                 {std::to_string(m_startLine)}),
                            false);
            const char c = m_data[m_pos];
            if (c == '"') {
                if (m_pos + 1 < m_data.size() && m_data[m_pos + 1] == '"') {
                    field += '"';
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                return true;
            }
            // A run of plain bytes at once: most of a field is.
            const std::size_t end = m_data.find('"', m_pos);
            const std::size_t stop = std::min(end == std::string_view::npos ? m_data.size() : end,
                                              m_start + kMaxCsvRecordBytes + 1);
            const std::string_view run = m_data.substr(m_pos, stop - m_pos);
            for (std::size_t i = 0; i < run.size(); ++i) {
                const unsigned char b = static_cast<unsigned char>(run[i]);
                if (b == '\n' || (b == '\r' && (i + 1 == run.size() || run[i + 1] != '\n')))
                    ++m_line;
                text = text && isTextByte(b);
            }
            field.append(run);
            m_pos = stop;
        }
    }

    bool unquoted(std::string& field, bool& text, Phrase& reason) {
        const std::size_t begin = m_pos;
        while (m_pos < m_data.size()) {
            const char c = m_data[m_pos];
            if (c == m_delimiter || c == '\r' || c == '\n')
                break;
            if (c == '"')
                return fail(reason,
                            said(AV_TRANSLATE_NOOP("ardenvo::CsvReader",
                                                   "broken quote: a quote inside a field that "
                                                   "does not start with one")),
                            true);
            text = text && isTextByte(static_cast<unsigned char>(c));
            ++m_pos;
            if (tooLong())
                return fail(reason, recordTooLong(), false);
        }
        field.assign(m_data.substr(begin, m_pos - begin));
        return true;
    }

    static Phrase recordTooLong() {
        return said(AV_TRANSLATE_NOOP("ardenvo::CsvReader",
                                      "line too long (a row may hold at most %1 MiB)"),
                    {std::to_string(kMaxCsvRecordBytes / (1024 * 1024))});
    }

    std::string_view m_data;
    char m_delimiter;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
    std::size_t m_start = 0;
    std::size_t m_startLine = 1;
};

bool isBlank(const std::vector<std::string>& fields) {
    return fields.size() == 1 && fields[0].empty();
}

// The delimiter that splits the first records into the same number of fields most often;
// comma, then semicolon, then tab on a tie.
char detectDelimiter(std::string_view sample) {
    char best = ',';
    std::size_t bestScore = 0;
    for (char delimiter : kCsvDelimiters) {
        RecordParser parser(sample, delimiter);
        std::vector<std::string> fields;
        Phrase reason;
        std::size_t width = 0;
        std::size_t score = 0;
        for (std::size_t n = 0; n < kSampleRecords && !parser.atEnd(); ++n) {
            if (!parser.next(fields, reason) || isBlank(fields))
                continue;
            if (width == 0)
                width = fields.size();
            if (width > 1 && fields.size() == width)
                score += width;
        }
        if (score > bestScore) {
            best = delimiter;
            bestScore = score;
        }
    }
    return best;
}

bool looksLikeNumber(const std::string& text) {
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (!std::strchr("+-.,/: ", c))
            return false;
    }
    return digit;
}

// A first row of distinct, non-empty names, none of them a number or a date.
bool looksLikeHeader(const std::vector<std::string>& fields) {
    std::set<std::string> seen;
    for (const std::string& field : fields)
        if (field.empty() || looksLikeNumber(field) || !seen.insert(field).second)
            return false;
    return true;
}

std::string columnName(std::size_t index) {
    return "Column " + std::to_string(index + 1);
}

} // namespace

CsvTable readCsv(std::string_view bytes, const CsvChoice& choice) {
    CsvTable table;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        table.fileError = AV_TRANSLATE_NOOP("ardenvo::CsvReader", "the file is UTF-16 text; save it as UTF-8 and import it again");
        return table;
    }
    const std::string_view head = bytes.substr(0, kSampleBytes);
    if (head.find('\0') != std::string_view::npos) {
        table.fileError = AV_TRANSLATE_NOOP("ardenvo::CsvReader", "the file is not text (it holds zero bytes)");
        return table;
    }
    if (bytes.starts_with(kUtf8Bom)) {
        table.format.encoding = CsvEncoding::Utf8Bom;
        bytes.remove_prefix(kUtf8Bom.size());
    } else {
        table.format.encoding = isValidUtf8(bytes) ? CsvEncoding::Utf8 : CsvEncoding::Windows1252;
    }
    std::string_view sample = bytes.substr(0, kSampleBytes);
    if (sample.size() < bytes.size()) {
        const std::size_t lastBreak = sample.find_last_of("\r\n");
        if (lastBreak != std::string_view::npos)
            sample = sample.substr(0, lastBreak + 1);
    }
    table.format.delimiter = choice.delimiter ? *choice.delimiter : detectDelimiter(sample);

    const bool windows = table.format.encoding == CsvEncoding::Windows1252;
    const auto convert = [windows](std::vector<std::string>& fields) {
        if (!windows)
            return;
        for (std::string& field : fields)
            field = windows1252ToUtf8(field);
    };

    RecordParser parser(bytes, table.format.delimiter);
    std::vector<std::string> fields;
    Phrase reason;
    bool first = true;
    while (!parser.atEnd() && table.rows.size() < choice.maxRows) {
        const std::size_t line = parser.line();
        if (!parser.next(fields, reason)) {
            table.problems.push_back({line, phraseText(reason), reason});
            continue;
        }
        if (isBlank(fields))
            continue;
        convert(fields);
        if (first) {
            first = false;
            table.format.header = choice.header ? *choice.header : looksLikeHeader(fields);
            if (table.format.header) {
                table.header = std::move(fields);
                continue;
            }
        }
        table.rows.push_back({line, std::move(fields)});
    }
    for (std::size_t i = table.header.size(), n = table.columnCount(); i < n; ++i)
        table.header.push_back(columnName(i));
    return table;
}

bool readCsvFile(const std::string& path, std::string& bytes, std::string& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = AV_TRANSLATE_NOOP("ardenvo::CsvReader", "not a file");
        return false;
    }
    if (static_cast<std::size_t>(info.st_size) > kMaxCsvFileBytes) {
        error =
            "the file is larger than " + std::to_string(kMaxCsvFileBytes / (1024 * 1024)) + " MiB";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    bytes.assign(static_cast<std::size_t>(info.st_size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        error = AV_TRANSLATE_NOOP("ardenvo::CsvReader", "the file could not be read");
        return false;
    }
    return true;
}

} // namespace ardenvo
