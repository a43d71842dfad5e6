#pragma once

#include <QRectF>

#include <cstddef>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace ardenvo {

// Lays a printed report out on the pages of a printer or PDF writer and paints them, for the
// search report and the inventory report alike: the body inside the page layout's margins and an
// inset, bands of content down the body one after another (a band that does not fit moves to the
// next page), a heading repeated at the top of every page it runs onto, and "Page N of M" below
// every page's body, so loose sheets stay in order. Lengths are in the device's pixels.
class PagePainter {
public:
    // Paints a band; `band` is where it lies on its page.
    using Paint = std::function<void(QPainter& painter, const QRectF& band)>;
    // Runs after the bands of page `page` (from 0), before its number.
    using PageEnd = std::function<void(QPainter& painter, int page)>;
    // Told each page painted, of all; false stops the painting.
    using Progress = std::function<bool(int done, int total)>;

    explicit PagePainter(QPagedPaintDevice& device, qreal inset = 0);

    // Where the bands go on every page, in the painter's coordinates.
    QRectF body() const { return m_body; }

    // A band `height` high below the last; a band taller than a page starts one and runs over.
    void add(qreal height, Paint paint);
    // Leaves room below the last band, unless the page is still empty.
    void space(qreal height);
    // Places the heading here, kept on the page of the band after it, and repeats it at the top of
    // every page begun from now on; `clearHeading` ends that.
    void setHeading(qreal height, Paint paint);
    void clearHeading();
    // The next band begins a page.
    void breakPage();
    void setPageEnd(PageEnd end) { m_pageEnd = std::move(end); }

    int pageCount() const { return m_page + 1; }

    // Paints every page on the device through `painter`, begun on it; false when `progress`
    // stopped it or a page could not be begun.
    bool paint(QPainter& painter, const Progress& progress = {});

private:
    struct Band {
        qreal height = 0;
        Paint paint;
    };
    struct Placed {
        std::size_t band = 0;
        int page = 0;
        qreal top = 0;
        bool heading = false;
    };

    void place(std::size_t band, bool heading);
    void newPage();

    QPagedPaintDevice& m_device;
    QRectF m_body;
    qreal m_footerHeight = 0;
    std::vector<Band> m_bands;
    std::vector<Placed> m_placed;
    PageEnd m_pageEnd;
    std::size_t m_heading = 0; // the band of the heading in force
    bool m_hasHeading = false;
    bool m_breakPending = false;
    bool m_pageEmpty = true; // nothing but the heading on the page
    int m_page = 0;
    qreal m_y = 0;
};

} // namespace ardenvo
