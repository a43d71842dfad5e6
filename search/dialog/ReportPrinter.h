#pragma once

#include "search/engine/ReportTable.h"

class QFont;
class QPagedPaintDevice;

namespace ardenvo {

// Prints the report to a printer or PDF writer in its page layout through the page painter: 2 cm
// inside the page layout's margins, as Qt prints a document, the heading rows of the table again
// at the top of every page it runs onto, "Page N of M" below. The rows are drawn by hand: Qt's own
// printing of a document lays out and paints thousands of table rows several times slower.
// `font` is the report's normal text; the title and statistics paragraphs keep their HTML. False
// when the device could not be painted on (a printer's unwritable PDF file, say).
bool printReport(const ReportTable& table, const QFont& font, QPagedPaintDevice& device);

} // namespace ardenvo
