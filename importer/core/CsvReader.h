#pragma once

#include "model/Phrase.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

// How the bytes of a CSV file are read. Texts of a house are UTF-8; a file that is not valid UTF-8
// is taken as Windows-1252, as older files of the house itself are.
enum class CsvEncoding { Utf8, Utf8Bom, Windows1252 };

// "UTF-8", "UTF-8 with BOM", "Windows-1252".
const char* encodingName(CsvEncoding encoding);
// "Comma", "Semicolon", "Tab".
const char* delimiterName(char delimiter);

inline constexpr char kCsvDelimiters[] = {',', ';', '\t'};

// A spreadsheet larger than this is refused whole: the rows are held in memory while they are
// mapped, and a file of this size already holds millions of them.
inline constexpr std::size_t kMaxCsvFileBytes = std::size_t(256) * 1024 * 1024;
// One record (all its fields and their physical lines) at most; a longer one is not taken. A
// quote left open would otherwise swallow the rest of the file into one field.
inline constexpr std::size_t kMaxCsvRecordBytes = std::size_t(1) * 1024 * 1024;
// Fields of one record at most; the export writes at most 1006.
inline constexpr std::size_t kMaxCsvFields = 4096;

struct CsvRow {
    std::size_t line = 0;            // where the record starts, from 1
    std::vector<std::string> fields; // UTF-8
};

// A record that was not taken, or a row the import cannot use.
struct CsvProblem {
    std::size_t line = 0;
    std::string reason; // in English
    Phrase why;         // the same, for a window to show in the user's language
};

struct CsvFormat {
    CsvEncoding encoding = CsvEncoding::Utf8;
    char delimiter = ',';
    bool header = true;
};

struct CsvTable {
    CsvFormat format;
    std::vector<std::string> header; // the first row's fields, or "Column 1", "Column 2", ...
    std::vector<CsvRow> rows;
    std::vector<CsvProblem> problems; // in line order
    // Set when the file cannot be read as text at all; nothing else is filled in then.
    std::string fileError;
    // The most fields any row had (the header may have fewer).
    std::size_t columnCount() const;
};

// What the caller fixes instead of leaving it to detection.
struct CsvChoice {
    std::optional<char> delimiter;
    std::optional<bool> header;
    std::size_t maxRows = static_cast<std::size_t>(-1); // rows after the header, for previews
};

// Reads RFC 4180 records: fields separated by the delimiter, records by CRLF, LF or CR; a field in
// double quotes may hold delimiters, line breaks and quotes written twice. Encoding, delimiter and
// header row are detected unless chosen. A record with a broken quote, too long, with too many
// fields or with bytes that are not text is listed in `problems` and left out; reading goes on at
// the next line.
CsvTable readCsv(std::string_view bytes, const CsvChoice& choice = {});

// Reads a whole file, refusing one past kMaxCsvFileBytes; false with `error` set on failure.
bool readCsvFile(const std::string& path, std::string& bytes, std::string& error);

} // namespace ardenvo
