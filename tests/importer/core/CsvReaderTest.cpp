#include "importer/core/CsvReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ardenvo;

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct CsvCase {
    const char* what;
    std::string bytes;
    CsvEncoding encoding;
    char delimiter;
    bool header;
    Rows rows;                             // the header first when there is one
    std::vector<std::size_t> rowLines;     // where each data row starts
    std::vector<std::size_t> problemLines; // rows not taken
    std::string problemWords = {};         // in the first problem's reason
};

Rows asRows(const CsvTable& table) {
    Rows rows;
    if (table.format.header)
        rows.push_back(table.header);
    for (const CsvRow& row : table.rows)
        rows.push_back(row.fields);
    return rows;
}

const std::vector<CsvCase> kCases = {
    {"plain comma, header, CRLF",
     "Name,Room\r\nLamp,Hall\r\nChair,Kitchen\r\n",
     CsvEncoding::Utf8,
     ',',
     true,
     {{"Name", "Room"}, {"Lamp", "Hall"}, {"Chair", "Kitchen"}},
     {2, 3},
     {}},
    {"quoted delimiter, doubled quote and line break inside a field",
     "Name,Notes\n\"Sofa, green\",\"a \"\"big\"\" one\r\nsecond line\"\nTable,\n",
     CsvEncoding::Utf8,
     ',',
     true,
     {{"Name", "Notes"}, {"Sofa, green", "a \"big\" one\r\nsecond line"}, {"Table", ""}},
     {2, 4},
     {}},
    {"semicolon and a last line without a break",
     "Name;Price\nLamp;12,50\nVase;3",
     CsvEncoding::Utf8,
     ';',
     true,
     {{"Name", "Price"}, {"Lamp", "12,50"}, {"Vase", "3"}},
     {2, 3},
     {}},
    {"tab",
     "Name\tRoom\tNotes\nLamp\tHall\ta, b\n",
     CsvEncoding::Utf8,
     '\t',
     true,
     {{"Name", "Room", "Notes"}, {"Lamp", "Hall", "a, b"}},
     {2},
     {}},
    {"UTF-8 with BOM",
     "\xEF\xBB\xBFName\nCaf\xC3\xA9\n",
     CsvEncoding::Utf8Bom,
     ',',
     true,
     {{"Name"}, {"Caf\xC3\xA9"}},
     {2},
     {}},
    {"Windows-1252 read as the house reads old texts",
     "Name,Price\nCaf\xE9,\x80 3\n",
     CsvEncoding::Windows1252,
     ',',
     true,
     {{"Name", "Price"}, {"Caf\xC3\xA9", "\xE2\x82\xAC 3"}},
     {2},
     {}},
    {"no header: the first row holds a number",
     "Lamp,12\nVase,3\n",
     CsvEncoding::Utf8,
     ',',
     false,
     {{"Lamp", "12"}, {"Vase", "3"}},
     {1, 2},
     {}},
    {"blank lines are skipped, lines still counted",
     "Name\n\nLamp\n\n\nVase\n",
     CsvEncoding::Utf8,
     ',',
     true,
     {{"Name"}, {"Lamp"}, {"Vase"}},
     {3, 6},
     {}},
    {"a file of one header only",
     "Name,Room,Notes\r\n",
     CsvEncoding::Utf8,
     ',',
     true,
     {{"Name", "Room", "Notes"}},
     {},
     {}},
    {"more columns in some rows: the header grows",
     "Name,Room\nLamp,Hall,extra,more\nVase\n",
     CsvEncoding::Utf8,
     ',',
     true,
     {{"Name", "Room", "Column 3", "Column 4"}, {"Lamp", "Hall", "extra", "more"}, {"Vase"}},
     {2, 3},
     {}},
    {"text after a closing quote: that row only",
     "Name,Notes\n\"Lamp\"x,1\nVase,2\n",
     CsvEncoding::Utf8,
     ',',
     true,
     {{"Name", "Notes"}, {"Vase", "2"}},
     {3},
     {2},
     "text after the closing quote"},
    {"a quote inside an unquoted field",
     "Name,Notes\nLamp 5\" wide,1\nVase,2\n",
     CsvEncoding::Utf8,
     ',',
     true,
     {{"Name", "Notes"}, {"Vase", "2"}},
     {3},
     {2},
     "does not start with one"},
    {"a quote never closed: the rows before it stay",
     "Name,Notes\nLamp,1\nVase,\"open\nChair,3\n",
     CsvEncoding::Utf8,
     ',',
     true,
     {{"Name", "Notes"}, {"Lamp", "1"}, {"Chair", "3"}},
     {2, 4},
     {3},
     "never closed"},
    {"bytes that are not text",
     "Name,Notes\nLamp,\x01\x02\nVase,2\n",
     CsvEncoding::Utf8,
     ',',
     true,
     {{"Name", "Notes"}, {"Vase", "2"}},
     {3},
     {2},
     "not text"},
};

TEST(CsvReaderTest, ReadsAndDetectsAsRfc4180Says) {
    for (const CsvCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const CsvTable table = readCsv(c.bytes);
        EXPECT_TRUE(table.fileError.empty()) << table.fileError;
        EXPECT_EQ(table.format.encoding, c.encoding);
        EXPECT_EQ(table.format.delimiter, c.delimiter);
        EXPECT_EQ(table.format.header, c.header);
        EXPECT_EQ(asRows(table), c.rows);
        std::vector<std::size_t> lines, problems;
        for (const CsvRow& row : table.rows)
            lines.push_back(row.line);
        for (const CsvProblem& p : table.problems) {
            problems.push_back(p.line);
            // The window's words are the same sentence, the line number kept apart.
            EXPECT_EQ(phraseText(p.why), p.reason);
        }
        EXPECT_EQ(lines, c.rowLines);
        EXPECT_EQ(problems, c.problemLines);
        if (!c.problemWords.empty() && !table.problems.empty()) {
            EXPECT_NE(table.problems[0].reason.find(c.problemWords), std::string::npos)
                << table.problems[0].reason;
        }
    }
}

TEST(CsvReaderTest, ChoicesOverrideDetection) {
    const CsvTable table = readCsv("Name;Room\nLamp;Hall\n", {',', false});
    EXPECT_EQ(table.format.delimiter, ',');
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].fields, (std::vector<std::string>{"Name;Room"}));
    EXPECT_EQ(table.header, (std::vector<std::string>{"Column 1"}));
}

TEST(CsvReaderTest, BoundsRecordsAndRefusesWhatIsNotText) {
    // A line past the record limit is not taken, nor read whole; the next one is.
    std::string bytes =
        "Name,Notes\nLamp," + std::string(kMaxCsvRecordBytes + 10, 'x') + "\nVase,2\n";
    CsvTable table = readCsv(bytes);
    ASSERT_EQ(table.problems.size(), 1u);
    EXPECT_EQ(table.problems[0].line, 2u);
    EXPECT_NE(table.problems[0].reason.find("line too long"), std::string::npos);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].line, 3u);

    // A quote opened and never closed in a long file costs one pass, and every later line is
    // still read.
    bytes = "Name,Notes\n\"open,1\n";
    for (int i = 0; i < 20000; ++i)
        bytes += "Row" + std::to_string(i) + ",x\n";
    table = readCsv(bytes);
    EXPECT_EQ(table.problems.size(), 1u);
    EXPECT_EQ(table.rows.size(), 20000u);

    EXPECT_FALSE(readCsv(std::string("PK\x03\x04\0\0binary", 12)).fileError.empty());
    EXPECT_FALSE(readCsv("\xFF\xFEN\0a\0").fileError.empty());
}

} // namespace
