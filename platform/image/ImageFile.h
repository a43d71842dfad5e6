#pragma once

#include "platform/image/PixelTarget.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QIODevice;
class QImageReader;
class QPainter;
class QRect;

namespace ardenvo {

// One decoded picture file. The format is decided from the file's content, never from its name:
// bmp, jpeg, gif, png (Qt), tiff (Qt's image format plugins), tga and pcx (our own decoders).
// A damaged or hostile file gives an error, never a crash or an allocation beyond a fixed limit:
// a picture of more than image::kMaxPixels pixels, or of far more pixels than its file's bytes
// could encode, is refused before anything is decoded.
class ImageFile {
public:
    static constexpr std::size_t kMaxPixels = image::kMaxPixels;

    // Reads the file. With a valid `maxSize`, a picture larger than it is decoded scaled down to
    // fit inside it, keeping its proportions; the natural size stays the file's own.
    bool load(const QString& path, const QSize& maxSize = QSize());
    void clear();
    // Takes pixels decoded elsewhere (a thumbnail) for a picture of `natural` size, shrunk to fit
    // inside `maxSize` as load does.
    void setPicture(QImage pixels, const QSize& natural, const QString& format,
                    const QSize& maxSize = QSize());
    // Shrinks the decoded pixels to fit inside `maxSize`; the natural size stays.
    void shrink(const QSize& maxSize);
    // Empties it, with `error` as the reason; always false.
    bool refuse(const QString& error) { return fail(error); }
    // The picture's size as the file's header states it, read without decoding; invalid when
    // it cannot be read that way.
    static QSize readSize(const QString& path);
    // Asked while a file is decoded: false stops a decoding whose picture is no longer wanted
    // (the load then fails, and stopped() says why). May be asked on the loading thread only.
    void setWanted(std::function<bool()> wanted) { m_wanted = std::move(wanted); }
    // Whether the last load failed because its picture was no longer wanted, which says nothing
    // of the file.
    bool stopped() const { return m_stopped; }

    bool isNull() const { return m_image.isNull(); }
    // The decoded pixels, at most the maximum size given to load.
    const QImage& image() const { return m_image; }
    // The picture's own size as stored in the file.
    QSize naturalSize() const { return m_naturalSize; }
    int width() const { return m_naturalSize.width(); }
    int height() const { return m_naturalSize.height(); }
    // Lower case: bmp, jpeg, gif, png, tga, tiff or pcx; empty when nothing is loaded.
    const QString& format() const { return m_format; }
    // Why the last load failed.
    const QString& errorString() const { return m_error; }

    // Draws at its natural size with its top-left corner at `topLeft`, or stretched into `target`.
    void draw(QPainter& painter, const QPoint& topLeft) const;
    void draw(QPainter& painter, const QRect& target) const;

    // `size` shrunk to fit inside `maxSize` keeping its proportions (never below 1 x 1); `size`
    // itself when it fits or `maxSize` is not valid.
    static QSize fitInside(const QSize& size, const QSize& maxSize);

private:
    bool fail(const QString& error);
    bool loadOwn(const QByteArray& bytes, const char* format, const QSize& maxSize);
    bool loadWithQt(QIODevice& device, const QSize& maxSize);
    void adopt(QImage image, const QSize& natural, const char* format, const QSize& maxSize);

    QImage m_image;
    QSize m_naturalSize;
    QString m_format;
    QString m_error;
    bool m_stopped = false;
    std::function<bool()> m_wanted;
};

} // namespace ardenvo
