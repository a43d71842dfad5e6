#include "search/inventory/PagePainter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace ardenvo {

PagePainter::PagePainter(QPagedPaintDevice& device, qreal inset) : m_device(device) {
    const int dpi = device.logicalDpiY();
    const QSizeF page = device.pageLayout().paintRectPixels(dpi).size();
    m_body = QRectF(inset, inset, page.width() - 2 * inset, page.height() - 2 * inset);
    // The number sits in the upper half of what lies below the body.
    m_footerHeight = (inset + device.pageLayout().marginsPixels(dpi).bottom()) / 2;
    m_y = m_body.top();
}

void PagePainter::place(std::size_t band, bool heading) {
    m_placed.push_back({band, m_page, m_y, heading});
    m_y += m_bands[band].height;
}

void PagePainter::newPage() {
    ++m_page;
    m_y = m_body.top();
    m_pageEmpty = true;
    m_breakPending = false;
    if (m_hasHeading)
        place(m_heading, true);
}

void PagePainter::add(qreal height, Paint paint) {
    if (m_breakPending || (!m_pageEmpty && m_y + height > m_body.bottom())) {
        // A heading just placed goes along with the band it heads: the new page repeats it.
        while (!m_placed.empty() && m_placed.back().heading && m_placed.back().page == m_page &&
               !m_breakPending)
            m_placed.pop_back();
        newPage();
    }
    m_bands.push_back({height, std::move(paint)});
    place(m_bands.size() - 1, false);
    m_pageEmpty = false;
}

void PagePainter::space(qreal height) {
    if (!m_pageEmpty)
        m_y += height;
}

void PagePainter::setHeading(qreal height, Paint paint) {
    m_bands.push_back({height, std::move(paint)});
    m_heading = m_bands.size() - 1;
    m_hasHeading = true;
    if (m_breakPending || (!m_pageEmpty && m_y + height > m_body.bottom()))
        newPage(); // which places it
    else
        place(m_heading, true);
}

void PagePainter::clearHeading() {
    m_hasHeading = false;
}

void PagePainter::breakPage() {
    m_breakPending = true;
}

bool PagePainter::paint(QPainter& painter, const Progress& progress) {
    const int pages = pageCount();
    QFont footerFont = painter.font();
    footerFont.setPointSizeF(8);
    std::size_t next = 0;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !m_device.newPage())
            return false;
        for (; next < m_placed.size() && m_placed[next].page == page; ++next) {
            const Placed& placed = m_placed[next];
            const Band& band = m_bands[placed.band];
            if (band.paint)
                band.paint(painter, QRectF(m_body.left(), placed.top, m_body.width(), band.height));
        }
        if (m_pageEnd)
            m_pageEnd(painter, page);
        painter.save();
        painter.setFont(footerFont);
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(m_body.left(), m_body.bottom(), m_body.width(), m_footerHeight),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
        painter.restore();
        if (progress && !progress(page + 1, pages))
            return false;
    }
    return true;
}

} // namespace ardenvo
