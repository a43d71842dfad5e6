#pragma once

#include "search/engine/ReportTable.h"

#include <QTextBrowser>
#include <QTextTableFormat>
#include <QTimer>

namespace ardenvo {

// The browser area: shows the report as the report file has it. The house's texts are kept as
// stored, UTF-8 or, from old files, Windows-1252; they show the way the search matches them, so old
// names show with their accents.
//
// Laying out a table costs Qt a good fraction of a millisecond per row, so a report of thousands
// of rows would freeze the dialog for seconds. A long table is therefore shown in pieces: the
// first rows at once, the rest appended piece by piece from the event loop, each piece a table in
// the format of the first so the columns line up. Later pieces are built from the rows' texts
// rather than from their HTML, and each in one edit, so Qt lays every piece out once. The table
// views the searched house, which stays as it is while the modal search dialog is open.
class ReportView : public QTextBrowser {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent = nullptr);

    // Rows laid out at once: enough to fill the view, few enough to show at once.
    static constexpr int kFirstPieceRows = 60;
    // Rows per later piece. Each append has a cost of its own besides its rows (Qt rescans the
    // document's frames, so later appends cost more), so much smaller pieces fill markedly slower
    // in total; this many keep each pause of the event loop short.
    static constexpr int kRowsPerPiece = 300;

    // Shows the report, keeping its table.
    void showReport(ReportTable table);
    // Shows nothing, as before the first search.
    void clearReport();
    bool hasReport() const { return m_hasReport; }
    // The report shown, whole even while its pieces are still coming.
    const ReportTable& table() const { return m_table; }
    // Whether pieces of a long report are still to come.
    bool isLoading() const { return m_nextRow < m_table.rowCount(); }
    // Appends every piece still to come at once.
    void finishLoading();

private:
    void appendNextPiece();

    bool m_hasReport = false;
    ReportTable m_table;
    std::size_t m_nextRow = 0; // the first row not yet in the view
    QTextTableFormat m_pieceFormat;
    QTimer m_pieceTimer;
};

} // namespace ardenvo
