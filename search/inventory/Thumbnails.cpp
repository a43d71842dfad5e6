#include "search/inventory/Thumbnails.h"

#include "model/CBlock.h"
#include "model/CHouseObject.h"
#include "platform/ProgramVersion.h"
#include "platform/image/ImageFile.h"
#include "platform/image/PictureFiles.h"
#include "platform/image/ThumbnailCache.h"
#include "search/inventory/InventoryReport.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <system_error>
#include <thread>
#include <utility>

namespace ardenvo {

Thumbnail makeThumbnail(const std::string& path) {
    return makeThumbnailWith(path,
                             ThumbnailCache::forUser(ThumbnailCache::programName(kProgramVersion)));
}

Thumbnail makeThumbnailWith(const std::string& path, const ThumbnailCache& cache) {
    Thumbnail thumb;
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) {
        thumb.error = "no such file";
        return thumb;
    }
    ImageFile image;
    if (!loadThroughCache(image, file, kThumbnailPixels, cache)) {
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

ThumbnailSet::ThumbnailSet(Decoder decoder, std::optional<unsigned> workers)
    : m_decoder(std::move(decoder)), m_workers(workers) {}

Thumbnail ThumbnailSet::decode(const std::string& imagesFolder, const std::string& name) const {
    // Runs on the workers: whatever one file throws (memory running out, say) is that file's
    // error and never ends the program.
    Thumbnail failed;
    try {
        // Only files inside the Images folder are read: a name leading out shows as missing.
        const PictureLocation location = locatePicture(imagesFolder, name);
        if (location.problem.empty())
            return m_decoder(location.path);
        failed.error = location.problem;
    } catch (const std::exception& e) {
        failed.error = e.what();
    } catch (...) {
        failed.error = "cannot be made into a thumbnail";
    }
    return failed;
}

bool ThumbnailSet::build(const InventoryReport& report, const std::string& imagesFolder,
                         const InventoryProgress& progress) {
    std::vector<std::string> names;
    const auto take = [&](const CFieldList& pictures) {
        for (InventoryPicture& picture : inventoryPictures(pictures)) {
            if (!m_thumbnails.count(picture.file)) {
                m_thumbnails.emplace(picture.file, Thumbnail{});
                names.push_back(std::move(picture.file));
            }
        }
    };
    for (const InventoryRoom& room : report.rooms) {
        take(room.block->pictures);
        for (const InventoryItem& item : room.items)
            take(item.object->pictures);
    }

    const std::size_t total = names.size();
    std::mutex mutex;
    std::condition_variable decoded;
    std::size_t next = 0; // files below it are taken
    std::size_t done = 0;
    // Takes the next file and decodes it; false when every file is taken.
    const auto decodeNext = [&] {
        std::unique_lock lock(mutex);
        if (next == total)
            return false;
        const std::string& name = names[next++];
        lock.unlock();
        Thumbnail thumb = decode(imagesFolder, name);
        lock.lock();
        m_thumbnails[name] = std::move(thumb); // the entry exists: the map does not change shape
        ++done;
        lock.unlock();
        decoded.notify_all();
        return true;
    };

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted = m_workers ? std::min<std::size_t>(*m_workers, total)
                                         : std::min<std::size_t>(cores, total) - (total ? 1 : 0);
    // Declared after what they share: leaving this function for any reason asks them to stop
    // and joins them first.
    std::vector<std::jthread> workers;
    try {
        workers.reserve(wanted);
        for (std::size_t i = 0; i < wanted; ++i)
            workers.emplace_back([&decodeNext](const std::stop_token& stop) {
                while (!stop.stop_requested() && decodeNext()) {
                }
            });
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started, or this thread alone, do it all.
    }

    // This thread reports progress (the caller's dialog lives here) and decodes in between; once
    // every file is taken it waits for the workers' last ones.
    bool stopped = false;
    std::size_t reported = 0;
    while (reported < total) {
        const bool took = decodeNext();
        std::size_t now = 0;
        {
            std::unique_lock lock(mutex);
            if (!took)
                decoded.wait(lock, [&] { return done != reported; });
            now = done;
        }
        if (now != reported) {
            reported = now;
            if (progress && !progress(static_cast<int>(now), static_cast<int>(total))) {
                stopped = true;
                break;
            }
        }
    }
    workers.clear(); // a stopped build waits only for the files being decoded
    if (progress && !stopped)
        stopped = !progress(static_cast<int>(total), static_cast<int>(total));
    return !stopped;
}

const Thumbnail* ThumbnailSet::find(const std::string& fileName) const {
    const auto it = m_thumbnails.find(fileName);
    return it == m_thumbnails.end() ? nullptr : &it->second;
}

QSize ThumbnailSet::shownSize(const QSize& pixels, const QSize& box) {
    return ImageFile::fitInside(pixels, box).expandedTo(QSize(1, 1));
}

} // namespace ardenvo
