#include "search/dialog/ReportPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <numeric>

namespace ardenvo {
namespace {

const QColor kBorderColor(0x80, 0x80, 0x80);
const QColor kHeadColor(0xee, 0xee, 0xee);

// The table's heading: five columns with their name over both heading rows, then "Custom field"
// over the last three, whose names make the second row.
const char* const kHeadNames[ReportContent::kColumns] = {
    "Object name", "Section", "Room name", "Location", "Notes", "Category", "Name", "Details"};
const char* const kCustomField = "Custom field";
constexpr int kFirstCustomColumn = 5;
constexpr int kHeadFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// Paints pages within the device's page rectangle in device pixels.
class ReportPages {
public:
    ReportPages(QPagedPaintDevice& printer, QPainter& painter, const QFont& font)
        : m_printer(printer), m_painter(painter), m_font(font, &printer), m_bold(m_font),
          m_metrics(m_font, &printer), m_boldMetrics(m_bold, &printer) {
        // As in the view: thousands of cells are measured, and plain scripts need no shaping.
        m_font.setStyleStrategy(QFont::PreferNoShaping);
        m_metrics = QFontMetricsF(m_font, &printer);
        m_bold = m_font;
        m_bold.setBold(true);
        m_boldMetrics = QFontMetricsF(m_bold, &printer);
        const qreal dpi = printer.logicalDpiY();
        m_pixel = dpi / 96.0;
        m_margin = 2 / 2.54 * dpi; // as Qt's printing of a document
        const QSizeF size = printer.pageLayout().paintRectPixels(qRound(dpi)).size();
        m_body =
            QRectF(m_margin, m_margin, size.width() - 2 * m_margin, size.height() - 2 * m_margin);
        m_pageNumberAt = QPointF(size.width() - m_margin,
                                 size.height() - m_margin + m_metrics.ascent() + 5 * dpi / 72.0);
        m_padding = m_pixel;
        m_border = m_pixel;
        m_y = m_body.top();
    }

