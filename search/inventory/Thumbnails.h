#pragma once

#include <QByteArray>
#include <QSize>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ardenvo {

struct InventoryReport;

// Sizes on paper, in CSS pixels (96 to the inch): the first picture of an object at most
// 6 x 4.5 cm, the further ones half that.
inline constexpr QSize kFirstThumbnail{227, 170};
inline constexpr QSize kFurtherThumbnail{113, 85};
// Pixels kept per picture: half as many again as the first thumbnail shows, so print stays sharp.
inline constexpr QSize kThumbnailPixels{340, 255};

// One picture of the report, decoded once however many objects show it.
struct Thumbnail {
    bool ok = false;
    QByteArray jpeg;   // the pixels, at most kThumbnailPixels, as a JPEG file
    QSize pixels;      // their size
    std::string error; // why not, when not ok
};

// Told how far the work is; returns false to stop it.
using InventoryProgress = std::function<bool(int done, int total)>;

class ThumbnailCache;

// Decodes one file into a thumbnail; never throws, never a full-size decode of a large picture.
// Read through the desktop's shared thumbnails (the user's own unless `cache` is given), so a
// second report, or one of pictures a file manager has shown, decodes nothing.
Thumbnail makeThumbnail(const std::string& path);
Thumbnail makeThumbnailWith(const std::string& path, const ThumbnailCache& cache);

// The thumbnails of the pictures a report shows, by file name. Each file is decoded at the
// thumbnail's size while it is read (a phone photo never costs its full size in memory) and kept
// only as a small JPEG. Files are decoded on every core at once.
class ThumbnailSet {
public:
    // How one file becomes its thumbnail.
    using Decoder = std::function<Thumbnail(const std::string& path)>;

    // `workers` pins how many threads decode beside the calling one (tests run each way); unset,
    // one per further core. A decoder that throws gives that picture the exception's text as its
    // error, the others are decoded all the same.
    explicit ThumbnailSet(Decoder decoder = makeThumbnail,
                          std::optional<unsigned> workers = std::nullopt);

    // Decodes the pictures of every listed object from `imagesFolder`; false when `progress`
    // stopped it (the set is then incomplete).
    bool build(const InventoryReport& report, const std::string& imagesFolder,
               const InventoryProgress& progress = {});

    // nullptr for a name the set was not built with.
    const Thumbnail* find(const std::string& fileName) const;
    std::size_t size() const { return m_thumbnails.size(); }

    // `pixels` fitted inside `box`, keeping proportions.
    static QSize shownSize(const QSize& pixels, const QSize& box);

    // The first pages of the receipts, by file name in the Documents folder, kept apart from the
    // pictures (a picture and a document may share a name); see DocumentThumbnails.h.
    void addDocument(const std::string& fileName, Thumbnail thumb);
    const Thumbnail* findDocument(const std::string& fileName) const;

private:
    Thumbnail decode(const std::string& imagesFolder, const std::string& name) const;

    Decoder m_decoder;
    std::optional<unsigned> m_workers;
    std::map<std::string, Thumbnail> m_thumbnails;
    std::map<std::string, Thumbnail> m_documents;
};

} // namespace ardenvo
