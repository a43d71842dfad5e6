#include "search/dialog/ReportContent.h"

#include <optional>

namespace ardenvo {
namespace {

const QString kTableStart = QStringLiteral("<table width='0%' border=1>");
const QString kRowStart = QStringLiteral("<tr>\t<td>");
const QString kTableEnd = QStringLiteral("</table>\r\n");

bool isHtmlSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// The character a reference of the report writer stands for, and its length.
std::optional<std::pair<QChar, int>> reference(QStringView text) {
    static const std::pair<const char*, char16_t> known[] = {
        {"&amp;", u'&'},  {"&lt;", u'<'},   {"&gt;", u'>'},
        {"&quot;", u'"'}, {"&#39;", u'\''}, {"&nbsp;", u'\u00A0'}};
    for (const auto& [name, c] : known)
        if (text.startsWith(QLatin1String(name)))
            return std::pair{QChar(c), static_cast<int>(qstrlen(name))};
    return std::nullopt;
}

// A cell's text as Qt reads it: references decoded, runs of white space made one blank, none at
// the start. None when the cell holds markup, which the writer never puts there.
std::optional<QString> cellText(QStringView cell) {
    // Most cells are plain words with single blanks between them: taken as they are.
    bool plain = !cell.isEmpty() && cell.front() != u' ' && cell.back() != u' ';
    for (qsizetype i = 0; plain && i < cell.size(); ++i) {
        const QChar c = cell[i];
        plain = c != u'&' && c != u'<' && (c == u' ' ? cell[i + 1] != u' ' : !isHtmlSpace(c));
    }
    if (plain)
        return cell.toString();

    QString out;
    out.reserve(cell.size());
    bool space = false;
    for (qsizetype i = 0; i < cell.size();) {
        const QChar c = cell[i];
        if (isHtmlSpace(c)) {
            space = true;
            ++i;
            continue;
        }
        if (space && !out.isEmpty())
            out += u' ';
        space = false;
        if (c == u'<')
            return std::nullopt;
        if (c == u'&') {
            const auto decoded = reference(cell.mid(i));
            if (!decoded)
                return std::nullopt;
            out += decoded->first;
            i += decoded->second;
            continue;
        }
        out += c;
        ++i;
    }
    if (space && !out.isEmpty())
        out += u' ';
    return out;
}

// The eight cells of the row html[from, to), or none when it is not a row of the writer's.
std::optional<ReportContent::Row> parseRow(const QString& html, int from, int to) {
    const QStringView row = QStringView(html).mid(from, to - from);
    ReportContent::Row cells;
    qsizetype at = 0;
    for (QString& cell : cells) {
        const qsizetype start = row.indexOf(QLatin1String("<td>"), at);
        const qsizetype end = start < 0 ? -1 : row.indexOf(QLatin1String("</td>"), start);
        if (end < 0)
            return std::nullopt;
        auto text = cellText(row.mid(start + 4, end - start - 4));
        if (!text)
            return std::nullopt;
        cell = std::move(*text);
        at = end + 5;
    }
    if (row.mid(at).trimmed() != QLatin1String("</tr>"))
        return std::nullopt;
    return cells;
}

} // namespace

QString ReportContent::rowsHtml(int from, int to) const {
    const int end = to < static_cast<int>(rowStarts.size()) ? rowStarts[to] : rowsEnd;
    return html.mid(rowStarts[from], end - rowStarts[from]);
}

ReportContent parseReport(QString html) {
    ReportContent content;
    content.html = std::move(html);
    const QString& text = content.html;
    const int table = text.indexOf(kTableStart);
    const int firstRow = table < 0 ? -1 : text.indexOf(kRowStart, table);
    const int tableEnd = text.lastIndexOf(kTableEnd);
    if (firstRow < 0 || tableEnd < firstRow)
        return content;

    // Rows never contain "<tr>" in their texts (they are escaped), so this splits at row starts.
    for (int at = firstRow; at < tableEnd;) {
        int next = text.indexOf(kRowStart, at + kRowStart.size());
        if (next < 0 || next > tableEnd)
            next = tableEnd;
        auto row = parseRow(text, at, next);
        if (!row) {
            content.rows.clear();
            content.rowStarts.clear();
            return content;
        }
        content.rows.push_back(std::move(*row));
        content.rowStarts.push_back(at);
        at = next;
    }
    content.tabular = true;
    content.before = text.left(table);
    content.tableHead = text.mid(table, firstRow - table);
    content.rowsEnd = tableEnd;
    content.after = text.mid(tableEnd + kTableEnd.size());
    return content;
}

} // namespace ardenvo
