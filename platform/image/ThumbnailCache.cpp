#include "platform/image/ThumbnailCache.h"

#include "platform/image/ImageFile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace ardenvo {

namespace {

constexpr ThumbnailSize kSizes[] = {ThumbnailSize::Normal, ThumbnailSize::Large,
                                    ThumbnailSize::XLarge, ThumbnailSize::XXLarge};

// A thumbnail file holds at most its pixels at four bytes each, uncompressed, with room for its
// keys: anything longer is not a thumbnail and is not read.
qint64 mostBytesOf(int edge) {
    return qint64(edge) * edge * 4 + 64 * 1024;
}

bool ownDirectory(const std::string& path) {
    struct stat st {};
    // lstat: a link, even to a folder of the user's, could lead the writes anywhere.
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool makeDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

// The whole file, when it is a plain file of the user's no longer than `most` bytes.
std::optional<QByteArray> readOwnFile(const std::string& path, qint64 most) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
        st.st_size > 0 && st.st_size <= most) {
        QByteArray data(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
        qsizetype got = 0;
        while (got < data.size()) {
            const ssize_t n = ::read(fd, data.data() + got, static_cast<size_t>(data.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += n;
        }
        if (got == data.size())
            bytes = std::move(data);
    }
    ::close(fd);
    return bytes;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

int positiveNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value > 0 ? value : 0;
}

QString mimeTypeOf(const QString& format) {
    if (format.isEmpty())
        return {};
    if (format == QLatin1String("tga"))
        return QStringLiteral("image/x-tga");
    if (format == QLatin1String("pcx"))
        return QStringLiteral("image/vnd.zbrush.pcx");
    return QStringLiteral("image/") + format;
}

QString formatOf(const QString& mimeType) {
    if (!mimeType.startsWith(QLatin1String("image/")))
        return {};
    const QString format = mimeType.mid(6);
    if (format == QLatin1String("x-tga"))
        return QStringLiteral("tga");
    if (format == QLatin1String("vnd.zbrush.pcx"))
        return QStringLiteral("pcx");
    return format;
}

} // namespace

ThumbnailCache::ThumbnailCache(std::string root, std::string program)
    : m_root(std::move(root)), m_program(std::move(program)) {
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
}

ThumbnailCache ThumbnailCache::forUser(std::string program) {
    std::string root;
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && *cache == '/') {
        root = std::string(cache) + "/thumbnails";
    } else if (const char* home = std::getenv("HOME"); home && *home == '/') {
        root = std::string(home) + "/.cache/thumbnails";
    }
    return ThumbnailCache(std::move(root), std::move(program));
}

ThumbnailSize ThumbnailCache::sizeFor(const QSize& box) {
    const int longer = std::max(box.width(), box.height());
    for (ThumbnailSize size : kSizes) {
        if (longer <= edgeOf(size))
            return size;
    }
    return ThumbnailSize::XXLarge;
}

const char* ThumbnailCache::folderOf(ThumbnailSize size) {
    switch (size) {
    case ThumbnailSize::Normal:
        return "normal";
    case ThumbnailSize::Large:
        return "large";
    case ThumbnailSize::XLarge:
        return "x-large";
    case ThumbnailSize::XXLarge:
        break;
    }
    return "xx-large";
}

std::string ThumbnailCache::fileUri(const std::string& absolutePath) {
    // Letters, digits and the marks a path may carry as they are; every other byte (blanks,
    // '%', '#', '?', non-ASCII) as %XX, upper case, so the address (and its hash) is the one
    // other programs compute for the same file.
    static constexpr std::string_view kKept = "-._~!$&'()*+,/:=@";
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char c : absolutePath) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || kKept.find(c) != std::string_view::npos) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 15];
        }
    }
    return uri;
}

std::string ThumbnailCache::pathOf(const std::string& uri, ThumbnailSize size) const {
    const QByteArray md5 =
        QCryptographicHash::hash(QByteArray::fromStdString(uri), QCryptographicHash::Md5).toHex();
    return m_root + '/' + folderOf(size) + '/' + md5.toStdString() + ".png";
}

std::string ThumbnailCache::failurePathOf(const std::string& uri) const {
    const QByteArray md5 =
        QCryptographicHash::hash(QByteArray::fromStdString(uri), QCryptographicHash::Md5).toHex();
    return m_root + "/fail/" + m_program + '/' + md5.toStdString() + ".png";
}

