#pragma once

#include <QString>

#include <array>
#include <vector>

namespace ardenvo {

// A search report read back from its file, split into what comes before the table of rows, the
// rows' texts, and what follows the table. The view lays out and the printing draws the rows from
// their texts, which is far cheaper than having Qt parse the HTML of thousands of rows.
struct ReportContent {
    static constexpr int kColumns = 8;
    using Row = std::array<QString, kColumns>;

    // The whole report as HTML, as read (old Windows-1252 bytes already turned into characters).
    QString html;
    // Whether the report has a table of rows whose cells hold plain text; without one, only
    // `html` is meaningful and is shown as it is.
    bool tabular = false;
    // Up to the table's start tag: the title and what was searched for.
    QString before;
    // The table's start tag and its two heading rows.
    QString tableHead;
    // Each row's cells as they read: references decoded, white space collapsed as HTML does.
    std::vector<Row> rows;
    // Where each row's HTML starts in `html`, and where the last row's ends.
    std::vector<int> rowStarts;
    int rowsEnd = 0;
    // After the table: the statistics paragraph, if any.
    QString after;

    // The HTML of rows [from, to) as written in the file.
    QString rowsHtml(int from, int to) const;
};

// Splits the report; any part that is not as the report writer makes it leaves it not tabular.
ReportContent parseReport(QString html);

// The column shares of the page or view width, in percent, in the order of the row's cells.
inline constexpr std::array<int, ReportContent::kColumns> kReportColumnPercents = {14, 10, 10, 16,
                                                                                   20, 10, 10, 10};

} // namespace ardenvo
