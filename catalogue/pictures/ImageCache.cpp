#include "catalogue/pictures/ImageCache.h"

#include "platform/ProjectKey.h"
#include "platform/image/PictureFiles.h"

namespace ardenvo {

DecodedPicture decodePicture(const std::string& folder, std::string_view fileName,
                             const QSize& maxSize, const ThumbnailCache* thumbnails,
                             std::function<bool()> wanted, bool storeLater) {
    DecodedPicture decoded;
    // A name that leads outside the Images folder is never read: it shows as missing, saying why.
    const PictureLocation location = locatePicture(folder, fileName);
    if (!location.problem.empty()) {
        decoded.problem = location.problem;
        return decoded;
    }
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += fileName;
    const QString file = QString::fromStdString(path);
    decoded.image.setWanted(std::move(wanted));
    std::optional<MadeThumbnail> made;
    const bool loaded = thumbnails ? loadThroughCache(decoded.image, file, maxSize, *thumbnails,
                                                      storeLater ? &made : nullptr)
                                   : decoded.image.load(file, maxSize);
    if (made)
        decoded.storeThumbnail = [thumbnails, made = std::move(*made)] {
            made.store(*thumbnails);
        };
    // The picture outlives what decided whether it was wanted.
    decoded.image.setWanted({});
    if (!loaded) {
        decoded.stopped = decoded.image.stopped();
        decoded.image.clear();
        if (!decoded.stopped)
            decoded.problem = QT_TRANSLATE_NOOP("ardenvo::PictureMessages", "Invalid image");
    }
    return decoded;
}

ImageCache::ImageCache(std::string folder, QSize maxSize)
    : m_folder(std::move(folder)), m_maxSize(maxSize) {
    if (m_folder.empty() || m_folder.back() != '/')
        m_folder += '/';
}

const std::string& ImageCache::keyOf(std::string_view fileName) const {
    const std::string name(fileName);
    auto known = m_keys.find(name);
    if (known == m_keys.end())
        known = m_keys.emplace(name, projectKey(pathOf(fileName))).first;
    return known->second;
}

CachedImage* ImageCache::find(std::string_view fileName) const {
    const auto held = m_entries.find(keyOf(fileName));
    return held == m_entries.end() ? nullptr : held->second.get();
}

ImageCache::Result ImageCache::acquire(std::string_view fileName) {
    if (CachedImage* held = find(fileName))
        return {held, {}};
    DecodedPicture decoded = decodePicture(m_folder, fileName, m_maxSize, m_thumbnails);
    if (!decoded.ok())
        return {nullptr, std::move(decoded.problem)};
    return {&insert(fileName, std::move(decoded.image)), {}};
}

CachedImage& ImageCache::insert(std::string_view fileName, ImageFile image) {
    auto& entry = m_entries[keyOf(fileName)];
    if (!entry)
        entry = std::make_unique<CachedImage>(pathOf(fileName), std::move(image));
    return *entry;
}

} // namespace ardenvo
