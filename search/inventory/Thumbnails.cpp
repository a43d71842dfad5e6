#include "search/inventory/Thumbnails.h"

#include "platform/image/ImageFile.h"
#include "platform/image/PictureFiles.h"
#include "search/inventory/InventoryReport.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace ardenvo {

Thumbnail makeThumbnail(const std::string& path) {
    Thumbnail thumb;
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) {
        thumb.error = "no such file";
        return thumb;
    }
    ImageFile image;
    if (!image.load(file, kThumbnailPixels)) {
        thumb.error = image.errorString().toStdString();
        return thumb;
    }
    // Formats without scaled reading (or a PCX) come at their own size: shrink them now.
    QImage pixels = image.image();
    if (pixels.width() > kThumbnailPixels.width() || pixels.height() > kThumbnailPixels.height())
        pixels = pixels.scaled(kThumbnailPixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (pixels.hasAlphaChannel()) {
        // JPEG has no transparency: lay the picture on white as a page shows it.
        QImage flat(pixels.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        flat.setDevicePixelRatio(1.0);
        QImage source = pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < flat.height(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            auto* out = reinterpret_cast<QRgb*>(flat.scanLine(y));
            for (int x = 0; x < flat.width(); ++x) {
                const int a = qAlpha(in[x]);
                out[x] =
                    qRgb(qRed(in[x]) + 255 - a, qGreen(in[x]) + 255 - a, qBlue(in[x]) + 255 - a);
            }
        }
        pixels = flat;
    }
    QBuffer buffer(&thumb.jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!pixels.save(&buffer, "JPEG", 85)) {
        thumb.error = "cannot be made into a thumbnail";
        thumb.jpeg.clear();
        return thumb;
    }
    thumb.pixels = pixels.size();
    thumb.ok = true;
    return thumb;
}

bool ThumbnailSet::build(const InventoryReport& report, const std::string& imagesFolder,
                         const InventoryProgress& progress) {
    std::vector<std::string> names;
    for (const InventoryRoom& room : report.rooms) {
        for (const InventoryItem& item : room.items) {
            for (std::string& file : pictureFiles(*item.object)) {
                if (!m_thumbnails.count(file)) {
                    m_thumbnails.emplace(file, Thumbnail{});
                    names.push_back(std::move(file));
                }
            }
        }
    }
    // Only files inside the Images folder are read: a name leading out shows as missing.
    const auto thumbnailOf = [&imagesFolder](const std::string& name) {
        const PictureLocation location = locatePicture(imagesFolder, name);
        if (location.problem.empty())
            return makeThumbnail(location.path);
        Thumbnail missing;
        missing.error = location.problem;
        return missing;
    };

    const int total = static_cast<int>(names.size());
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    std::mutex results;
    const auto work = [&] {
        for (int i = next++; i < total && !stop; i = next++) {
            const std::string& name = names[static_cast<std::size_t>(i)];
            Thumbnail thumb = thumbnailOf(name);
            std::lock_guard lock(results);
            m_thumbnails[name] = std::move(thumb);
            ++done;
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (unsigned i = 1; i < std::min<unsigned>(cores, static_cast<unsigned>(total)); ++i)
        workers.emplace_back(work);
    // This thread reports progress (the caller's dialog lives here) and decodes in between.
    int reported = -1;
    while (!stop && done < total) {
        const int i = next++;
        if (i < total) {
            const std::string& name = names[static_cast<std::size_t>(i)];
            Thumbnail thumb = thumbnailOf(name);
            std::lock_guard lock(results);
            m_thumbnails[name] = std::move(thumb);
            ++done;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (progress && done != reported) {
            reported = done;
            if (!progress(reported, total))
                stop = true;
        }
    }
    for (std::thread& t : workers)
        t.join();
    if (progress && !stop)
        stop = !progress(total, total);
    return !stop;
}

const Thumbnail* ThumbnailSet::find(const std::string& fileName) const {
    const auto it = m_thumbnails.find(fileName);
    return it == m_thumbnails.end() ? nullptr : &it->second;
}

QSize ThumbnailSet::shownSize(const QSize& pixels, const QSize& box) {
    return ImageFile::fitInside(pixels, box).expandedTo(QSize(1, 1));
}

} // namespace ardenvo
