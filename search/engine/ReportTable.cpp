#include "search/engine/ReportTable.h"

#include "model/CBlock.h"
#include "model/CFieldList.h"
#include "model/CHouseObject.h"
#include "model/CSection.h"

namespace ardenvo {

ReportTable::ReportTable(SearchCriteria criteria, SearchResult result)
    : m_criteria(std::move(criteria)), m_result(std::move(result)) {}

ReportTable::ReportTable(SearchCriteria criteria, SearchResult result,
                         std::vector<ReportCells> rows)
    : m_criteria(std::move(criteria)), m_result(std::move(result)), m_cells(std::move(rows)) {}

ReportTable::Body ReportTable::body() const {
    if (!m_result.blockSearched)
        return Body::NoBlockSearched;
    return m_result.objectFound ? Body::Rows : Body::NothingFound;
}

ReportCells ReportTable::cells(std::size_t index) const {
    if (m_cells)
        return (*m_cells)[index];
    const SearchRow& row = m_result.rows[index];
    ReportCells cells;
    cells.text = {row.object->name, row.section->name, row.block->name, row.location,
                  row.object->notes};
    cells.blank[4] = row.object->notes.empty();
    if (row.field) {
        cells.text[5] = row.category->title;
        cells.text[6] = row.field->name;
        cells.text[7] = row.field->value;
    } else {
        cells.blank[5] = cells.blank[6] = cells.blank[7] = true;
    }
    return cells;
}

std::optional<ReportStatistic> ReportTable::statistic() const {
    if (!m_criteria.usesValue())
        return std::nullopt;
    ReportStatistic statistic{m_criteria.comparison, m_result.accumulator};
    switch (m_criteria.comparison) {
    case Comparison::Sum:
    case Comparison::Maximum:
    case Comparison::Minimum:
        return statistic;
    case Comparison::Average:
        if (m_result.count > 0.01)
            statistic.value = m_result.accumulator / m_result.count;
        else
            statistic.value.reset();
        return statistic;
    default:
        return std::nullopt;
    }
}

ReportTable searchReport(const CBrenvikaDoc& doc, const SearchCriteria& criteria,
                         const SearchScope& scope) {
    return ReportTable(criteria, runSearch(doc, criteria, scope));
}

} // namespace ardenvo
