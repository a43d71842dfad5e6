#pragma once

#include "search/engine/ReportTable.h"

#include <QString>

#include <array>
#include <string>

namespace ardenvo {

// A row's cells as the report's reader sees them (see shownCellText), for the view and the
// printing, which draw the rows from their texts rather than have Qt parse their HTML.
using ShownRow = std::array<QString, kReportColumns>;
ShownRow shownRow(const ReportTable& table, std::size_t row);

// UTF-8 text, as the report writer makes it, as a QString.
QString fromReportUtf8(const std::string& text);

} // namespace ardenvo
