#include "search/dialog/ReportView.h"

#include "search/dialog/ShownRow.h"
#include "search/engine/ReportWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace ardenvo {
namespace {

// The row with a width on each of its cells, so that the pieces of a long table line up.
QString withWidths(const QString& row) {
    QString out;
    out.reserve(row.size() + 120);
    int from = 0;
    int cell = 0;
    for (int at = row.indexOf(QLatin1String("<td>")); at >= 0 && cell < kReportColumns;
         at = row.indexOf(QLatin1String("<td>"), from)) {
        out += QStringView(row).mid(from, at - from);
        out += QStringLiteral("<td width='%1%'>").arg(kReportColumnPercents[cell++]);
        from = at + 4;
    }
    out += QStringView(row).mid(from);
    return out;
}

QTextTable* lastTable(QTextDocument* document) {
    const QList<QTextFrame*> frames = document->rootFrame()->childFrames();
    for (auto it = frames.rbegin(); it != frames.rend(); ++it)
        if (auto* table = qobject_cast<QTextTable*>(*it))
            return table;
    return nullptr;
}

} // namespace

ReportView::ReportView(QWidget* parent) : QTextBrowser(parent) {
    // The report is a file of our own; texts in it are escaped and hold no links to follow.
    setOpenLinks(false);
    // Shaping the texts of thousands of cells is a good part of laying them out; the report's
    // scripts read the same without it, and scripts that need it are shaped all the same.
    QFont plain = font();
    plain.setStyleStrategy(QFont::PreferNoShaping);
    setFont(plain);
    document()->setUndoRedoEnabled(false);
    m_pieceTimer.setSingleShot(true);
    m_pieceTimer.setInterval(0);
    connect(&m_pieceTimer, &QTimer::timeout, this, &ReportView::appendNextPiece);
}

void ReportView::showReport(ReportTable table) {
    clearReport();
    m_table = std::move(table);
    m_hasReport = true;
    if (m_table.body() != ReportTable::Body::Rows) {
        setHtml(fromReportUtf8(writeReport(m_table)));
        return;
    }

    // The table is written with width 0%, which a browser reads as "as narrow as the content
    // allows" but Qt as zero, wrapping every word: it is shown at the page's width instead.
    const QString tableHead = QString::fromLatin1(reportTableHead());
    const QString head = QStringLiteral("<table width='100%' border=1 cellspacing=0>") +
                         tableHead.mid(tableHead.indexOf(u'>') + 1);
    const std::size_t rows = m_table.rowCount();
    const std::size_t first = std::min<std::size_t>(rows, kFirstPieceRows);
    m_nextRow = first;
    setHtml(fromReportUtf8(reportHeading(m_table.criteria())) + head +
            withWidths(fromReportUtf8(reportRowsHtml(m_table, 0, 1))) +
            fromReportUtf8(reportRowsHtml(m_table, 1, first)) + QStringLiteral("</table>") +
            (first == rows ? fromReportUtf8(reportStatistics(m_table)) : QString()));
    if (first < rows) {
        if (QTextTable* table = lastTable(document()))
            m_pieceFormat = table->format();
        m_pieceTimer.start();
    }
}

void ReportView::appendNextPiece() {
    if (!isLoading())
        return;
    // Appending must not move what the user is reading.
    const int scrolled = verticalScrollBar()->value();
    // Qt repaints the whole view after every append, though what is appended mostly lies below
    // it: the layout's signals wait until the piece is in, and the view is repainted only when
    // the end of the report was showing.
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    const bool endShown = scrolled + viewport()->height() >= layout->documentSize().height();
    QSignalBlocker quiet(layout);
    const std::size_t to = std::min<std::size_t>(m_nextRow + kRowsPerPiece, m_table.rowCount());
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // One edit, so the document is laid out once for the piece rather than once for every cell.
    cursor.beginEditBlock();
    QTextTable* table =
        cursor.insertTable(static_cast<int>(to - m_nextRow), kReportColumns, m_pieceFormat);
    for (std::size_t row = m_nextRow; row < to; ++row) {
        const ShownRow cells = shownRow(m_table, row);
        for (int column = 0; column < kReportColumns; ++column)
            table->cellAt(static_cast<int>(row - m_nextRow), column)
                .firstCursorPosition()
                .insertText(cells[column]);
    }
    m_nextRow = to;
    if (!isLoading()) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertHtml(fromReportUtf8(reportStatistics(m_table)));
    }
    cursor.endEditBlock();
    quiet.unblock();
    emit layout->documentSizeChanged(layout->documentSize());
    if (endShown)
        viewport()->update();
    verticalScrollBar()->setValue(scrolled);
    if (isLoading())
        m_pieceTimer.start();
}

void ReportView::finishLoading() {
    m_pieceTimer.stop();
    while (isLoading())
        appendNextPiece();
}

void ReportView::clearReport() {
    m_pieceTimer.stop();
    m_table = ReportTable();
    m_nextRow = 0;
    m_hasReport = false;
    clear();
}

} // namespace ardenvo
