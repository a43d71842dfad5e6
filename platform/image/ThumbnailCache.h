#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace ardenvo {

class ImageFile;

// The sizes of the desktop's shared thumbnails: the longer side of each is at most this many
// pixels.
enum class ThumbnailSize { Normal = 128, Large = 256, XLarge = 512, XXLarge = 1024 };

// A thumbnail read from the cache: its pixels and the size of the picture it shows.
struct SharedThumbnail {
    QImage pixels;
    QSize original;   // invalid when the thumbnail does not say
    QString mimeType; // empty when it does not say
    QString failure;  // a record of failure: why the picture could not be read
};

// The picture file a thumbnail stands for, as the cache identifies it.
struct ThumbnailSource {
    std::string path; // absolute, without "." or ".." parts
    std::string uri;  // its file:// address
    std::int64_t mtime = 0;
    std::int64_t size = 0;
};

// The desktop's shared thumbnail cache, which file managers and image viewers read and write
// too: one PNG per picture file and size, named by the MD5 of the file's address and holding
// that address and the file's modification time, so a thumbnail of a file changed since is
// recognised and made again. Failures are remembered in a folder of this program's own.
//
// Every file read from the cache is treated as hostile: a folder that is a link or not the
// user's, a file that is not a plain file of the user's, a damaged PNG or one larger than its
// size allows, or one about another file, is never used; the picture is decoded again instead.
// Safe to use from several threads at once.
class ThumbnailCache {
public:
    // `root` is the thumbnails folder; `program` names the folder of failures, for example
    // "ardenvo-1.2". An empty root keeps nothing.
    ThumbnailCache(std::string root, std::string program);
    // The user's own: $XDG_CACHE_HOME/thumbnails, else ~/.cache/thumbnails.
    static ThumbnailCache forUser(std::string program);
    // This suite's name for its folder of failures: "ardenvo-" and the version.
    static std::string programName(const char* version) {
        return std::string("ardenvo-") + version;
    }

    const std::string& root() const { return m_root; }

    // The smallest size whose thumbnails cover a picture fitted into `box`.
    static ThumbnailSize sizeFor(const QSize& box);
    static int edgeOf(ThumbnailSize size) { return static_cast<int>(size); }
    static const char* folderOf(ThumbnailSize size);
    // The file:// address of an absolute path, escaped as the desktop's file managers do.
    static std::string fileUri(const std::string& absolutePath);
    // Where the thumbnail of `uri` at `size` lies, and where its failure is remembered.
    std::string pathOf(const std::string& uri, ThumbnailSize size) const;
    std::string failurePathOf(const std::string& uri) const;

    // The picture file at `path`, when it is a readable plain file outside the cache.
    std::optional<ThumbnailSource> source(const std::string& path) const;

    // A valid thumbnail of `source` covering `size`: from that size's folder, else from a larger
    // one.
    std::optional<SharedThumbnail> find(const ThumbnailSource& source, ThumbnailSize size) const;
    // Stores `pixels` (no larger than `size`) as the thumbnail of `source`, written to a
    // temporary file beside it and renamed, so no reader sees half a file; false when it could
    // not be stored (the picture is shown all the same).
    bool store(const ThumbnailSource& source, ThumbnailSize size, const QImage& pixels,
               const QSize& original, const QString& mimeType = {}) const;
    // Why this program failed to read `source` as it is now, when it did; remembering it.
    std::optional<QString> failureOf(const ThumbnailSource& source) const;
    bool recordFailure(const ThumbnailSource& source, const QString& error) const;

private:
    std::optional<SharedThumbnail> read(const std::string& path, const ThumbnailSource& source,
                                        int edge) const;
    bool write(const std::string& folder, const std::string& path, QImage image,
               const ThumbnailSource& source, const QSize& original) const;
    // Makes the folder (and the thumbnails folder) when missing; true when it is the user's own.
    bool ownFolder(const std::string& folder) const;

    std::string m_root;
    std::string m_program;
};

// A thumbnail made while its picture was decoded, to be stored once the picture is on its way.
struct MadeThumbnail {
    ThumbnailSource source;
    ThumbnailSize size = ThumbnailSize::Normal;
    QImage pixels;
    QSize original;
    QString mimeType;

    bool store(const ThumbnailCache& cache) const {
        return cache.store(source, size, pixels, original, mimeType);
    }
};

// Reads the picture at `path` to be shown inside `box`, through `cache`: a valid thumbnail is
// used when there is one; otherwise the file is decoded and its thumbnail stored on the way, or
// left in `storeLater` when given (or its failure remembered; a decoding stopped by the image's
// wanted() is neither). The natural size stays the file's own either way.
bool loadThroughCache(ImageFile& image, const QString& path, const QSize& box,
                      const ThumbnailCache& cache,
                      std::optional<MadeThumbnail>* storeLater = nullptr);

} // namespace ardenvo
