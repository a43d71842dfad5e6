#pragma once

#include "search/engine/ReportTable.h"

#include <functional>
#include <string>
#include <string_view>

namespace ardenvo {

// The report file's name in the data directory.
inline constexpr const char* kReportFileName = "temp.html";

// The text as UTF-8 (when it is not valid UTF-8, read as Windows-1252, as the house's texts are
// everywhere), with & < > " ' replaced by their HTML references and every control character but
// tab and line breaks shown as its bytes ("\x1b"), so that names and notes show as typed, can
// never add markup and always make a valid page.
std::string htmlEscape(std::string_view text);

// The report's heading: the title and what was searched for.
std::string reportHeading(const SearchCriteria& criteria);
// The table's start tag and its two heading rows, as the report has them.
std::string_view reportTableHead();
// The rows [from, to) of the table as the report has them.
std::string reportRowsHtml(const ReportTable& table, std::size_t from, std::size_t to);
// The statistics paragraph of an aggregating comparison; empty for the others.
std::string reportStatistics(const ReportTable& table);

// A cell's text as a reader of the report sees it (UTF-8, control characters shown as their bytes,
// runs of white space one blank and none at the start); a blank cell shows a non-breaking space.
std::string shownCellText(std::string_view text, bool blank);

// The whole report: heading, the table of rows (or the paragraph saying why there is none) and
// the statistics paragraph of the aggregating comparisons. Lines end with "\r\n"; the house's
// texts are written as htmlEscape writes them.
std::string writeReport(const ReportTable& table);
// The same bytes handed to `sink` in pieces of about a megabyte, so that a long report is never
// held whole.
void streamReport(const ReportTable& table, const std::function<void(std::string_view)>& sink);

// Writes the report bytes to `path`, replacing the file safely (a symbolic link or other name at
// `path` is replaced, never written through). On failure returns false and sets `error` to the
// system's reason.
bool saveReport(const std::string& path, std::string_view bytes, std::string& error);
// Writes the pieces that `produce` hands its argument, in order, as one file replaced as above.
bool saveReport(const std::string& path,
                const std::function<void(const std::function<void(std::string_view)>&)>& produce,
                std::string& error);
// Writes the report of writeReport to `path` piece by piece: the same bytes without holding a
// long report in memory whole.
bool saveReport(const std::string& path, const ReportTable& table, std::string& error);

} // namespace ardenvo
