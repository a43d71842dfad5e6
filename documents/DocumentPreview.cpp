#include "documents/DocumentPreview.h"

#include "platform/image/ImageFile.h"

#include <poppler-qt6.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace ardenvo {

namespace {

// A box that was not given a size gets this one.
constexpr QSize kDefaultBox{256, 256};
// The proportions of an A4 page, for a text file's icon.
constexpr double kPageAspect = 210.0 / 297.0;

// Poppler writes every complaint about a damaged file to the error output; here a damaged file is
// an answer ("damaged"), not a message for the terminal.
void quietPoppler() {
    static std::once_flag once;
    std::call_once(once, [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
    });
}

bool pastDeadline(const QVariant& deadline) {
    return QDateTime::currentMSecsSinceEpoch() > deadline.toLongLong();
}

// The box asked for, bounded by the pixels a picture may have.
QSize boundedBox(const QSize& maxSize) {
    QSize box = maxSize.isValid() && !maxSize.isEmpty() ? maxSize : kDefaultBox;
    while (static_cast<std::size_t>(box.width()) * static_cast<std::size_t>(box.height()) >
           ImageFile::kMaxPixels)
        box /= 2;
    return box.expandedTo(QSize(1, 1));
}

QImage shrunk(QImage image, const QSize& box) {
    if (image.width() > box.width() || image.height() > box.height())
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

void renderPdf(const QString& path, const QSize& box, int timeLimitMs, DocumentPreview& preview) {
    quietPoppler();
    preview.format = QStringLiteral("pdf");
    const std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    if (!doc) {
        preview.problem = QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "damaged"));
        return;
    }
    if (doc->isLocked()) {
        preview.problem = QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "encrypted"));
        return;
    }
    preview.pages = doc->numPages();
    const std::unique_ptr<Poppler::Page> page = preview.pages > 0 ? doc->page(0) : nullptr;
    if (!page) {
        preview.problem = QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "damaged"));
        return;
    }
    const QSizeF points = page->pageSizeF();
    if (!(points.width() > 0 && points.height() > 0) || !std::isfinite(points.width()) ||
        !std::isfinite(points.height())) {
        preview.problem = QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "damaged"));
        return;
    }
    preview.natural = points.toSize();
    // Pixels per point that fit the page inside the box; a page turned by the file may come out
    // the other way round, and is shrunk afterwards.
    const double scale = std::min(box.width() / points.width(), box.height() / points.height());
    const double dpi = std::max(72.0 * scale, 0.5);
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + timeLimitMs;
    QImage image = page->renderToImage(dpi, dpi, -1, -1, -1, -1, Poppler::Page::Rotate0, nullptr,
                                       nullptr, pastDeadline, QVariant(deadline));
    if (image.isNull()) {
        preview.problem = QDateTime::currentMSecsSinceEpoch() > deadline
                              ? QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "takes too long to draw"))
                              : QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "damaged"));
        return;
    }
    preview.image = shrunk(std::move(image), box);
    preview.ok = true;
}

void decodePictureDocument(const QString& path, const QSize& box, DocumentPreview& preview) {
    ImageFile picture;
    if (!picture.load(path, box)) {
        preview.problem = QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "unreadable"));
        return;
    }
    preview.natural = picture.naturalSize();
    preview.format = picture.format();
    preview.image = shrunk(picture.image(), box);
    preview.ok = !preview.image.isNull();
    if (!preview.ok)
        preview.problem = QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "unreadable"));
}

} // namespace

DocumentPreview previewDocument(const QString& path, const QSize& maxSize, int timeLimitMs) {
    DocumentPreview preview;
    const QSize box = boundedBox(maxSize);
    const QFileInfo info(path);
    if (!info.exists()) {
        preview.problem = QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "missing"));
        return preview;
    }
    if (!info.isFile() || !info.isReadable()) {
        preview.problem = QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "unreadable"));
        return preview;
    }
    preview.kind = documentKind(QFile::encodeName(path).toStdString());
    switch (preview.kind) {
    case DocumentKind::Pdf:
        renderPdf(path, box, timeLimitMs, preview);
        break;
    case DocumentKind::Picture:
        decodePictureDocument(path, box, preview);
        break;
    case DocumentKind::Text: {
        const int height = std::min(box.height(), static_cast<int>(box.width() / kPageAspect));
        preview.format = QStringLiteral("text");
        preview.image = textFileIcon(
            QSize(std::max(1, static_cast<int>(height * kPageAspect)), std::max(1, height)));
        preview.ok = true;
        break;
    }
    case DocumentKind::Other:
        preview.problem = QString::fromLatin1(QT_TRANSLATE_NOOP("ardenvo::DocumentPreview", "not a PDF, picture or text file"));
        break;
    }
    if (!preview.ok)
        preview.image = QImage();
    return preview;
}

QImage textFileIcon(const QSize& size) {
    QImage image(size.expandedTo(QSize(8, 8)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF page = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal fold = std::min(page.width(), page.height()) / 5;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.drawPath(outline);
    painter.drawPolyline(QPolygonF({QPointF(page.right() - fold, page.top()),
                                    QPointF(page.right() - fold, page.top() + fold),
                                    QPointF(page.right(), page.top() + fold)}));
    // Lines of text, the last one of each paragraph shorter.
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), std::max(1.0, page.height() / 60)));
    const qreal margin = page.width() / 8;
    const qreal step = std::max(3.0, page.height() / 14);
    int line = 0;
    for (qreal y = page.top() + fold + step; y < page.bottom() - margin; y += step, ++line) {
        const qreal right = line % 4 == 3 ? page.left() + page.width() / 2 : page.right() - margin;
        painter.drawLine(QPointF(page.left() + margin, y), QPointF(right, y));
    }
    return image;
}

QImage documentNotice(const QSize& size, const QString& text) {
    QImage image(size.expandedTo(QSize(16, 16)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QColor dark(0x80, 0, 0);
    painter.setPen(dark);
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    painter.drawText(image.rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, text);
    return image;
}

} // namespace ardenvo
