// bench-needs: qt (inventory)
// The inventory report of a house of 2 000 objects, 500 of them with a photo of 4000 x 3000
// pixels as a phone takes them (one detailed JPEG under 500 names), written to a PDF: the wall
// time of the whole report and the peak resident memory. Targets: under 20 s, under 500 MB.
#include "bench/support/QtBench.h"
#include "model/CBrenvikaDoc.h"
#include "search/inventory/InventoryDocument.h"
#include "search/inventory/InventoryReport.h"
#include "search/inventory/Thumbnails.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

using namespace ardenvo;

namespace {

constexpr int kRooms = 20;
constexpr int kObjectsPerRoom = 100;
constexpr int kPhotos = 500;

double peakResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// CPU seconds of every thread of the process: the pictures are decoded on all cores.
double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void buildHouse(CBrenvikaDoc& doc) {
    doc.clearSections();
    auto section = std::make_unique<CSection>();
    section->name = "Ground floor";
    int photo = 0;
    for (int r = 0; r < kRooms; ++r) {
        CBlock* room = r == 0 ? section->blocks().front().get()
                              : section->addBlock(section->blocks().back()->id, 1, BlockKind::Room);
        room->name = "Room " + std::to_string(r + 1);
        for (int o = 0; o < kObjectsPerRoom; ++o) {
            auto object = std::make_unique<CHouseObject>();
            object->name = "Object " + std::to_string(o + 1);
            object->notes = "Bought in town, kept with its box and receipt.";
            CFieldList* value = object->categoryAt(1);
            value->entryAt(0).value = std::to_string(10 + o);
            value->entryAt(1).value = std::to_string(12 + o) + ".50";
            if (photo < kPhotos && o % 4 == 0)
                object->pictures.append("Photo", bench::photoName(photo++));
            room->addFloorObject(std::move(object));
        }
    }
    doc.appendSection(std::move(section));
}

void BM_InventoryPdf2000ObjectsAnd500Photos(benchmark::State& state) {
    static const bench::PhotoFolder photos(kPhotos);
    CBrenvikaDoc doc;
    buildHouse(doc);
    QTemporaryDir out;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        InventoryOptions options;
        options.title = "Bench house";
        options.houseName = "bench.av";
        options.scope = SearchScope::wholeHouse(doc);
        const InventoryReport report = collectInventory(doc, options);
        ThumbnailSet thumbnails;
        thumbnails.build(report, photos.path());
        state.counters["pictures_s"] = secondsSince(start);
        const auto laidOut = std::chrono::steady_clock::now();
        const auto document = makeInventoryDocument(report, thumbnails);
        QString error;
        if (!writeInventoryPdf(*document, out.filePath("bench.pdf"), "Bench", error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        state.counters["objects"] = report.totals.objects;
        state.counters["thumbnails"] = static_cast<double>(thumbnails.size());
        state.counters["pdf_s"] = secondsSince(laidOut);
        state.counters["process_cpu_s"] = processCpuSeconds() - cpuBefore;
        state.counters["pdf_MiB"] = static_cast<double>(std::filesystem::file_size(
                                        out.filePath("bench.pdf").toStdString())) /
                                    (1024.0 * 1024.0);
    }
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK(BM_InventoryPdf2000ObjectsAnd500Photos)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    // The desktop's thumbnails start empty, so the photos are decoded as for a first report.
    QTemporaryDir thumbnails;
    qputenv("XDG_CACHE_HOME", thumbnails.path().toLocal8Bit());
    return ardenvo::bench::runQtBenchmarks<QGuiApplication>(argc, argv);
}
