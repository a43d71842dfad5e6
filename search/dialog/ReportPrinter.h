#pragma once

#include "search/dialog/ReportContent.h"

class QFont;
class QPagedPaintDevice;

namespace ardenvo {

// Prints the report to a printer or PDF writer in its page layout, as Qt prints a document: 2 cm
// inside the page layout's margins, the page number at the bottom right. A report with a table of
// rows is drawn page by page by hand, its heading rows again at the top of every page: Qt's own
// printing of a document lays out and paints thousands of table rows several times slower. `font`
// is the report's normal text; the title and statistics paragraphs keep their HTML. False when the
// device could not be painted on (a printer's unwritable PDF file, say).
bool printReport(const ReportContent& content, const QFont& font, QPagedPaintDevice& device);

} // namespace ardenvo
