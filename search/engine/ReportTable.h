#pragma once

#include "search/engine/SearchEngine.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace ardenvo {

// The report's columns in order: five named over both heading rows, then the three under
// "Custom field", whose names make the second heading row.
inline constexpr int kReportColumns = 8;
inline constexpr int kFirstCustomColumn = 5;
inline constexpr std::array<const char*, kReportColumns> kReportColumnNames = {
    "Object name", "Section", "Room name", "Location", "Notes", "Category", "Name", "Details"};
inline constexpr const char* kReportCustomField = "Custom field";
// The columns' shares of the page or view width, in percent.
inline constexpr std::array<int, kReportColumns> kReportColumnPercents = {14, 10, 10, 16,
                                                                          20, 10, 10, 10};

// One row's cells. The texts are the house's as stored (UTF-8 or Windows-1252, unescaped); a blank
// cell (an object without notes, the custom field of a row without one) has no text.
struct ReportCells {
    std::array<std::string_view, kReportColumns> text;
    std::array<bool, kReportColumns> blank{};
};

// What an aggregating value criterion found.
struct ReportStatistic {
    Comparison comparison = Comparison::Sum; // Sum, Average, Maximum or Minimum
    std::optional<double> value;             // none when there was nothing to average
};

// A search's report as data, which the HTML writer, the view and the printing all take: what the
// heading says was searched for, the rows or why there are none, and the statistic. The rows view
// the searched house, which must stay as it is while the table is in use.
class ReportTable {
public:
    enum class Body { Rows, NoBlockSearched, NothingFound };

    ReportTable() = default;
    ReportTable(SearchCriteria criteria, SearchResult result);
    // A report whose rows come as their cells, from a search that keeps no house (FileSearch.h):
    // `result` says what was searched and found and holds the statistics and locations, but no
    // rows. The cells' texts must stay where they are while the table is in use.
    ReportTable(SearchCriteria criteria, SearchResult result, std::vector<ReportCells> rows);

    const SearchCriteria& criteria() const { return m_criteria; }
    Body body() const;
    // The rows listed; none unless the body is Rows.
    std::size_t rowCount() const {
        return body() != Body::Rows ? 0 : m_cells ? m_cells->size() : m_result.rows.size();
    }
    ReportCells cells(std::size_t row) const;
    // The search's own rows, in the order of the table's; none for a table made of cells.
    const std::vector<SearchRow>& searchRows() const { return m_result.rows; }
    // Only when the field and value criteria ask for a sum, average, maximum or minimum.
    std::optional<ReportStatistic> statistic() const;

private:
    SearchCriteria m_criteria;
    SearchResult m_result;
    std::optional<std::vector<ReportCells>> m_cells;
};

// Runs the search (see runSearch) and makes its report.
ReportTable searchReport(const CBrenvikaDoc& doc, const SearchCriteria& criteria,
                         const SearchScope& scope);

} // namespace ardenvo
