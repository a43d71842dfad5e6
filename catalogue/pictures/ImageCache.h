#pragma once

#include "catalogue/pictures/PicturePrompts.h"
#include "platform/image/ImageFile.h"

#include <QSize>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QWidget;

namespace ardenvo {

// One decoded picture file of an ImageCache.
class CachedImage {
public:
    CachedImage(std::string fullPath, std::string key)
        : m_fullPath(std::move(fullPath)), m_key(std::move(key)) {}
    CachedImage(const CachedImage&) = delete;
    CachedImage& operator=(const CachedImage&) = delete;

    const std::string& fullPath() const { return m_fullPath; }
    // The path by which two names are told to be the same file.
    const std::string& key() const { return m_key; }
    bool loaded() const { return m_loaded; }
    const ImageFile& image() const { return m_image; }

    // Decodes the file no larger than `maxSize`; true when it could be decoded.
    bool load(const QSize& maxSize);

private:
    std::string m_fullPath;
    std::string m_key;
    bool m_loaded = false;
    ImageFile m_image;
};

// The pictures of one folder, each file decoded once and kept until the cache goes. Files are
// decoded no larger than the frame they are drawn in, so a phone photo costs a frame's pixels.
// Two names are the same file by the rule that identifies projects (case matters on Linux).
class ImageCache {
public:
    ImageCache(std::string folder, QSize maxSize, PicturePrompts prompts = {});
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

    // The entry of that file, decoded now when it is not held yet. A file that cannot be decoded
    // says so ("Wrong image file", then the name and "Invalid image") and gives nullptr; it is
    // not kept, so the next call tries again.
    CachedImage* acquire(std::string_view fileName, QWidget* parent = nullptr);
    // The entry of that file, or nullptr; never decodes.
    CachedImage* find(std::string_view fileName) const;

    // Draw the file's picture when it is held; nothing otherwise.
    void drawNatural(std::string_view fileName, QPainter& painter, int x, int y) const;
    void drawFitted(std::string_view fileName, QPainter& painter, int left, int top, int right,
                    int bottom) const;

    // The folder, ending with "/".
    const std::string& folder() const { return m_folder; }
    QSize maxSize() const { return m_maxSize; }
    std::size_t size() const { return m_entries.size(); }

private:
    std::string pathOf(std::string_view fileName) const { return m_folder + std::string(fileName); }
    std::string keyOf(std::string_view fileName) const;

    std::string m_folder;
    QSize m_maxSize;
    PicturePrompts m_prompts;
    std::vector<std::unique_ptr<CachedImage>> m_entries; // the newest first
};

} // namespace ardenvo
