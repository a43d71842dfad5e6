#include "search/dialog/ReportPrinter.h"

#include "search/dialog/ShownRow.h"
#include "search/engine/ReportWriter.h"
#include "search/inventory/PagePainter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <numeric>

namespace ardenvo {
namespace {

const QColor kBorderColor(0x80, 0x80, 0x80);
const QColor kHeadColor(0xee, 0xee, 0xee);
constexpr int kHeadFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// Lays the report out as bands of the page painter and paints them when it asks, in device pixels.
class ReportPages {
public:
    ReportPages(QPagedPaintDevice& printer, PagePainter& pages, const QFont& font)
        : m_printer(printer), m_pages(pages), m_font(font, &printer), m_bold(m_font),
          m_metrics(m_font, &printer), m_boldMetrics(m_bold, &printer) {
        // As in the view: thousands of cells are measured, and plain scripts need no shaping.
        m_font.setStyleStrategy(QFont::PreferNoShaping);
        m_metrics = QFontMetricsF(m_font, &printer);
        m_bold = m_font;
        m_bold.setBold(true);
        m_boldMetrics = QFontMetricsF(m_bold, &printer);
        m_pixel = printer.logicalDpiY() / 96.0;
        m_body = pages.body();
        m_padding = m_pixel;
        m_border = m_pixel;
        m_pages.setPageEnd([this](QPainter& painter, int) { closeTable(painter); });
    }

    // A paragraph band of the report's HTML.
    void paragraphs(const QString& html) {
        if (html.trimmed().isEmpty())
            return;
        auto doc = std::make_unique<QTextDocument>();
        doc->documentLayout()->setPaintDevice(&m_printer);
        doc->setDefaultFont(m_font);
        doc->setDocumentMargin(0);
        doc->setHtml(html);
        doc->setTextWidth(m_body.width());
        QTextDocument* shown = doc.get();
        m_paragraphs.push_back(std::move(doc));
        m_pages.add(shown->size().height(), [shown](QPainter& painter, const QRectF& band) {
            painter.save();
            painter.translate(band.topLeft());
            shown->drawContents(&painter);
            painter.restore();
        });
    }

