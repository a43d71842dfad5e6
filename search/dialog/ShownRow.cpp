#include "search/dialog/ShownRow.h"

#include "search/engine/ReportWriter.h"

namespace ardenvo {

QString fromReportUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ShownRow shownRow(const ReportTable& table, std::size_t row) {
    const ReportCells cells = table.cells(row);
    ShownRow shown;
    for (int c = 0; c < kReportColumns; ++c)
        shown[c] = fromReportUtf8(shownCellText(cells.text[c], cells.blank[c]));
    return shown;
}

} // namespace ardenvo