    // Measures every cell and shares the width out among the columns as a browser does: no column
    // narrower than its longest word, the room left going to the columns whose texts would
    // otherwise wrap, then by the columns' shares.
    void columns(const std::vector<ReportContent::Row>& rows) {
        // A pixel to spare, so the widest text is not wrapped for a rounding.
        const qreal extra = 2 * m_padding + m_border + m_pixel;
        std::array<qreal, ReportContent::kColumns> least{}, most{};
        const auto fitWords = [&](int c, const QString& text, const QFontMetricsF& metrics) {
            for (const QStringView word : QStringView(text).split(u' ', Qt::SkipEmptyParts))
                least[c] = std::max(least[c], metrics.horizontalAdvance(word.toString()));
        };
        for (int c = 0; c < ReportContent::kColumns; ++c)
            fitWords(c, QString::fromLatin1(kHeadNames[c]), m_boldMetrics);
        m_widths.resize(rows.size() * ReportContent::kColumns);
        float* width = m_widths.data();
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < ReportContent::kColumns; ++c, ++width) {
                const QString& text = rows[r][c];
                // Rooms, sections and notes repeat from row to row: measured once.
                if (r > 0 && text == rows[r - 1][c]) {
                    *width = width[-ReportContent::kColumns];
                    continue;
                }
                *width = static_cast<float>(m_metrics.horizontalAdvance(text));
                most[c] = std::max(most[c], qreal(*width));
                if (*width > least[c])
                    fitWords(c, text, m_metrics);
            }
        }
        const qreal total = m_body.width();
        std::array<qreal, ReportContent::kColumns> want{};
        qreal wanted = 0;
        for (int c = 0; c < ReportContent::kColumns; ++c) {
            least[c] += extra;
            most[c] += extra;
            const qreal share = total * kReportColumnPercents[c] / 100.0;
            want[c] = std::max(least[c], std::min(share, most[c]));
            wanted += want[c];
        }
        const qreal leastTotal = std::accumulate(least.begin(), least.end(), qreal(0));
        qreal room = total - wanted;
        // The columns needing least first, so that as few columns as can be wrap their texts.
        std::array<int, ReportContent::kColumns> order;
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return most[a] - want[a] < most[b] - want[b]; });
        for (int c : order) {
            const qreal given = std::clamp(most[c] - want[c], qreal(0), std::max(room, qreal(0)));
            want[c] += given;
            room -= given;
        }
        for (int c = 0; c < ReportContent::kColumns; ++c) {
            if (room > 0)
                want[c] += room * kReportColumnPercents[c] / 100.0;
            else if (leastTotal >= total) // even the longest words do not fit: they are broken
                want[c] = least[c] * total / leastTotal;
            else if (room < 0) // what columns want beyond their longest words, in proportion
                want[c] =
                    least[c] + (want[c] - least[c]) * (total - leastTotal) / (wanted - leastTotal);
        }
        qreal x = m_body.left();
        for (int c = 0; c < ReportContent::kColumns; ++c) {
            m_columnX[c] = x;
            x += want[c];
        }
        m_columnX[ReportContent::kColumns] = m_body.right();
    }

    void paragraphs(const QString& html) {
        if (html.trimmed().isEmpty())
            return;
        QTextDocument doc;
        doc.documentLayout()->setPaintDevice(&m_printer);
        doc.setDefaultFont(m_font);
        doc.setDocumentMargin(0);
        doc.setHtml(html);
        doc.setTextWidth(m_body.width());
        const qreal height = doc.size().height();
        if (m_y + height > m_body.bottom() && m_y > m_body.top())
            newPage();
        m_painter.save();
        m_painter.translate(m_body.left(), m_y);
        doc.drawContents(&m_painter);
        m_painter.restore();
        m_y += height;
    }

    void tableHead() {
        m_headY = m_y;
        m_rowsOnPage = 0;
        // Names too long for their column wrap, as in the view.
        const auto height = [&](qreal width, const QString& text) {
            return m_boldMetrics
                .boundingRect(QRectF(0, 0, width, m_body.height()), kHeadFlags, text)
                .height();
        };
        const QString custom = QString::fromLatin1(kCustomField);
        const qreal customWidth = m_body.right() - m_columnX[kFirstCustomColumn];
        m_headLine = height(customWidth - 2 * m_padding, custom) + 2 * m_padding;
        qreal second = 0; // the second heading row, below "Custom field"
        qreal both = 0;   // the names over both rows
        for (int c = 0; c < ReportContent::kColumns; ++c) {
            qreal& tallest = c < kFirstCustomColumn ? both : second;
            tallest = std::max(tallest, height(cellWidth(c), QString::fromLatin1(kHeadNames[c])) +
                                            2 * m_padding);
        }
        second = std::max(second, both - m_headLine);
        const QRectF head(m_body.left(), m_y, m_body.width(), m_headLine + second);
        m_painter.fillRect(head, kHeadColor);
        m_painter.setFont(m_bold);
        for (int c = 0; c < ReportContent::kColumns; ++c) {
            const qreal top = c < kFirstCustomColumn ? m_y : m_y + m_headLine;
            m_painter.drawText(QRectF(m_columnX[c] + m_padding, top + m_padding, cellWidth(c),
                                      head.bottom() - top),
                               kHeadFlags, QString::fromLatin1(kHeadNames[c]));
        }
        const QRectF customCell(m_columnX[kFirstCustomColumn], m_y, customWidth, m_headLine);
        m_painter.drawText(customCell, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, custom);
        m_lines.append({QLineF(m_body.left(), m_y, m_body.right(), m_y),
                        QLineF(customCell.bottomLeft(), customCell.bottomRight())});
        m_y = head.bottom();
        m_lines.append(QLineF(m_body.left(), m_y, m_body.right(), m_y));
        m_painter.setFont(m_font);
    }

    // The row `index` of those given to columns().
    void row(const ReportContent::Row& cells, std::size_t index) {
        // Most cells fit on one line and are drawn as they are; the others are wrapped at words.
        const float* widths = m_widths.data() + index * ReportContent::kColumns;
        qreal height = m_metrics.height();
        std::array<bool, ReportContent::kColumns> wrapped{};
        for (int c = 0; c < ReportContent::kColumns; ++c) {
            const qreal width = cellWidth(c);
            if (widths[c] <= width)
                continue;
            wrapped[c] = true;
            height = std::max(height, wrap(c, cells[c], width));
        }
        height += 2 * m_padding;
        if (m_y + height > m_body.bottom() && m_rowsOnPage > 0) {
            newPage();
            tableHead();
        }
        for (int c = 0; c < ReportContent::kColumns; ++c) {
            const QPointF at(m_columnX[c] + m_padding, m_y + m_padding);
            if (wrapped[c])
                m_layouts[c]->draw(&m_painter, at);
            else if (!cells[c].isEmpty())
                m_painter.drawText(at + QPointF(0, m_metrics.ascent()), cells[c]);
        }
        m_y += height;
        m_lines.append(QLineF(m_body.left(), m_y, m_body.right(), m_y));
        ++m_rowsOnPage;
    }

    void endTable() {
        closeTable();
        m_y += m_metrics.height(); // the paragraph's distance from the table
    }

    void finish() {
        closeTable();
        pageNumber();
    }

