#include "catalogue/pictures/ImageCache.h"

#include "catalogue/pictures/PictureFit.h"
#include "platform/ProjectKey.h"
#include "platform/image/PictureFiles.h"

#include <QPainter>

namespace ardenvo {

bool CachedImage::load(const QSize& maxSize) {
    m_loaded = m_image.load(QString::fromStdString(m_fullPath), maxSize);
    return m_loaded;
}

ImageCache::ImageCache(std::string folder, QSize maxSize, PicturePrompts prompts)
    : m_folder(std::move(folder)), m_maxSize(maxSize), m_prompts(std::move(prompts)) {
    if (m_folder.empty() || m_folder.back() != '/')
        m_folder += '/';
}

std::string ImageCache::keyOf(std::string_view fileName) const {
    return projectKey(pathOf(fileName));
}

CachedImage* ImageCache::find(std::string_view fileName) const {
    const std::string key = keyOf(fileName);
    for (const auto& entry : m_entries) {
        if (entry->key() == key)
            return entry.get();
    }
    return nullptr;
}

CachedImage* ImageCache::acquire(std::string_view fileName, QWidget* parent) {
    if (CachedImage* held = find(fileName))
        return held;
    // A name that leads outside the Images folder is never read: it shows as missing, saying why.
    const PictureLocation location = locatePicture(m_folder, fileName);
    auto entry = std::make_unique<CachedImage>(pathOf(fileName), keyOf(fileName));
    if (!location.problem.empty() || !entry->load(m_maxSize)) {
        const QString name =
            QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
        const QString why = location.problem.empty() ? QStringLiteral("Invalid image")
                                                     : QString::fromStdString(location.problem);
        m_prompts.showWarning(parent, QStringLiteral("Wrong image file"));
        m_prompts.showNotice(name + QLatin1Char('\n') + why + QLatin1Char('\n') + name);
        return nullptr;
    }
    m_entries.insert(m_entries.begin(), std::move(entry));
    return m_entries.front().get();
}

void ImageCache::drawNatural(std::string_view fileName, QPainter& painter, int x, int y) const {
    if (const CachedImage* entry = find(fileName))
        entry->image().draw(painter, QPoint(x, y));
}

void ImageCache::drawFitted(std::string_view fileName, QPainter& painter, int left, int top,
                            int right, int bottom) const {
    const CachedImage* entry = find(fileName);
    if (!entry)
        return;
    const ImageFile& image = entry->image();
    const Rect r = fittedRect({left, top, right, bottom}, image.width(), image.height());
    image.draw(painter, QRect(r.left, r.top, r.width(), r.height()));
}

} // namespace ardenvo
