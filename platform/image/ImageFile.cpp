#include "platform/image/ImageFile.h"

#include "platform/image/PcxDecoder.h"
#include "platform/image/TgaDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace ardenvo {

namespace {

// Every read allocates at most the pixels of the largest picture, at 32 bits each.
constexpr int kAllocationLimitMB = int(ImageFile::kMaxPixels * 4 / (1024 * 1024));
// The file our own decoders read whole: a picture at the limit, uncompressed, with room to spare.
constexpr qint64 kMostOwnFileBytes = qint64(ImageFile::kMaxPixels) * 4 + 1024 * 1024;
// A picture this small decodes in a moment whatever its file claims.
constexpr qint64 kAlwaysPlausiblePixels = 1024 * 1024;

// The formats we offer through Qt, with the most pixels one byte of each can encode: a blank
// picture at the best compression the format allows (deflate 1032:1 of 1-bit rows for PNG, long
// LZW strings for GIF, a few bits per 8 x 8 block for JPEG, a bit per blank row of a fax page
// for TIFF). A file whose picture needs more is damaged or made to exhaust memory. Qt's plugins
// read more kinds (svg, ico, webp, ...), but a picture file of another kind is refused rather
// than handed to a decoder nobody meant to use.
struct QtFormat {
    const char* name;
    qint64 mostPixelsPerByte;
};
constexpr QtFormat kQtFormats[] = {
    {"bmp", 128}, {"jpeg", 1024}, {"gif", 4096}, {"png", 8256}, {"tiff", 262144},
};

const QtFormat* qtFormat(const QByteArray& format) {
    for (const QtFormat& f : kQtFormats) {
        if (format == f.name)
            return &f;
    }
    return nullptr;
}

const std::uint8_t* bytesOf(const QByteArray& bytes) {
    return reinterpret_cast<const std::uint8_t*>(bytes.constData());
}

// Our own decoders' formats, by their headers; nullptr for any other file.
const char* ownFormat(const QByteArray& head) {
    const auto size = static_cast<std::size_t>(head.size());
    if (pcx::looksLikePcx(bytesOf(head), size))
        return "pcx";
    // A TGA header's second byte is 0 or 1, which no signature of Qt's formats starts with.
    if (tga::looksLikeTga(bytesOf(head), size))
        return "tga";
    return nullptr;
}

// Whether the first picture of a TIFF file is stored in tiles rather than strips.
bool tiledTiff(QIODevice& device) {
    if (!device.seek(0))
        return false;
    const QByteArray head = device.read(8);
    if (head.size() < 8 ||
        (!head.startsWith(QByteArray("II*\0", 4)) && !head.startsWith(QByteArray("MM\0*", 4))))
        return false;
    const bool little = head[0] == 'I';
    const auto word = [little](const char* p, int n) {
        quint32 v = 0;
        for (int i = 0; i < n; ++i) {
            const quint32 byte = static_cast<unsigned char>(p[little ? n - 1 - i : i]);
            v = (v << 8) | byte;
        }
        return v;
    };
    constexpr quint32 kTileWidthTag = 322;
    if (!device.seek(word(head.constData() + 4, 4)))
        return false;
    const QByteArray count = device.read(2);
    if (count.size() < 2)
        return false;
    const QByteArray entries = device.read(qint64(word(count.constData(), 2)) * 12);
    for (qsizetype at = 0; at + 12 <= entries.size(); at += 12) {
        if (word(entries.constData() + at, 2) == kTileWidthTag)
            return true;
    }
    return false;
}

// Our decoders write straight into the picture that is kept.
class ImageTarget final : public image::PixelTarget {
public:
    explicit ImageTarget(const std::function<bool()>& wanted) : m_wanted(wanted) {}

