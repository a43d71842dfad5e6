#include "platform/image/ImageFile.h"

#include "platform/image/PcxDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <cstring>

namespace ardenvo {

namespace {

constexpr qint64 kAllocationLimitBytes = qint64(ImageFile::kAllocationLimitMB) * 1024 * 1024;

// The formats we offer. Qt's plugins read more (svg, ico, webp, ...), but a picture file of
// another kind is refused rather than handed to a decoder nobody meant to use.
bool acceptedFormat(const QByteArray& format) {
    static const char* const kFormats[] = {"bmp", "jpeg", "gif", "png", "tga", "tiff"};
    for (const char* f : kFormats) {
        if (format == f)
            return true;
    }
    return false;
}

constexpr qint64 kTgaHeaderSize = 18;

// An uncompressed true-colour TGA header, the kind Qt's reader decodes.
bool looksLikeOldTga(const QByteArray& header) {
    if (header.size() < kTgaHeaderSize)
        return false;
    const auto byte = [&](int i) {
        return static_cast<unsigned char>(header[i]);
    };
    const int depth = byte(16);
    return byte(1) == 0 && byte(2) == 2 && (depth == 16 || depth == 24 || depth == 32) &&
           (byte(12) | byte(13)) != 0 && (byte(14) | byte(15)) != 0;
}

} // namespace

QSize ImageFile::fitInside(const QSize& size, const QSize& maxSize) {
    if (!maxSize.isValid() || maxSize.isEmpty() || size.isEmpty())
        return size;
    if (size.width() <= maxSize.width() && size.height() <= maxSize.height())
        return size;
    const QSize scaled = size.scaled(maxSize, Qt::KeepAspectRatio);
    return QSize(std::max(1, scaled.width()), std::max(1, scaled.height()));
}

void ImageFile::clear() {
    m_image = QImage();
    m_naturalSize = QSize();
    m_format.clear();
    m_error.clear();
}

bool ImageFile::fail(const QString& error) {
    clear();
    m_error = error;
    return false;
}

bool ImageFile::load(const QString& path, const QSize& maxSize) {
    clear();
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("No such file"));
    // A pipe or a device could block or never end; pictures are plain files.
    if (!info.isFile())
        return fail(QStringLiteral("Not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());

    const QByteArray head = file.peek(static_cast<qint64>(pcx::kHeaderSize));
    if (pcx::looksLikePcx(reinterpret_cast<const std::uint8_t*>(head.constData()),
                          static_cast<std::size_t>(head.size()))) {
        if (file.size() > kAllocationLimitBytes)
            return fail(QStringLiteral("The picture is too large"));
        const QByteArray bytes = file.readAll();
        if (bytes.size() != file.size())
            return fail(file.errorString());
        return loadPcx(bytes, maxSize);
    }
    return loadWithQt(file, maxSize);
}

bool ImageFile::loadFromData(const QByteArray& bytes, const QSize& maxSize) {
    clear();
    if (pcx::looksLikePcx(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size())))
        return loadPcx(bytes, maxSize);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return loadWithQt(buffer, maxSize);
}

bool ImageFile::loadPcx(const QByteArray& bytes, const QSize& maxSize) {
    pcx::Image decoded;
    const pcx::Error error = pcx::decode(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                         static_cast<std::size_t>(bytes.size()), decoded);
    if (error != pcx::Error::None)
        return fail(QString::fromLatin1(pcx::errorText(error)));

    QImage image(decoded.width, decoded.height,
                 decoded.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return fail(QStringLiteral("The picture is too large"));
    const std::size_t rowBytes = static_cast<std::size_t>(decoded.width) * 4;
    for (int y = 0; y < decoded.height; ++y)
        std::memcpy(image.scanLine(y),
                    decoded.pixels.data() + static_cast<std::size_t>(y) * decoded.width, rowBytes);
    decoded.pixels = {};

    m_naturalSize = image.size();
    const QSize target = fitInside(m_naturalSize, maxSize);
    m_image = target == m_naturalSize
                  ? image
                  : image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_format = QStringLiteral("pcx");
    return true;
}

bool ImageFile::loadWithQt(QIODevice& device, const QSize& maxSize) {
    QImageReader reader;
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    reader.setDevice(&device);
    const bool detected = reader.canRead();
    const QByteArray format = detected ? reader.format().toLower() : QByteArray();
    if (detected && acceptedFormat(format))
        return readWith(reader, format, maxSize);

    // A TGA file has no signature, and one that starts like an icon is taken for one: TGA is
    // therefore tried last, by its header's own checks.
    device.seek(0);
    QImageReader tga(&device, "tga");
    tga.setAllocationLimit(kAllocationLimitMB);
    if (tga.canRead())
        return readWith(tga, "tga", maxSize);
    // Qt's reader wants the footer of the format's second version, which older files lack. Such
    // a file reads as itself with an empty footer added.
    device.seek(0);
    if (looksLikeOldTga(device.peek(kTgaHeaderSize)) && device.size() <= kAllocationLimitBytes) {
        QByteArray bytes = device.readAll();
        bytes.append(QByteArray(8, '\0'));
        bytes.append("TRUEVISION-XFILE.", 17);
        bytes.append('\0');
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader footed(&buffer, "tga");
        footed.setAllocationLimit(kAllocationLimitMB);
        if (footed.canRead())
            return readWith(footed, "tga", maxSize);
    }
    if (detected)
        return fail(
            QStringLiteral("Unsupported image format: %1").arg(QString::fromLatin1(format)));
    return fail(QStringLiteral("Unknown image format"));
}

bool ImageFile::readWith(QImageReader& reader, const QByteArray& format, const QSize& maxSize) {
    const QSize natural = reader.size();
    if (natural.isValid()) {
        // Refuse before any decoder allocates, since not every plugin honours the reader's limit.
        // A decoder that scales while decoding (JPEG) only ever holds the smaller picture.
        const QSize target = fitInside(natural, maxSize);
        const QSize held = reader.supportsOption(QImageIOHandler::ScaledSize) ? target : natural;
        if (qint64(held.width()) * held.height() * 4 > kAllocationLimitBytes)
            return fail(QStringLiteral("The picture is too large"));
        if (target != natural)
            reader.setScaledSize(target);
    }
    QImage image = reader.read();
    if (image.isNull())
        return fail(reader.errorString());
    m_naturalSize = natural.isValid() ? natural : image.size();
    const QSize target = fitInside(m_naturalSize, maxSize);
    if (image.size() != target && image.width() > target.width())
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_image = std::move(image);
    m_format = QString::fromLatin1(format);
    return true;
}

void ImageFile::draw(QPainter& painter, const QPoint& topLeft) const {
    draw(painter, QRect(topLeft, m_naturalSize));
}

void ImageFile::draw(QPainter& painter, const QRect& target) const {
    if (m_image.isNull() || target.isEmpty())
        return;
    if (target.size() == m_image.size()) {
        painter.drawImage(target.topLeft(), m_image);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
    painter.restore();
}

} // namespace ardenvo
