#include "search/inventory/InventoryDocument.h"

#include "platform/SafeDevice.h"
#include "search/inventory/InventoryHtml.h"
#include "search/inventory/InventoryReport.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <map>

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

// "Page N of M" in the bottom margin, so loose sheets handed to an insurer stay in order.
void paintPageNumber(QPainter& painter, int index, int pages, const QSizeF& page,
                     const QMarginsF& margins) {
    painter.save();
    QFont font = painter.font();
    font.setPointSizeF(8);
    painter.setFont(font);
    painter.setPen(Qt::darkGray);
    const QRectF footer(0, page.height(), page.width(), margins.bottom() / 2);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(index + 1).arg(pages));
    painter.restore();
}

} // namespace

std::unique_ptr<QTextDocument> makeInventoryDocument(const InventoryReport& report,
                                                     const ThumbnailSet& thumbnails) {
    auto doc = std::make_unique<QTextDocument>();
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
    const int dpi = device.logicalDpiY();
    const QSizeF page = device.pageLayout().paintRectPixels(dpi).size();
    DeviceLayout layout(doc, &device, page);
    const int pages = doc.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        paintPage(doc, painter, i, page);
        paintPageNumber(painter, i, pages, page, device.pageLayout().marginsPixels(dpi));
        if (progress && !progress(i + 1, pages)) {
            painter.end();
            return false;
        }
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
