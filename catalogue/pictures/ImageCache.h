#pragma once

#include "platform/image/ImageFile.h"
#include "platform/image/ThumbnailCache.h"

#include <QSize>

#include <functional>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ardenvo {

// A picture file of the Images folder read for showing, or why it could not be.
struct DecodedPicture {
    ImageFile image;
    // "Invalid image", or why the name is refused; empty when decoded or stopped
    std::string problem;
    bool stopped = false; // no longer wanted while it was decoded: nothing to show or tell
    // Asked to store later: the thumbnail made on the way, stored by calling this (once the
    // picture is on its way, since writing it takes a while); empty when none was made.
    std::function<void()> storeThumbnail;

    bool ok() const { return problem.empty() && !stopped; }
};

// Reads `fileName` in `folder` no larger than `maxSize`, through the desktop's thumbnails when
// `thumbnails` is given (a thumbnail made is stored at once, or with `storeLater` left to the
// caller); a decoding stops as soon as `wanted` (when given) says no. A name that leads outside
// the folder is never read. Touches no window and no ImageCache, so it may run on any thread.
DecodedPicture decodePicture(const std::string& folder, std::string_view fileName,
                             const QSize& maxSize, const ThumbnailCache* thumbnails = nullptr,
                             std::function<bool()> wanted = {}, bool storeLater = false);

// One decoded picture file of an ImageCache.
class CachedImage {
public:
    CachedImage(std::string fullPath, ImageFile image)
        : m_fullPath(std::move(fullPath)), m_image(std::move(image)) {}
    CachedImage(const CachedImage&) = delete;
    CachedImage& operator=(const CachedImage&) = delete;

    const std::string& fullPath() const { return m_fullPath; }
    const ImageFile& image() const { return m_image; }

private:
    std::string m_fullPath;
    ImageFile m_image;
};

// The pictures of one folder, each file decoded once and kept until the cache goes. Files are
// decoded no larger than the frame they are drawn in, so a phone photo costs a frame's pixels.
// Two names are the same file by the rule that identifies projects (case matters on Linux); that
// rule asks the file system, so each name's key is worked out once, not on every paint.
class ImageCache {
public:
    // What a look-up that may decode gives: the entry, or why there is none.
    struct Result {
        CachedImage* entry = nullptr;
        std::string problem;
    };

    ImageCache(std::string folder, QSize maxSize);
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

    // The entry of that file, decoded now when it is not held yet. A file that cannot be decoded
    // gives no entry and the reason, which the caller tells the user; it is not kept, so the next
    // call tries again.
    Result acquire(std::string_view fileName);
    // The entry of that file, or nullptr; never decodes.
    CachedImage* find(std::string_view fileName) const;
    // Keeps a picture of that file decoded elsewhere, unless one is held already.
    CachedImage& insert(std::string_view fileName, ImageFile image);
    // Decodes through the desktop's thumbnails from now on; nullptr: never.
    void setThumbnails(const ThumbnailCache* thumbnails) { m_thumbnails = thumbnails; }

    // The folder, ending with "/".
    const std::string& folder() const { return m_folder; }
    QSize maxSize() const { return m_maxSize; }
    std::size_t size() const { return m_entries.size(); }

private:
    std::string pathOf(std::string_view fileName) const { return m_folder + std::string(fileName); }
    const std::string& keyOf(std::string_view fileName) const;

    std::string m_folder;
    QSize m_maxSize;
    const ThumbnailCache* m_thumbnails = nullptr;
    std::unordered_map<std::string, std::unique_ptr<CachedImage>> m_entries; // by key
    mutable std::unordered_map<std::string, std::string> m_keys;             // name -> key
};

} // namespace ardenvo
