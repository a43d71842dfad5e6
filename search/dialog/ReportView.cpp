#include "search/dialog/ReportView.h"

#include "search/engine/CaseFold.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
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
    for (int at = row.indexOf(QLatin1String("<td>")); at >= 0 && cell < ReportContent::kColumns;
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

bool ReportView::showReport(const QString& path) {
    clearReport();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const std::string utf8 = toUtf8(std::string_view(bytes.constData(), bytes.size()));
    m_content = parseReport(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    m_hasReport = true;
    if (!m_content.tabular) {
        setHtml(m_content.html);
        return true;
    }

    // The table is written with width 0%, which a browser reads as "as narrow as the content
    // allows" but Qt as zero, wrapping every word: it is shown at the page's width instead.
    const QString head = QStringLiteral("<table width='100%' border=1 cellspacing=0>") +
                         m_content.tableHead.mid(m_content.tableHead.indexOf(u'>') + 1);
    const int rows = static_cast<int>(m_content.rows.size());
    const int first = std::min(rows, kFirstPieceRows);
    m_nextRow = static_cast<std::size_t>(first);
    setHtml(m_content.before + head + withWidths(m_content.rowsHtml(0, 1)) +
            m_content.rowsHtml(1, first) + QStringLiteral("</table>") +
            (first == rows ? m_content.after : QString()));
    if (first < rows) {
        if (QTextTable* table = lastTable(document()))
            m_pieceFormat = table->format();
        m_pieceTimer.start();
    }
    return true;
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
    const std::size_t to = std::min(m_nextRow + kRowsPerPiece, m_content.rows.size());
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // One edit, so the document is laid out once for the piece rather than once for every cell.
    cursor.beginEditBlock();
    QTextTable* table = cursor.insertTable(static_cast<int>(to - m_nextRow),
                                           ReportContent::kColumns, m_pieceFormat);
    for (std::size_t row = m_nextRow; row < to; ++row) {
        const ReportContent::Row& cells = m_content.rows[row];
        for (int column = 0; column < ReportContent::kColumns; ++column)
            table->cellAt(static_cast<int>(row - m_nextRow), column)
                .firstCursorPosition()
                .insertText(cells[column]);
    }
    m_nextRow = to;
    if (!isLoading()) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertHtml(m_content.after);
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
    m_content = ReportContent();
    m_nextRow = 0;
    m_hasReport = false;
    clear();
}

} // namespace ardenvo
