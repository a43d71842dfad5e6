#include "search/inventory/InventoryDocument.h"

#include "platform/SafeDevice.h"
#include "search/inventory/InventoryHtml.h"
#include "search/inventory/InventoryReport.h"
#include "search/inventory/PagePainter.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>

#include <algorithm>
#include <map>
#include <vector>

namespace ardenvo {
namespace {

constexpr int kPdfResolution = 300;
const QMarginsF kMarginsMm{15, 15, 15, 15};

QPageLayout a4Layout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMarginsMm,
                       QPageLayout::Millimeter);
}

// Puts the document back as it was laid out for the screen when a paint is over.
class DeviceLayout {
public:
    DeviceLayout(QTextDocument& doc, QPaintDevice* device, const QSizeF& page)
        : m_doc(doc), m_oldDevice(doc.documentLayout()->paintDevice()), m_oldPage(doc.pageSize()) {
        m_doc.documentLayout()->setPaintDevice(device);
        m_doc.setPageSize(page);
    }
    ~DeviceLayout() {
        m_doc.documentLayout()->setPaintDevice(m_oldDevice);
        m_doc.setPageSize(m_oldPage);
    }
    DeviceLayout(const DeviceLayout&) = delete;
    DeviceLayout& operator=(const DeviceLayout&) = delete;

private:
    QTextDocument& m_doc;
    QPaintDevice* m_oldDevice;
    QSizeF m_oldPage;
};

// Marks the page breaks set by keepTablesOnPages, so the next layout can take them back.
constexpr int kKeepBreak = QTextFormat::UserProperty + 1;

// One piece of the page flow: a table or a paragraph, with its extent on one endless page.
struct FlowItem {
    QTextFrame* frame = nullptr;
    QTextBlock block;
    qreal top = 0;
    qreal bottom = 0;
};

std::vector<FlowItem> flowItems(QTextDocument& doc) {
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    std::vector<FlowItem> all;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        FlowItem item;
        QRectF extent;
        if ((item.frame = it.currentFrame()))
            extent = layout->frameBoundingRect(item.frame);
        else
            extent = layout->blockBoundingRect(item.block = it.currentBlock());
        item.top = extent.top();
        item.bottom = extent.bottom();
        all.push_back(item);
    }
    // The empty paragraph before and after each table is drawn inside the table's border.
    std::vector<FlowItem> items;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool besideTable =
            (i > 0 && all[i - 1].frame) || (i + 1 < all.size() && all[i + 1].frame);
        if (!all[i].frame && all[i].block.length() <= 1 && besideTable)
            continue;
        items.push_back(all[i]);
    }
    return items;
}

bool breaksBefore(const FlowItem& item) {
    const QTextFormat format =
        item.frame ? QTextFormat(item.frame->frameFormat()) : QTextFormat(item.block.blockFormat());
    return !format.hasProperty(kKeepBreak) &&
           (format.intProperty(QTextFormat::PageBreakPolicy) & QTextFormat::PageBreak_AlwaysBefore);
}

void setKeepBreak(QTextCursor& cursor, const FlowItem& item, bool on) {
    const auto apply = [on](QTextFormat& format) {
        format.setProperty(
            QTextFormat::PageBreakPolicy,
            int(on ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto));
        if (on)
            format.setProperty(kKeepBreak, true);
        else
            format.clearProperty(kKeepBreak);
    };
    if (item.frame) {
        QTextFrameFormat format = item.frame->frameFormat();
        apply(format);
        item.frame->setFrameFormat(format);
    } else {
        cursor.setPosition(item.block.position());
        QTextBlockFormat format = item.block.blockFormat();
        apply(format);
        cursor.setBlockFormat(format);
    }
}

// Qt ends a page wherever it falls, even between an object's row and its photo, which then
// opens the next page as if it belonged to the object after it. So every table that fits on a
// page starts a new page when it would cross the end of one, and a heading right before it
// goes along. The breaks are chosen in one pass over the heights of an endless page, filling
// pages as the layout does. A paragraph that crosses an end is taken as moving whole (the
// layout only moves its lines that cross), so the estimate never places anything higher than
// it will be: a table held to fit does fit.
void keepTablesOnPages(QTextDocument& doc, const QSizeF& page) {
    doc.setPageSize(QSizeF(page.width(), -1));
    const std::vector<FlowItem> items = flowItems(doc);
    const qreal margin = doc.documentMargin();
    const qreal slack = page.height() / 400; // rounding of the layout's fixed-point lengths
    const qreal usable = page.height() - 2 * margin - slack;
    std::vector<std::size_t> breaks;
    int pageIndex = 0;
    qreal y = margin;
    qreal previousBottom = margin;
    const auto newPage = [&] {
        ++pageIndex;
        y = pageIndex * page.height() + margin;
    };
    // The heading just placed and where the flow stood before it.
    std::size_t heading = items.size();
    qreal beforeHeading = 0;
    int headingPage = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const FlowItem& item = items[i];
        const qreal gap = std::max<qreal>(0, item.top - previousBottom);
        const qreal height = item.bottom - item.top;
        previousBottom = item.bottom;
        const std::size_t lastHeading = heading;
        heading = items.size();
        if (breaksBefore(item)) {
            newPage();
            y += (item.frame ? 0 : gap) + height;
        } else if (y + gap + height <= (pageIndex + 1) * page.height() - margin - slack) {
            if (!item.frame && item.block.blockFormat().headingLevel() > 0) {
                heading = i;
                beforeHeading = y;
                headingPage = pageIndex;
            }
            y += gap + height;
        } else if (item.frame && height <= usable) {
            const qreal withHeading = y + gap + height - beforeHeading;
            if (lastHeading + 1 == i && headingPage == pageIndex && withHeading <= usable) {
                breaks.push_back(lastHeading);
                newPage();
                y += withHeading;
            } else {
                breaks.push_back(i);
                newPage();
                y += height;
            }
        } else {
            newPage();
            y += height;
        }
    }

    // Without a page size the layout waits, so the changes cost one layout in all.
    doc.setPageSize(QSizeF());
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (const FlowItem& item : items) {
        const QTextFormat format = item.frame ? QTextFormat(item.frame->frameFormat())
                                              : QTextFormat(item.block.blockFormat());
        if (format.hasProperty(kKeepBreak))
            setKeepBreak(cursor, item, false);
    }
    for (std::size_t i : breaks)
        setKeepBreak(cursor, items[i], true);
    cursor.endEditBlock();
    doc.setPageSize(page);
}

