#pragma once

#include "search/dialog/ReportContent.h"

class QFont;
class QPrinter;

namespace ardenvo {

// Prints the report in the printer's page layout, as Qt prints a document: 2 cm inside the page
// layout's margins, the page number at the bottom right. A report with a table of rows is drawn
// page by page by hand, its heading rows again at the top of every page: Qt's own printing of a
// document lays out and paints thousands of table rows several times slower. `font` is the
// report's normal text; the title and statistics paragraphs keep their HTML. False when the
// printer could not be started (an unwritable PDF file, say).
bool printReport(const ReportContent& content, const QFont& font, QPrinter& printer);

} // namespace ardenvo
