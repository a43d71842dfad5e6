#include "search/dialog/ReportView.h"

#include "search/engine/CaseFold.h"

#include <QFile>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace ardenvo {
namespace {

const QString kRowStart = QStringLiteral("<tr>\t<td>");
const QString kTableEnd = QStringLiteral("</table>\r\n");

// Column shares of the eight cells of a row, so that the pieces of a long table line up.
const char* const kCellWidths[8] = {"14%", "10%", "10%", "16%", "20%", "10%", "10%", "10%"};

// The row with a width on each of its cells.
QString withWidths(const QString& row) {
    QString out;
    out.reserve(row.size() + 120);
    int from = 0;
    int cell = 0;
    for (int at = row.indexOf(QLatin1String("<td>")); at >= 0 && cell < 8;
         at = row.indexOf(QLatin1String("<td>"), from)) {
        out += QStringView(row).mid(from, at - from);
        out += QStringLiteral("<td width='%1'>").arg(QLatin1String(kCellWidths[cell++]));
        from = at + 4;
    }
    out += QStringView(row).mid(from);
    return out;
}

} // namespace

ReportView::ReportView(QWidget* parent) : QTextBrowser(parent) {
    // The report is a file of our own; texts in it are escaped and hold no links to follow.
    setOpenLinks(false);
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
    const QString html = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    m_hasReport = true;

    // The table is written with width 0%, which a browser reads as "as narrow as the content
    // allows" but Qt as zero, wrapping every word: it is shown at the page's width instead.
    const QString tableStart = QStringLiteral("<table width='0%' border=1>");
    const int table = html.indexOf(tableStart);
    const int firstRow = table < 0 ? -1 : html.indexOf(kRowStart, table);
    const int tableEnd = html.lastIndexOf(kTableEnd);
    if (firstRow < 0 || tableEnd < firstRow) {
        setHtml(html);
        return true;
    }
    const QString before = html.left(table);
    const QString head = QStringLiteral("<table width='100%' border=1 cellspacing=0>") +
                         html.mid(table + tableStart.size(), firstRow - table - tableStart.size());
    const QString after = html.mid(tableEnd + kTableEnd.size());

    // Rows never contain "<tr>" in their texts (they are escaped), so this splits at row starts.
    QStringList pieces;
    QString piece;
    int rowsInPiece = 0;
    int at = firstRow;
    while (at < tableEnd) {
        int next = html.indexOf(kRowStart, at + kRowStart.size());
        if (next < 0 || next > tableEnd)
            next = tableEnd;
        const QString row = html.mid(at, next - at);
        piece += rowsInPiece == 0 ? withWidths(row) : row;
        if (++rowsInPiece == (pieces.isEmpty() ? kFirstPieceRows : kRowsPerPiece)) {
            pieces << piece;
            piece.clear();
            rowsInPiece = 0;
        }
        at = next;
    }
    if (!piece.isEmpty())
        pieces << piece;

    // Taken out first: in one expression the emptiness test may run before the take, and a
    // report of one piece would then lose what follows its table.
    const QString first = pieces.takeFirst();
    setHtml(before + head + first + QStringLiteral("</table>") +
            (pieces.isEmpty() ? after : QString()));
    if (!pieces.isEmpty()) {
        for (const QString& rows : pieces)
            m_pending << QStringLiteral("<table width='100%' border=1 cellspacing=0>") + rows +
                             QStringLiteral("</table>");
        m_pending << after;
        m_pieceTimer.start();
    }
    return true;
}

void ReportView::appendNextPiece() {
    if (m_pending.isEmpty())
        return;
    // Appending must not move what the user is reading.
    const int scrolled = verticalScrollBar()->value();
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertHtml(m_pending.takeFirst());
    verticalScrollBar()->setValue(scrolled);
    if (m_pending.isEmpty())
        emit loadingFinished();
    else
        m_pieceTimer.start();
}

void ReportView::finishLoading() {
    m_pieceTimer.stop();
    while (!m_pending.isEmpty())
        appendNextPiece();
}

void ReportView::clearReport() {
    m_pieceTimer.stop();
    m_pending.clear();
    m_hasReport = false;
    clear();
}

} // namespace ardenvo
