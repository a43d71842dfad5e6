// The report's pictures are decoded on worker threads: pinned at none, one and three (so that a
// machine with one core runs them too), each gives the same thumbnails, tells progress on the
// calling thread only, and a decode that throws costs that picture alone; once made, a thumbnail
// comes from the desktop's shared cache.
#include "InventoryFixture.h"
#include "model/LocalTime.h"
#include "platform/image/ThumbnailCache.h"
#include "search/inventory/InventoryReport.h"
#include "search/inventory/Thumbnails.h"

#include <QImage>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace ardenvo {
namespace {

class ThumbnailWorkers : public ::testing::Test {
protected:
    void SetUp() override {
        testing::buildInventoryHouse(m_doc);
        ASSERT_TRUE(m_images.isValid());
        testing::writeInventoryPictures(folder());
        InventoryOptions o;
        o.scope = SearchScope::wholeHouse(m_doc);
        o.now = toInstant({2026, 12, 8, 12, 0, 0});
        m_report = collectInventory(m_doc, o);
    }
    std::string folder() const { return m_images.path().toStdString(); }
    static bool endsWith(const std::string& path, const std::string& name) {
        return path.size() >= name.size() &&
               path.compare(path.size() - name.size(), name.size(), name) == 0;
    }

    CBrenvikaDoc m_doc;
    QTemporaryDir m_images;
    InventoryReport m_report;
};

const char* const kFiles[] = {"sofa.jpg", "label.png",  "receipt.jpg",
                              "tv.bmp",   "broken.png", "freezer.png"};

TEST_F(ThumbnailWorkers, EveryNumberOfWorkersGivesTheSameThumbnailsAndProgressHere) {
    ThumbnailSet alone(makeThumbnail, 0);
    ASSERT_TRUE(alone.build(m_report, folder()));
    const std::thread::id caller = std::this_thread::get_id();
    for (const unsigned workers : {0u, 1u, 3u}) {
        std::atomic<int> decodes{0};
        // The first file is slow, so that the calling thread runs out of files and waits.
        ThumbnailSet set(
            [&](const std::string& path) {
                ++decodes;
                if (endsWith(path, "sofa.jpg"))
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                return makeThumbnail(path);
            },
            workers);
        std::vector<int> seen;
        bool elsewhere = false;
        ASSERT_TRUE(set.build(m_report, folder(), [&](int done, int total) {
            elsewhere = elsewhere || std::this_thread::get_id() != caller;
            seen.push_back(done);
            return total == static_cast<int>(alone.size());
        }));
        EXPECT_FALSE(elsewhere) << workers << " workers";
        EXPECT_EQ(decodes, static_cast<int>(alone.size())) << "each file decoded once";
        ASSERT_FALSE(seen.empty());
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        EXPECT_EQ(seen.back(), static_cast<int>(alone.size()));
        ASSERT_EQ(set.size(), alone.size());
        for (const char* file : kFiles) {
            const Thumbnail* a = alone.find(file);
            const Thumbnail* b = set.find(file);
            ASSERT_TRUE(a && b) << file;
            EXPECT_EQ(b->ok, a->ok) << file << ", " << workers << " workers";
            EXPECT_EQ(b->jpeg, a->jpeg) << file << ", " << workers << " workers";
            EXPECT_EQ(b->error, a->error) << file << ", " << workers << " workers";
        }
    }
}

TEST_F(ThumbnailWorkers, ADecodeThatThrowsIsThatPicturesErrorAndTheRestAreMade) {
    for (const unsigned workers : {0u, 1u, 3u}) {
        ThumbnailSet set(
            [](const std::string& path) -> Thumbnail {
                if (endsWith(path, "sofa.jpg"))
                    throw std::runtime_error("out of memory");
                if (endsWith(path, "label.png"))
                    throw 42;
                return makeThumbnail(path);
            },
            workers);
        ASSERT_TRUE(set.build(m_report, folder())) << workers << " workers";
        EXPECT_FALSE(set.find("sofa.jpg")->ok);
        EXPECT_EQ(set.find("sofa.jpg")->error, "out of memory");
        EXPECT_FALSE(set.find("label.png")->ok);
        EXPECT_EQ(set.find("label.png")->error, "cannot be made into a thumbnail");
        EXPECT_TRUE(set.find("tv.bmp")->ok) << workers << " workers";
    }
}

TEST_F(ThumbnailWorkers, StoppingWaitsOnlyForThePicturesBeingDecoded) {
    std::atomic<int> decodes{0};
    ThumbnailSet set(
        [&](const std::string& path) {
            ++decodes;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return makeThumbnail(path);
        },
        1);
    EXPECT_FALSE(set.build(m_report, folder(), [](int, int) { return false; }));
    // The calling thread's file and the worker's, perhaps one more the worker took meanwhile:
    // never every file.
    EXPECT_LT(decodes, static_cast<int>(set.size()));
}

TEST_F(ThumbnailWorkers, ThumbnailsComeFromTheDesktopsCacheOnceMade) {
    QTemporaryDir home;
    const ThumbnailCache cache(home.filePath("thumbnails").toStdString(), "ardenvo-test");
    const std::string sofa = folder() + "/sofa.jpg";
    const Thumbnail first = makeThumbnailWith(sofa, cache);
    ASSERT_TRUE(first.ok);
    // Large enough for the page: the 512-pixel size.
    const std::string stored = cache.pathOf(cache.source(sofa)->uri, ThumbnailSize::XLarge);
    QImage thumb(QString::fromStdString(stored));
    ASSERT_FALSE(thumb.isNull());
    EXPECT_EQ(std::max(thumb.width(), thumb.height()), 512);

    // What is there is what the report shows, down to its colour.
    thumb.fill(qRgb(0, 0, 200));
    ASSERT_TRUE(thumb.save(QString::fromStdString(stored), "PNG"));
    const Thumbnail second = makeThumbnailWith(sofa, cache);
    EXPECT_EQ(second.pixels, first.pixels);
    EXPECT_EQ(QImage::fromData(second.jpeg).pixel(5, 5) & 0xf0f0f0, qRgb(0, 0, 200) & 0xf0f0f0);
}

} // namespace
} // namespace ardenvo
