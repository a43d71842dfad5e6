#include "search/engine/ReportWriter.h"

#include "model/CBlock.h"
#include "model/CFieldList.h"
#include "model/CHouseObject.h"
#include "model/CSection.h"
#include "search/engine/NumberText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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

void appendEscaped(std::string& out, std::string_view text) {
    // Copies the runs between special characters whole: reports can run to many megabytes.
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* reference = nullptr;
        switch (text[i]) {
        case '&':
            reference = "&amp;";
            break;
        case '<':
            reference = "&lt;";
            break;
        case '>':
            reference = "&gt;";
            break;
        case '"':
            reference = "&quot;";
            break;
        case '\'':
            reference = "&#39;";
            break;
        default:
            continue;
        }
        out.append(text.data() + start, i - start);
        out += reference;
        start = i + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

void appendQuoted(std::string& out, std::string_view text) {
    out += "<i>'";
    appendEscaped(out, text);
    out += "'</i>";
}

void appendRow(std::string& out, const SearchRow& row) {
    out += "<tr>\t<td>";
    appendEscaped(out, row.object->name);
    out += "</td>\r\n\t<td>";
    appendEscaped(out, row.section->name);
    out += "</td>\r\n\t<td>";
    appendEscaped(out, row.block->name);
    out += "</td>\r\n\t<td>";
    appendEscaped(out, row.location);
    out += "</td>\r\n\t<td>";
    if (row.object->notes.empty())
        out += "&nbsp;";
    else
        appendEscaped(out, row.object->notes);
    out += "</td>\r\n\t<td>";
    if (row.field) {
        appendEscaped(out, row.category->title);
        out += "</td>\r\n\t<td>";
        appendEscaped(out, row.field->name);
        out += "</td><td>";
        appendEscaped(out, row.field->value);
    } else {
        out += "&nbsp;</td>\r\n\t<td>&nbsp;</td><td>&nbsp;";
    }
    out += "</td>\r\n</tr>\r\n";
}

void appendStatistics(std::string& out, const SearchCriteria& criteria,
                      const SearchResult& result) {
    const auto paragraph = [&](const char* lead, double value) {
        out += lead;
        appendQuoted(out, criteria.fieldText);
        out += " is ";
        out += formatFixed(value);
        out += "</p>";
    };
    switch (criteria.comparison) {
    case Comparison::Sum:
        paragraph("<p>The <b>sum</b> for the custom field containing ", result.accumulator);
        break;
    case Comparison::Average:
        if (result.count > 0.01) {
            paragraph("<p>The <b>average</b> value for the custom field containing ",
                      result.accumulator / result.count);
        } else {
            out += "<p>No object to compute the average value for the custom field containing ";
            appendQuoted(out, criteria.fieldText);
            out += "</p>";
        }
        break;
    case Comparison::Maximum:
        paragraph("<p>The <b>maximum</b> value for the custom field containing ",
                  result.accumulator);
        break;
    case Comparison::Minimum:
        paragraph("<p>The <b>minimum</b> value for the custom field containing ",
                  result.accumulator);
        break;
    default:
        break;
    }
}

// Builds the report into `out`, handing it to `flush` (which takes it away) whenever it has grown
// past `chunk` bytes, so a report of many megabytes can go to its file without being held whole.
template <typename Flush>
void composeReport(const SearchCriteria& criteria, const SearchResult& result, std::string& out,
                   std::size_t chunk, Flush flush) {
    out += reportHeading(criteria);
    if (!result.blockSearched) {
        out += kNoBlock;
    } else if (!result.objectFound) {
        out += kNothingFound;
    } else {
        out += kTableHead;
        for (const SearchRow& row : result.rows) {
            appendRow(out, row);
            if (out.size() >= chunk) {
                flush(out);
                out.clear();
            }
        }
        out += "</table>\r\n";
    }
    if (criteria.usesValue())
        appendStatistics(out, criteria, result);
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

std::string writeReport(const SearchCriteria& criteria, const SearchResult& result) {
    std::string out;
    // Rows average under 200 bytes; reserving spares the copies of a long report.
    out.reserve(2048 + result.rows.size() * 200);
    composeReport(criteria, result, out, std::string::npos, [](std::string&) {});
    return out;
}

namespace {

// Writes through `produce`, which calls its argument with each piece of the file in order.
template <typename Produce>
bool writeFile(const std::string& path, std::string& error, Produce produce) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    bool written = true;
    int writeErrno = 0;
    produce([&](std::string_view piece) {
        if (written && std::fwrite(piece.data(), 1, piece.size(), file) != piece.size()) {
            written = false;
            writeErrno = errno;
        }
    });
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = std::strerror(written ? errno : writeErrno);
        return false;
    }
    return true;
}

} // namespace

bool saveReport(const std::string& path, std::string_view bytes, std::string& error) {
    return writeFile(path, error, [&](auto write) { write(bytes); });
}

bool saveReport(const std::string& path, const SearchCriteria& criteria, const SearchResult& result,
                std::string& error) {
    return writeFile(path, error, [&](auto write) {
        constexpr std::size_t kChunk = 1 << 20;
        std::string chunk;
        chunk.reserve(kChunk + 4096);
        composeReport(criteria, result, chunk, kChunk, [&](std::string& full) { write(full); });
        write(chunk);
    });
}

} // namespace ardenvo
