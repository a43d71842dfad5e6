// bench-needs: qt (pictures)
// A room with 200 photos of 4000 x 3000 pixels as a phone takes them (one JPEG under 200 names):
// the resident memory once the "Picture" group has shown the room (every picture of the room
// decoded into the cache), and the time to show one photo the first time (decode at the frame's
// size and draw). Targets: under 150 MB resident in all, under 60 ms a picture.
#include "bench/support/QtBench.h"
#include "catalogue/pictures/ImageCache.h"
#include "catalogue/pictures/PictureFrame.h"
#include "catalogue/pictures/PictureGroup.h"
#include "model/CBlock.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

using namespace ardenvo;

namespace {

constexpr int kPictures = 200;

double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

const bench::PhotoFolder& photos() {
    static const bench::PhotoFolder folder(kPictures);
    return folder;
}

class RoomHost : public PictureTreeHost {
public:
    RoomHost() : m_room(CBlock::create(BlockKind::Room)) {
        for (int i = 0; i < kPictures; ++i)
            m_room->pictures.append("Photo " + std::to_string(i + 1), bench::photoName(i));
    }
    CBlock* pictureBlock() const override { return m_room.get(); }
    bool rootSelected() const override { return true; }
    CHouseObject* selectedObject() const override { return nullptr; }
    void selectRoot() override {}
    void selectObject(CHouseObject*) override {}

private:
    std::unique_ptr<CBlock> m_room;
};

void BM_ShowRoomWith200Photos(benchmark::State& state) {
    const std::string folder = photos().path();
    const double before = residentMiB();
    for (auto _ : state) {
        RoomHost host;
        PictureGroup group(host, folder);
        group.show();
        group.loadBlock();
        group.frame()->grab();
        state.counters["decoded"] = static_cast<double>(group.cache().size());
        state.counters["rss_MiB"] = residentMiB();
        state.counters["rss_before_MiB"] = before;
    }
}
BENCHMARK(BM_ShowRoomWith200Photos)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ShowOnePhotoFirstTime(benchmark::State& state) {
    const std::string folder = photos().path();
    const QSize frameSize(PictureGroup::kFrameWidth, PictureGroup::kFrameHeight);
    QImage canvas(frameSize, QImage::Format_RGB32);
    const Rect frame{0, 0, frameSize.width(), frameSize.height()};
    int i = 0;
    for (auto _ : state) {
        // A fresh cache each time: the photo has never been decoded.
        ImageCache cache(folder, frameSize);
        const CachedImage* entry = cache.acquire(bench::photoName(i++ % kPictures)).entry;
        if (!entry) {
            state.SkipWithError("the photo could not be decoded");
            break;
        }
        QPainter painter(&canvas);
        PictureFrame::clear(painter, frame);
        PictureFrame::drawPicture(painter, frame, entry->image(), FrameStyle::Objects);
    }
}
BENCHMARK(BM_ShowOnePhotoFirstTime)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return ardenvo::bench::runQtBenchmarks<QApplication>(argc, argv);
}