    // The table's heading rows, repeated on every page the rows run onto, then its rows.
    void table(const std::vector<ShownRow>& rows) {
        m_rows = &rows;
        columns(rows);
        // Names too long for their column wrap, as in the view.
        const auto height = [&](qreal width, const QString& text) {
            return m_boldMetrics
                .boundingRect(QRectF(0, 0, width, m_body.height()), kHeadFlags, text)
                .height();
        };
        const QString custom = QString::fromLatin1(kReportCustomField);
        m_headLine = height(customWidth() - 2 * m_padding, custom) + 2 * m_padding;
        qreal second = 0; // the second heading row, below "Custom field"
        qreal both = 0;   // the names over both rows
        for (int c = 0; c < kReportColumns; ++c) {
            qreal& tallest = c < kFirstCustomColumn ? both : second;
            tallest =
                std::max(tallest, height(cellWidth(c), QString::fromLatin1(kReportColumnNames[c])) +
                                      2 * m_padding);
        }
        second = std::max(second, both - m_headLine);
        m_pages.setHeading(m_headLine + second,
                           [this](QPainter& painter, const QRectF& band) { head(painter, band); });
        for (std::size_t r = 0; r < rows.size(); ++r) {
            std::array<bool, kReportColumns> wrapped{};
            m_pages.add(rowHeight(r, wrapped), [this, r](QPainter& painter, const QRectF& band) {
                row(painter, r, band.top());
            });
        }
        m_pages.clearHeading();
        m_pages.space(m_metrics.height()); // the paragraph's distance from the table
    }

private:
    // Measures every cell and shares the width out among the columns as a browser does: no column
    // narrower than its longest word, the room left going to the columns whose texts would
    // otherwise wrap, then by the columns' shares.
    void columns(const std::vector<ShownRow>& rows) {
        // A pixel to spare, so the widest text is not wrapped for a rounding.
        const qreal extra = 2 * m_padding + m_border + m_pixel;
        std::array<qreal, kReportColumns> least{}, most{};
        const auto fitWords = [&](int c, const QString& text, const QFontMetricsF& metrics) {
            for (const QStringView word : QStringView(text).split(u' ', Qt::SkipEmptyParts))
                least[c] = std::max(least[c], metrics.horizontalAdvance(word.toString()));
        };
        for (int c = 0; c < kReportColumns; ++c)
            fitWords(c, QString::fromLatin1(kReportColumnNames[c]), m_boldMetrics);
        m_widths.resize(rows.size() * kReportColumns);
        float* width = m_widths.data();
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < kReportColumns; ++c, ++width) {
                const QString& text = rows[r][c];
                // Rooms, sections and notes repeat from row to row: measured once.
                if (r > 0 && text == rows[r - 1][c]) {
                    *width = width[-kReportColumns];
                    continue;
                }
                *width = static_cast<float>(m_metrics.horizontalAdvance(text));
                most[c] = std::max(most[c], qreal(*width));
                if (*width > least[c])
                    fitWords(c, text, m_metrics);
            }
        }
        const qreal total = m_body.width();
        std::array<qreal, kReportColumns> want{};
        qreal wanted = 0;
        for (int c = 0; c < kReportColumns; ++c) {
            least[c] += extra;
            most[c] += extra;
            const qreal share = total * kReportColumnPercents[c] / 100.0;
            want[c] = std::max(least[c], std::min(share, most[c]));
            wanted += want[c];
        }
        const qreal leastTotal = std::accumulate(least.begin(), least.end(), qreal(0));
        qreal room = total - wanted;
        // The columns needing least first, so that as few columns as can be wrap their texts.
        std::array<int, kReportColumns> order;
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return most[a] - want[a] < most[b] - want[b]; });
        for (int c : order) {
            const qreal given = std::clamp(most[c] - want[c], qreal(0), std::max(room, qreal(0)));
            want[c] += given;
            room -= given;
        }
        for (int c = 0; c < kReportColumns; ++c) {
            if (room > 0)
                want[c] += room * kReportColumnPercents[c] / 100.0;
            else if (leastTotal >= total) // even the longest words do not fit: they are broken
                want[c] = least[c] * total / leastTotal;
            else if (room < 0) // what columns want beyond their longest words, in proportion
                want[c] =
                    least[c] + (want[c] - least[c]) * (total - leastTotal) / (wanted - leastTotal);
        }
        qreal x = m_body.left();
        for (int c = 0; c < kReportColumns; ++c) {
            m_columnX[c] = x;
            x += want[c];
        }
        m_columnX[kReportColumns] = m_body.right();
    }

    qreal cellWidth(int column) const {
        return m_columnX[column + 1] - m_columnX[column] - 2 * m_padding - m_border;
    }
    qreal customWidth() const { return m_body.right() - m_columnX[kFirstCustomColumn]; }

    void head(QPainter& painter, const QRectF& band) {
        m_headY = band.top();
        painter.fillRect(band, kHeadColor);
        painter.setFont(m_bold);
        for (int c = 0; c < kReportColumns; ++c) {
            const qreal top = c < kFirstCustomColumn ? band.top() : band.top() + m_headLine;
            painter.drawText(QRectF(m_columnX[c] + m_padding, top + m_padding, cellWidth(c),
                                    band.bottom() - top),
                             kHeadFlags, QString::fromLatin1(kReportColumnNames[c]));
        }
        const QRectF customCell(m_columnX[kFirstCustomColumn], band.top(), customWidth(),
                                m_headLine);
        painter.drawText(customCell, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         QString::fromLatin1(kReportCustomField));
        m_lines.append({QLineF(m_body.left(), band.top(), m_body.right(), band.top()),
                        QLineF(customCell.bottomLeft(), customCell.bottomRight()),
                        QLineF(m_body.left(), band.bottom(), m_body.right(), band.bottom())});
        m_tableBottom = band.bottom();
        painter.setFont(m_font);
    }

    // The row's height; most cells fit on one line and are drawn as they are, the others are
    // wrapped at words (and laid out in their column's layout).
    qreal rowHeight(std::size_t index, std::array<bool, kReportColumns>& wrapped) {
        const float* widths = m_widths.data() + index * kReportColumns;
        qreal height = m_metrics.height();
        for (int c = 0; c < kReportColumns; ++c) {
            const qreal width = cellWidth(c);
            wrapped[c] = widths[c] > width;
            if (wrapped[c])
                height = std::max(height, wrap(c, (*m_rows)[index][c], width));
        }
        return height + 2 * m_padding;
    }

    void row(QPainter& painter, std::size_t index, qreal y) {
        std::array<bool, kReportColumns> wrapped{};
        const qreal height = rowHeight(index, wrapped);
        const ShownRow& cells = (*m_rows)[index]; // in the font the heading before left
        for (int c = 0; c < kReportColumns; ++c) {
            const QPointF at(m_columnX[c] + m_padding, y + m_padding);
            if (wrapped[c])
                m_layouts[c]->draw(&painter, at);
            else if (!cells[c].isEmpty())
                painter.drawText(at + QPointF(0, m_metrics.ascent()), cells[c]);
        }
        m_tableBottom = y + height;
        m_lines.append(QLineF(m_body.left(), m_tableBottom, m_body.right(), m_tableBottom));
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
    void closeTable(QPainter& painter) {
        if (m_headY < 0)
            return;
        for (int c = 0; c <= kReportColumns; ++c) {
            // "Custom field" spans its three columns.
            const bool underCustom = c > kFirstCustomColumn && c < kReportColumns;
            const qreal top = underCustom ? m_headY + m_headLine : m_headY;
            m_lines.append(QLineF(m_columnX[c], top, m_columnX[c], m_tableBottom));
        }
        painter.setPen(QPen(kBorderColor, m_border));
        painter.drawLines(m_lines);
        painter.setPen(QPen(Qt::black));
        m_lines.clear();
        m_headY = -1;
    }

    QPagedPaintDevice& m_printer;
    PagePainter& m_pages;
    QFont m_font;
    QFont m_bold;
    QFontMetricsF m_metrics;
    QFontMetricsF m_boldMetrics;
    qreal m_pixel = 1;
    qreal m_padding = 0;
    qreal m_border = 0;
    QRectF m_body;
    const std::vector<ShownRow>* m_rows = nullptr;
    std::vector<std::unique_ptr<QTextDocument>> m_paragraphs;
    std::array<qreal, kReportColumns + 1> m_columnX{};
    std::array<std::unique_ptr<QTextLayout>, kReportColumns> m_layouts;
    std::vector<float> m_widths; // of every cell's text on one line, row after row
    QList<QLineF> m_lines;
    qreal m_headY = -1;   // where the table starts on the page painted; negative outside it
    qreal m_headLine = 0; // the height of one heading row
    qreal m_tableBottom = 0;
};

} // namespace

bool printReport(const ReportTable& table, const QFont& font, QPagedPaintDevice& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PagePainter pages(printer, 2 / 2.54 * printer.logicalDpiY()); // as Qt's printing of a document
    ReportPages report(printer, pages, font);
    std::vector<ShownRow> rows;
    if (table.body() != ReportTable::Body::Rows) {
        // No table: a few paragraphs.
        report.paragraphs(fromReportUtf8(writeReport(table)));
    } else {
        rows.reserve(table.rowCount());
        for (std::size_t r = 0; r < table.rowCount(); ++r)
            rows.push_back(shownRow(table, r));
        report.paragraphs(fromReportUtf8(reportHeading(table.criteria())));
        report.table(rows);
        report.paragraphs(fromReportUtf8(reportStatistics(table)));
    }
    const bool painted = pages.paint(painter);
    return painter.end() && painted;
}

} // namespace ardenvo
