#pragma once

#include "search/engine/SearchEngine.h"

#include <string>
#include <string_view>

namespace ardenvo {

// The report file's name in the data directory.
inline constexpr const char* kReportFileName = "temp.html";

// The text with & < > " ' replaced by their HTML references, so that names and notes show as
// typed and can never add markup to the report.
std::string htmlEscape(std::string_view text);

// The report's heading: the title and what was searched for.
std::string reportHeading(const SearchCriteria& criteria);

// The whole report: heading, the table of rows (or the paragraph saying why there is none) and
// the statistics paragraph of the aggregating comparisons. Lines end with "\r\n"; the house's
// bytes are copied as stored.
std::string writeReport(const SearchCriteria& criteria, const SearchResult& result);

// Writes the report bytes to `path`, replacing the file safely (a symbolic link or other name at
// `path` is replaced, never written through). On failure returns false and sets `error` to the
// system's reason.
bool saveReport(const std::string& path, std::string_view bytes, std::string& error);
// Writes the report of writeReport to `path` piece by piece: the same bytes without holding a
// long report in memory whole.
bool saveReport(const std::string& path, const SearchCriteria& criteria, const SearchResult& result,
                std::string& error);

} // namespace ardenvo
