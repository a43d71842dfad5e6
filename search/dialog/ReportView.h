#pragma once

#include <QStringList>
#include <QTextBrowser>
#include <QTimer>

namespace ardenvo {

// The browser area: shows the report file. The report keeps the house's bytes as stored, UTF-8 or,
// from old files, Windows-1252; this view reads them the way the search matches them, so old
// names show with their accents.
//
// Laying out a table costs Qt about a quarter of a millisecond per row, so a report of thousands
// of rows would freeze the dialog for seconds. A long table is therefore shown in pieces: the
// first rows at once, the rest appended piece by piece from the event loop, each piece a table
// with the same column widths so the columns line up. The file itself is never changed.
class ReportView : public QTextBrowser {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent = nullptr);

    // Rows laid out at once: enough to fill the view, few enough to show at once.
    static constexpr int kFirstPieceRows = 60;
    // Rows per later piece. Each append has a cost of its own besides its rows, so much smaller
    // pieces fill markedly slower in total; this many keep each pause of the event loop short.
    static constexpr int kRowsPerPiece = 300;

    // Shows the file; false (and nothing shown) when it cannot be read.
    bool showReport(const QString& path);
    // Shows nothing, as before the first search.
    void clearReport();
    bool hasReport() const { return m_hasReport; }
    // Whether pieces of a long report are still to come.
    bool isLoading() const { return !m_pending.isEmpty(); }
    // Appends every piece still to come at once: before printing, the document must be whole.
    void finishLoading();

signals:
    void loadingFinished();

private:
    void appendNextPiece();

    bool m_hasReport = false;
    QStringList m_pending; // pieces of HTML still to append, in order; the last is the trailer
    QTimer m_pieceTimer;
};

} // namespace ardenvo