std::optional<ThumbnailSource> ThumbnailCache::source(const std::string& path) const {
    if (m_root.empty() || path.empty())
        return std::nullopt;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec)
        return std::nullopt;
    ThumbnailSource found;
    found.path = absolute.lexically_normal().string();
    // Thumbnails are never made of thumbnails.
    if (found.path.rfind(m_root + '/', 0) == 0)
        return std::nullopt;
    struct stat st {};
    if (::stat(found.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        ::access(found.path.c_str(), R_OK) != 0)
        return std::nullopt;
    found.uri = fileUri(found.path);
    found.mtime = static_cast<std::int64_t>(st.st_mtime);
    found.size = static_cast<std::int64_t>(st.st_size);
    return found;
}

std::optional<SharedThumbnail> ThumbnailCache::read(const std::string& path,
                                                    const ThumbnailSource& source, int edge) const {
    std::optional<QByteArray> bytes = readOwnFile(path, mostBytesOf(edge));
    if (!bytes)
        return std::nullopt;
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    // The size is checked before anything is decoded: a PNG claiming more than its folder
    // allows is not a thumbnail.
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.isEmpty() || size.width() > edge ||
        size.height() > edge)
        return std::nullopt;
    QImage image = reader.read();
    if (image.isNull() || image.size() != size)
        return std::nullopt;
    if (image.text(QStringLiteral("Thumb::URI")).toStdString() != source.uri)
        return std::nullopt;
    bool ok = false;
    const qint64 mtime = image.text(QStringLiteral("Thumb::MTime")).toLongLong(&ok);
    if (!ok || mtime != source.mtime)
        return std::nullopt;
    // Times are in whole seconds: a file replaced within the second mostly changes its length.
    const QString length = image.text(QStringLiteral("Thumb::Size"));
    if (!length.isEmpty() && length.toLongLong() != source.size)
        return std::nullopt;
    SharedThumbnail thumb;
    const int width = positiveNumber(image.text(QStringLiteral("Thumb::Image::Width")));
    const int height = positiveNumber(image.text(QStringLiteral("Thumb::Image::Height")));
    if (width && height && qint64(width) * height <= qint64(ImageFile::kMaxPixels))
        thumb.original = QSize(width, height);
    thumb.mimeType = image.text(QStringLiteral("Thumb::Mimetype"));
    thumb.failure = image.text(QStringLiteral("Ardenvo::Error"));
    // Stored with an alpha channel as thumbnails are; a photo's is all opaque, and dropping it
    // gives the very pixels the photo's own decoding gave.
    if (image.hasAlphaChannel()) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        bool opaque = true;
        for (int y = 0; opaque && y < argb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; opaque && x < argb.width(); ++x)
                opaque = qAlpha(line[x]) == 255;
        }
        if (opaque)
            image = argb.convertToFormat(QImage::Format_RGB32);
    }
    // The pixels alone: the keys (the file's address among them) must not travel on into
    // whatever is made of them, a report's pictures for one.
    thumb.pixels = QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                          image.format())
                       .copy();
    return thumb;
}

std::optional<SharedThumbnail> ThumbnailCache::find(const ThumbnailSource& source,
                                                    ThumbnailSize size) const {
    if (m_root.empty() || !ownDirectory(m_root))
        return std::nullopt;
    for (ThumbnailSize each : kSizes) {
        if (edgeOf(each) < edgeOf(size))
            continue;
        const std::string folder = m_root + '/' + folderOf(each);
        if (!ownDirectory(folder))
            continue;
        if (auto thumb = read(pathOf(source.uri, each), source, edgeOf(each)))
            return thumb;
    }
    return std::nullopt;
}

bool ThumbnailCache::ownFolder(const std::string& folder) const {
    if (m_root.empty())
        return false;
    if (!ownDirectory(m_root)) {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(m_root).parent_path(), ec);
        if (!makeDirectory(m_root) || !ownDirectory(m_root))
            return false;
    }
    return (makeDirectory(folder) || errno == EEXIST) && ownDirectory(folder);
}