void paintPage(QTextDocument& doc, QPainter& painter, int index, const QSizeF& page) {
    painter.save();
    const QRectF clip(0, index * page.height(), page.width(), page.height());
    painter.translate(0, -clip.top());
    painter.setClipRect(clip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace

std::unique_ptr<QTextDocument> makeInventoryDocument(const InventoryReport& report,
                                                     const ThumbnailSet& thumbnails) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setUndoRedoEnabled(false); // the page breaks set for each layout need no undo
    std::map<std::string, QString> names;
    QTextDocument* target = doc.get();
    const ThumbnailSource source = [&](const std::string& fileName, const Thumbnail& thumb) {
        auto [it, added] = names.emplace(fileName, QString());
        if (added) {
            it->second = QStringLiteral("thumbnail:%1").arg(names.size());
            target->addResource(QTextDocument::ImageResource, QUrl(it->second), thumb.jpeg);
        }
        return it->second.toStdString();
    };
    std::string html;
    bool tooLarge = false;
    streamInventoryHtml(
        report, thumbnails,
        [&](std::string_view piece) {
            tooLarge = tooLarge || html.size() + piece.size() > kMaxDocumentHtmlBytes;
            if (!tooLarge)
                html += piece;
        },
        source);
    if (tooLarge)
        return nullptr;
    doc->setHtml(QString::fromUtf8(html.data(), static_cast<qsizetype>(html.size())));
    return doc;
}

bool paintInventory(QTextDocument& doc, QPagedPaintDevice& device,
                    const InventoryProgress& progress) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PagePainter pages(device);
    const QSizeF page = pages.body().size();
    DeviceLayout layout(doc, &device, page);
    keepTablesOnPages(doc, page);
    // The document breaks its own pages: each is one band filling a page.
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0)
            pages.breakPage();
        pages.add(page.height(),
                  [&doc, i, page](QPainter& p, const QRectF&) { paintPage(doc, p, i, page); });
    }
    if (!pages.paint(painter, progress)) {
        painter.end();
        return false;
    }
    return painter.end();
}

bool writeInventoryPdf(QTextDocument& doc, const QString& path, const QString& title,
                       QString& error, const InventoryProgress& progress) {
    // A cancelled or failed report leaves a file of that name as it was.
    std::string failure;
    const bool written = replaceFileThroughDevice(
        path,
        [&](QIODevice& device) {
            QPdfWriter writer(&device);
            writer.setResolution(kPdfResolution);
            writer.setPageLayout(a4Layout());
            writer.setTitle(title);
            writer.setCreator(QStringLiteral("Ardenvo"));
            return paintInventory(doc, writer, progress);
        },
        &failure);
    if (!written)
        error = failure.empty() ? QStringLiteral("The report was stopped or could not be written.")
                                : QString::fromStdString(failure);
    return written;
}

QImage previewFirstPage(QTextDocument& doc, int width) {
    const QPageLayout layout = a4Layout();
    // Laid out at the screen's 96 pixels to the inch, then scaled to the width asked for.
    const QRect full = layout.fullRectPixels(96);
    const QRect paint = layout.paintRectPixels(96);
    const QSizeF pageSize = paint.size();
    const QSizeF oldPage = doc.pageSize();
    // The first page is the title page: no object reaches it, so no break needs choosing.
    doc.setPageSize(pageSize);
    QImage image(full.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QMarginsF margins = layout.marginsPixels(96);
        painter.translate(margins.left(), margins.top());
        paintPage(doc, painter, 0, pageSize);
    }
    doc.setPageSize(oldPage);
    if (width <= 0 || width == image.width())
        return image;
    return image.scaledToWidth(width, Qt::SmoothTransformation);
}

} // namespace ardenvo
