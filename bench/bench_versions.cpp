// A save of the 52 MB house with its earlier version kept, beside the save alone.
#include "bench/support/BigHouse.h"
#include "history/VersionStore.h"
#include "model/ProjectFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace ardenvo;
namespace fs = std::filesystem;

// Beside the build, on the disk the houses of a user would be on.
struct BenchFolder {
    BenchFolder() {
        std::string pattern = (fs::current_path() / "bench-versions-XXXXXX").string();
        path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~BenchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string path;
};

void saveAlone(benchmark::State& state) {
    BenchFolder dir;
    const std::string house = dir.path + "/house.av";
    const CBrenvikaDoc& doc = sharedBigHouse();
    saveProject(house, doc);
    for (auto _ : state)
        if (saveProject(house, doc) != FileError::None)
            state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(house)));
}
BENCHMARK(saveAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// Every save replaces a house that differs from the last version (the unit changes), so each
// keeps a version; after twenty the size rule removes one per save, as in long use.
void saveWithVersion(benchmark::State& state) {
    BenchFolder dir;
    const std::string house = dir.path + "/house.av";
    CBrenvikaDoc& doc = const_cast<CBrenvikaDoc&>(sharedBigHouse());
    const int unit = doc.unitIndex();
    VersionStore store(dir.path + "/versions");
    saveProject(house, doc);
    int turn = 0;
    for (auto _ : state) {
        doc.setUnitIndex(++turn % 5);
        const KeepOutcome kept = store.keep(house);
        if (kept.result != KeepOutcome::Result::Kept)
            state.SkipWithError(("no version kept: " + kept.error).c_str());
        if (saveProject(house, doc) != FileError::None)
            state.SkipWithError("save failed");
    }
    doc.setUnitIndex(unit);
    state.counters["versions"] = static_cast<double>(store.versions().size());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(house)));
}
BENCHMARK(saveWithVersion)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace

BENCHMARK_MAIN();