    bool allocate(int width, int height, bool hasAlpha) override {
        m_image = QImage(width, height, hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        return !m_image.isNull();
    }
    std::uint32_t* row(int y) override {
        return reinterpret_cast<std::uint32_t*>(m_image.scanLine(y));
    }
    bool wanted() const override { return !m_wanted || m_wanted(); }
    void discard() override { m_image = QImage(); }
    QImage take() { return std::move(m_image); }

private:
    const std::function<bool()>& m_wanted;
    QImage m_image;
};

// Set on a thread while a decoder finishes a file it was stopped in.
thread_local bool t_stoppedDecoding = false;
// The handler before ours; set just after ours is installed, so a message in between is written
// as Qt would.
std::atomic<QtMessageHandler> g_nextHandler{nullptr};

// A decoder stopped for want of data says so ("premature end of data segment"); that is not
// about the file, which nobody should then think damaged. Every other message goes on.
void quietWhileStopped(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (t_stoppedDecoding && context.category &&
        std::strncmp(context.category, "qt.gui.imageio", 14) == 0)
        return;
    if (const QtMessageHandler next = g_nextHandler.load())
        next(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

void quietStoppedDecoders() {
    static std::once_flag once;
    std::call_once(once, [] { g_nextHandler = qInstallMessageHandler(quietWhileStopped); });
}

// The file as Qt's decoders read it, giving no more bytes once the picture is no longer wanted:
// a decoder that runs out of data finishes at once (JPEG fills the rest of the picture), so a
// decoding Qt offers no way to stop ends within a few kilobytes.
class WantedFile final : public QIODevice {
public:
    WantedFile(QFile& file, const std::function<bool()>& wanted) : m_file(file), m_wanted(wanted) {
        // Unbuffered, so that every read reaches readData and a seek is the file's own.
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool stopped() const { return m_stopped; }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_file.seek(pos); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (m_stopped || !m_wanted()) {
            if (!m_stopped)
                quietStoppedDecoders();
            m_stopped = true;
            t_stoppedDecoding = true;
            return -1;
        }
        return m_file.read(data, maxSize);
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QFile& m_file;
    const std::function<bool()>& m_wanted;
    bool m_stopped = false;
};

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
    m_stopped = false;
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

    if (const char* format = ownFormat(file.peek(static_cast<qint64>(pcx::kHeaderSize)))) {
        if (file.size() > kMostOwnFileBytes)
            return fail(QStringLiteral("The picture is too large"));
        const QByteArray bytes = file.readAll();
        if (bytes.size() != file.size())
            return fail(file.errorString());
        return loadOwn(bytes, format, maxSize);
    }
    if (!m_wanted)
        return loadWithQt(file, maxSize);
    WantedFile wanted(file, m_wanted);
    const bool loaded = loadWithQt(wanted, maxSize);
    t_stoppedDecoding = false;
    // What a decoder made of the bytes it was given before it stopped is not the picture.
    if (wanted.stopped()) {
        fail(QStringLiteral("Decoding stopped"));
        m_stopped = true;
        return false;
    }
    return loaded;
}

bool ImageFile::loadOwn(const QByteArray& bytes, const char* format, const QSize& maxSize) {
    ImageTarget target(m_wanted);
    const auto size = static_cast<std::size_t>(bytes.size());
    const char* error = nullptr;
    bool stopped = false;
    if (std::strcmp(format, "pcx") == 0) {
        if (const pcx::Error e = pcx::decode(bytesOf(bytes), size, target); e != pcx::Error::None) {
            error = pcx::errorText(e);
            stopped = e == pcx::Error::Stopped;
        }
    } else if (const tga::Error e = tga::decode(bytesOf(bytes), size, target);
               e != tga::Error::None) {
        error = tga::errorText(e);
        stopped = e == tga::Error::Stopped;
    }
    if (error) {
        fail(QString::fromLatin1(error));
        m_stopped = stopped;
        return false;
    }
    QImage image = target.take();
    const QSize natural = image.size();
    adopt(std::move(image), natural, format, maxSize);
    return true;
}

bool ImageFile::loadWithQt(QIODevice& device, const QSize& maxSize) {
    QImageReader reader;
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    reader.setDevice(&device);
    if (!reader.canRead())
        return fail(QStringLiteral("Unknown image format"));
    const QByteArray format = reader.format().toLower();
    const QtFormat* known = qtFormat(format);
    if (!known)
        return fail(
            QStringLiteral("Unsupported image format: %1").arg(QString::fromLatin1(format)));

    // Refused before any decoder allocates, since not every plugin honours the reader's limit and
    // a decoder fills what its data lacks.
    const QSize natural = reader.size();
    if (!natural.isValid() || natural.isEmpty())
        return fail(QStringLiteral("The picture's size cannot be read"));
    const qint64 pixels = qint64(natural.width()) * natural.height();
    if (pixels > qint64(kMaxPixels))
        return fail(QStringLiteral("The picture is too large"));
    if (pixels > kAlwaysPlausiblePixels && pixels > device.size() * known->mostPixelsPerByte)
        return fail(QStringLiteral("The file is too small for the picture it claims"));
    // A decoder that scales while decoding (JPEG) only ever holds the smaller picture.
    const QSize target = fitInside(natural, maxSize);
    if (target != natural)
        reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull()) {
        if (format == "tiff" && tiledTiff(device))
            return fail(QStringLiteral("TIFF pictures stored in tiles of this kind are not "
                                       "supported"));
        return fail(reader.errorString());
    }
    adopt(std::move(image), natural, known->name, maxSize);
    return true;
}

void ImageFile::adopt(QImage image, const QSize& natural, const char* format,
                      const QSize& maxSize) {
    m_naturalSize = natural;
    const QSize target = fitInside(natural, maxSize);
    if (image.size() != target && image.width() > target.width())
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_image = std::move(image);
    m_format = QString::fromLatin1(format);
}

void ImageFile::setPicture(QImage pixels, const QSize& natural, const QString& format,
                           const QSize& maxSize) {
    clear();
    m_naturalSize = natural;
    m_image = std::move(pixels);
    m_format = format;
    shrink(maxSize);
}

void ImageFile::shrink(const QSize& maxSize) {
    const QSize target = fitInside(m_image.size(), maxSize);
    if (target != m_image.size())
        m_image = m_image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QSize ImageFile::readSize(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!qtFormat(reader.format().toLower()))
        return QSize();
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() ||
        qint64(size.width()) * size.height() > qint64(kMaxPixels))
        return QSize();
    return size;
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