bool ThumbnailCache::write(const std::string& folder, const std::string& path, QImage image,
                           const ThumbnailSource& source, const QSize& original) const {
    if (!ownFolder(folder))
        return false;
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // The keys go with the picture: the writer's own texts would be split at their colons.
        QImage png = image.convertToFormat(QImage::Format_ARGB32); // 8 bits a channel, alpha
        for (const QString& key : image.textKeys())
            png.setText(key, image.text(key));
        png.setText(QStringLiteral("Thumb::URI"), QString::fromStdString(source.uri));
        png.setText(QStringLiteral("Thumb::MTime"), QString::number(source.mtime));
        png.setText(QStringLiteral("Thumb::Size"), QString::number(source.size));
        if (original.isValid()) {
            png.setText(QStringLiteral("Thumb::Image::Width"), QString::number(original.width()));
            png.setText(QStringLiteral("Thumb::Image::Height"), QString::number(original.height()));
        }
        png.setText(QStringLiteral("Software"), QStringLiteral("Ardenvo"));
        QImageWriter writer(&buffer, "png");
        // zlib's level 3: quicker than its best at a few per cent more bytes.
        writer.setQuality(60);
        if (!writer.write(png))
            return false;
    }
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data()); // mode 0600
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0600) == 0 && writeAll(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

bool ThumbnailCache::store(const ThumbnailSource& source, ThumbnailSize size, const QImage& pixels,
                           const QSize& original, const QString& mimeType) const {
    const int edge = edgeOf(size);
    if (pixels.isNull() || pixels.width() > edge || pixels.height() > edge)
        return false;
    QImage image = pixels;
    if (!mimeType.isEmpty())
        image.setText(QStringLiteral("Thumb::Mimetype"), mimeType);
    return write(m_root + '/' + folderOf(size), pathOf(source.uri, size), std::move(image), source,
                 original);
}

std::optional<QString> ThumbnailCache::failureOf(const ThumbnailSource& source) const {
    const std::string folder = m_root + "/fail/" + m_program;
    if (m_root.empty() || !ownDirectory(m_root) || !ownDirectory(m_root + "/fail") ||
        !ownDirectory(folder))
        return std::nullopt;
    std::optional<SharedThumbnail> record =
        read(failurePathOf(source.uri), source, edgeOf(ThumbnailSize::Normal));
    if (!record)
        return std::nullopt;
    return record->failure;
}

bool ThumbnailCache::recordFailure(const ThumbnailSource& source, const QString& error) const {
    if (!ownFolder(m_root + "/fail"))
        return false;
    QImage empty(1, 1, QImage::Format_ARGB32);
    empty.fill(Qt::transparent);
    // Why, so that the picture is refused with the same words next time.
    empty.setText(QStringLiteral("Ardenvo::Error"), error);
    return write(m_root + "/fail/" + m_program, failurePathOf(source.uri), std::move(empty), source,
                 QSize());
}

bool loadThroughCache(ImageFile& image, const QString& path, const QSize& box,
                      const ThumbnailCache& cache, std::optional<MadeThumbnail>* storeLater) {
    const std::optional<ThumbnailSource> source = cache.source(path.toStdString());
    if (!source)
        return image.load(path, box);
    const ThumbnailSize size = ThumbnailCache::sizeFor(box);
    if (std::optional<SharedThumbnail> thumb = cache.find(*source, size)) {
        QSize original = thumb->original;
        if (!original.isValid())
            original = ImageFile::readSize(path);
        // A thumbnail is never larger than its picture, covers what the box shows of it, and has
        // its proportions (one turned by its camera's tag does not).
        const QSize needed = ImageFile::fitInside(original, box);
        const QSize got = thumb->pixels.size();
        const qint64 skew =
            qint64(got.width()) * original.height() - qint64(got.height()) * original.width();
        if (original.isValid() && got.width() <= original.width() &&
            got.height() <= original.height() && got.width() + 2 >= needed.width() &&
            got.height() + 2 >= needed.height() &&
            std::abs(skew) <= qint64(original.width()) + original.height()) {
            image.setPicture(std::move(thumb->pixels), original, formatOf(thumb->mimeType), box);
            return true;
        }
    }
    if (const std::optional<QString> failure = cache.failureOf(*source))
        return image.refuse(failure->isEmpty() ? QStringLiteral("Unknown image format") : *failure);
    const int edge = ThumbnailCache::edgeOf(size);
    if (!image.load(path, QSize(edge, edge))) {
        if (image.stopped())
            return false;
        // Only a file that is still as it was is known to be unreadable.
        const std::optional<ThumbnailSource> now = cache.source(source->path);
        if (now && now->mtime == source->mtime && now->size == source->size)
            cache.recordFailure(*source, image.errorString());
        return false;
    }
    MadeThumbnail made{*source, size, image.image(), image.naturalSize(),
                       mimeTypeOf(image.format())};
    if (storeLater)
        *storeLater = std::move(made);
    else
        made.store(cache);
    image.shrink(box);
    return true;
}

} // namespace ardenvo
