#include "search/inventory/DocumentThumbnails.h"

#include "documents/DocumentPreview.h"
#include "documents/core/DocumentFiles.h"
#include "model/CHouseObject.h"
#include "search/inventory/InventoryReport.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace ardenvo {

void ThumbnailSet::addDocument(const std::string& fileName, Thumbnail thumb) {
    m_documents[fileName] = std::move(thumb);
}

const Thumbnail* ThumbnailSet::findDocument(const std::string& fileName) const {
    const auto it = m_documents.find(fileName);
    return it == m_documents.end() ? nullptr : &it->second;
}

std::vector<ObjectDocument> inventoryReceipts(const CHouseObject& object) {
    std::vector<ObjectDocument> receipts;
    for (ObjectDocument& document : objectDocuments(object))
        if (isReceipt(document.name))
            receipts.push_back(std::move(document));
    return receipts;
}

Thumbnail documentThumbnail(const std::string& path) {
    Thumbnail thumb;
    const DocumentPreview preview =
        previewDocument(QFile::decodeName(QByteArray::fromStdString(path)), kThumbnailPixels);
    if (!preview.ok) {
        thumb.error = preview.problem.toStdString();
        return thumb;
    }
    // JPEG has no transparency: the page is laid on white as paper shows it.
    QImage flat(preview.image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, preview.image);
    }
    QBuffer buffer(&thumb.jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!flat.save(&buffer, "JPEG", 85)) {
        thumb.jpeg.clear();
        thumb.error = "cannot be made into a thumbnail";
        return thumb;
    }
    thumb.pixels = flat.size();
    thumb.ok = true;
    return thumb;
}

bool addReceiptThumbnails(ThumbnailSet& thumbnails, const InventoryReport& report,
                          const std::string& documentsFolder, const InventoryProgress& progress) {
    std::vector<std::string> files;
    for (const InventoryRoom& room : report.rooms)
        for (const InventoryItem& item : room.items)
            for (const ObjectDocument& receipt : inventoryReceipts(*item.object))
                if (!thumbnails.findDocument(receipt.file)) {
                    thumbnails.addDocument(receipt.file, Thumbnail{});
                    files.push_back(receipt.file);
                }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Thumbnail> made(files.size());
    std::size_t done = 0;
    bool stop = false;
    const auto work = [&] {
        for (std::size_t i = 0; i < files.size(); ++i) {
            {
                const std::lock_guard lock(mutex);
                if (stop)
                    return;
            }
            Thumbnail thumb;
            try {
                const DocumentLocation location = locateDocument(documentsFolder, files[i]);
                if (location.problem.empty())
                    thumb = documentThumbnail(location.path);
                else
                    thumb.error = location.problem;
            } catch (const std::exception& e) {
                thumb.error = e.what();
            }
            {
                const std::lock_guard lock(mutex);
                made[i] = std::move(thumb);
                ++done;
            }
            changed.notify_all();
        }
    };

    bool stopped = false;
    {
        std::jthread worker(work);
        std::size_t reported = 0;
        std::unique_lock lock(mutex);
        while (reported < files.size()) {
            // Woken now and then even while one page takes long, so the progress stays alive and
            // can be cancelled.
            changed.wait_for(lock, std::chrono::milliseconds(100),
                             [&] { return done != reported; });
            reported = done;
            lock.unlock();
            const bool goOn =
                !progress || progress(static_cast<int>(reported), static_cast<int>(files.size()));
            lock.lock();
            if (!goOn) {
                stop = stopped = true;
                break;
            }
        }
    } // the worker ends with the page it draws
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!made[i].ok && made[i].error.empty())
            made[i].error = "not read";
    for (std::size_t i = 0; i < files.size(); ++i)
        thumbnails.addDocument(files[i], std::move(made[i]));
    return !stopped;
}

} // namespace ardenvo