private:
    qreal cellWidth(int column) const {
        return m_columnX[column + 1] - m_columnX[column] - 2 * m_padding - m_border;
    }

    // Lays the text out in the column's layout at the width; returns its height.
    qreal wrap(int column, const QString& text, qreal width) {
        auto& layout = m_layouts[column];
        if (!layout) {
            layout = std::make_unique<QTextLayout>(QString(), m_font, &m_printer);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout->setTextOption(option);
        }
        layout->clearLayout();
        layout->setText(text);
        layout->beginLayout();
        qreal height = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, height));
            height += line.height();
        }
        layout->endLayout();
        return height;
    }

    // The column lines of the table on this page and every row line, drawn at once.
    void closeTable() {
        if (m_headY < 0)
            return;
        for (int c = 0; c <= ReportContent::kColumns; ++c) {
            // "Custom field" spans its three columns.
            const bool underCustom = c > kFirstCustomColumn && c < ReportContent::kColumns;
            const qreal top = underCustom ? m_headY + m_headLine : m_headY;
            m_lines.append(QLineF(m_columnX[c], top, m_columnX[c], m_y));
        }
        m_painter.setPen(QPen(kBorderColor, m_border));
        m_painter.drawLines(m_lines);
        m_painter.setPen(QPen(Qt::black));
        m_lines.clear();
        m_headY = -1;
    }

    void pageNumber() {
        const QString number = QString::number(m_page);
        m_painter.drawText(
            QPointF(m_pageNumberAt.x() - m_metrics.horizontalAdvance(number), m_pageNumberAt.y()),
            number);
    }

    void newPage() {
        const bool inTable = m_headY >= 0;
        closeTable();
        pageNumber();
        m_printer.newPage();
        ++m_page;
        m_y = m_body.top();
        if (inTable)
            m_headY = m_y;
    }

    QPagedPaintDevice& m_printer;
    QPainter& m_painter;
    QFont m_font;
    QFont m_bold;
    QFontMetricsF m_metrics;
    QFontMetricsF m_boldMetrics;
    qreal m_pixel = 1;
    qreal m_margin = 0;
    qreal m_padding = 0;
    qreal m_border = 0;
    QRectF m_body;
    QPointF m_pageNumberAt;
    std::array<qreal, ReportContent::kColumns + 1> m_columnX{};
    std::array<std::unique_ptr<QTextLayout>, ReportContent::kColumns> m_layouts;
    std::vector<float> m_widths; // of every cell's text on one line, row after row
    QList<QLineF> m_lines;
    qreal m_y = 0;
    qreal m_headY = -1;   // where the table starts on this page; negative outside the table
    qreal m_headLine = 0; // the height of one heading row
    int m_rowsOnPage = 0;
    int m_page = 1;
};

} // namespace

bool printReport(const ReportContent& content, const QFont& font, QPagedPaintDevice& printer) {
    if (!content.tabular) {
        // No table: a few paragraphs, which Qt prints quickly enough.
        QTextDocument doc;
        doc.setDefaultFont(font);
        doc.setHtml(content.html);
        doc.print(&printer);
        const auto* real = dynamic_cast<const QPrinter*>(&printer);
        return !real || real->printerState() != QPrinter::Error;
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    ReportPages pages(printer, painter, font);
    pages.paragraphs(content.before);
    pages.columns(content.rows);
    pages.tableHead();
    for (std::size_t row = 0; row < content.rows.size(); ++row)
        pages.row(content.rows[row], row);
    pages.endTable();
    pages.paragraphs(content.after);
    pages.finish();
    return painter.end();
}

} // namespace ardenvo
