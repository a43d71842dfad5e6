// Open and save of a large project file, beside a plain memory copy of the same bytes.
#include "bench/support/BigHouse.h"
#include "model/ProjectFile.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <malloc.h>
#include <new>
#include <string>
#include <unistd.h>

// Heap accounting for the peak-memory and allocation figures: while counting is on, every
// allocation of this program is added up here.
namespace {
std::atomic<bool> g_counting{false};
std::atomic<std::int64_t> g_allocations{0};
// Signed: blocks allocated before counting began may be freed while it runs.
std::atomic<std::int64_t> g_heapNow{0};
std::atomic<std::int64_t> g_heapPeak{0};

void* countedAlloc(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    if (!g_counting.load(std::memory_order_relaxed))
        return p;
    ++g_allocations;
    const std::int64_t now = g_heapNow += static_cast<std::int64_t>(malloc_usable_size(p));
    std::int64_t peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void countedFree(void* p) {
    if (p && g_counting.load(std::memory_order_relaxed)) {
        g_heapNow -= static_cast<std::int64_t>(malloc_usable_size(p));
    }
    std::free(p);
}
} // namespace

void* operator new(std::size_t size) {
    return countedAlloc(size);
}
void* operator new[](std::size_t size) {
    return countedAlloc(size);
}
void operator delete(void* p) noexcept {
    countedFree(p);
}
void operator delete[](void* p) noexcept {
    countedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    countedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    countedFree(p);
}

namespace {

using namespace ardenvo;

const std::string& bigFile() {
    static const std::string bytes = writeProject(sharedBigHouse());
    return bytes;
}

// The same house as opened from its file: its objects lie in the heap in file order, as they do
// in the editor for a house that was opened rather than built object by object.
const CBrenvikaDoc& openedHouse() {
    static const auto house = [] {
        auto doc = std::make_unique<CBrenvikaDoc>();
        if (readProject(bigFile(), *doc) != FileError::None)
            std::abort();
        return doc;
    }();
    return *house;
}

const std::string& bigFilePath() {
    static const std::string path = [] {
        const std::string p = "/tmp/ardenvo-bench-" + std::to_string(::getpid()) + ".av";
        if (saveProject(p, sharedBigHouse()) != FileError::None)
            std::abort();
        return p;
    }();
    return path;
}

// Frees a house outside the timed region. The allocator keeps the memory, so the next open reuses
// it as a long-running program would (giving it back would make every open fault in fresh pages).
void dropHouse(std::unique_ptr<CBrenvikaDoc>& doc) {
    doc.reset();
}

void reportSize(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bigFile().size()));
    state.counters["file_MB"] = static_cast<double>(bigFile().size()) / 1e6;
}

void BM_MemcpyFile(benchmark::State& state) {
    const std::string& bytes = bigFile();
    std::string copy(bytes.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    reportSize(state);
}

std::int64_t objectsIn(const CHouseObject::List& list) {
    std::int64_t n = 0;
    for (const auto& o : list) {
        ++n;
        for (int pos = 0; pos < kNestPositionCount; ++pos)
            n += objectsIn(o->children(static_cast<NestPosition>(pos)));
    }
    return n;
}

std::int64_t objectsIn(const CBrenvikaDoc& doc) {
    std::int64_t n = 0;
    for (const auto& s : doc.sections())
        for (const auto& b : s->blocks())
            n += objectsIn(b->floorObjects());
    return n;
}

// Heap allocations of one open, per object of the house: counted once, outside the timed runs,
// so that the figure does not depend on the machine's load.
double allocationsPerObject(const std::string& bytes) {
    auto doc = std::make_unique<CBrenvikaDoc>();
    g_allocations = 0;
    g_counting = true;
    const FileError error = readProject(bytes, *doc);
    g_counting = false;
    if (error != FileError::None)
        std::abort();
    return static_cast<double>(g_allocations.load()) / static_cast<double>(objectsIn(*doc));
}

// Parsing the bytes into a fresh document; freeing the house afterwards is not part of opening.
void BM_OpenProject(benchmark::State& state) {
    const std::string& bytes = bigFile();
    state.counters["allocations_per_object"] = allocationsPerObject(bytes);
    for (auto _ : state) {
        auto doc = std::make_unique<CBrenvikaDoc>();
        if (readProject(bytes, *doc) != FileError::None)
            state.SkipWithError("the big house did not load");
        state.PauseTiming();
        dropHouse(doc);
        state.ResumeTiming();
    }
    reportSize(state);
}

// The peak heap of one open, as a multiple of the file size: the file's bytes plus the house built
// from them.
double peakOfOpen(const std::string& path) {
    auto doc = std::make_unique<CBrenvikaDoc>();
    g_heapNow = 0;
    g_heapPeak = 0;
    g_counting = true;
    const FileError error = loadProject(path, *doc);
    g_counting = false;
    if (error != FileError::None)
        return -1;
    return static_cast<double>(g_heapPeak.load()) /
           static_cast<double>(std::filesystem::file_size(path));
}

// The same in a fresh copy of this program: the model keeps the record memory of a freed house for
// the next one, so an open in this process, after others, would not count it.
double peakOfOpenInFreshProcess(const std::string& path) {
    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return -1;
    self[n] = '\0';
    const std::string command = std::string("'") + self + "' --peak-of '" + path + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    double multiple = -1;
    if (std::fscanf(pipe, "%lf", &multiple) != 1)
        multiple = -1;
    ::pclose(pipe);
    return multiple;
}

// Opening from disk (page cache warm), with the peak heap of a first open.
void BM_LoadProjectFromDisk(benchmark::State& state) {
    const std::string& path = bigFilePath();
    for (auto _ : state) {
        auto doc = std::make_unique<CBrenvikaDoc>();
        if (loadProject(path, *doc) != FileError::None)
            state.SkipWithError("the big house did not load");
        state.PauseTiming();
        dropHouse(doc);
        state.ResumeTiming();
    }
    reportSize(state);
    state.counters["peak_heap_x_file"] = peakOfOpenInFreshProcess(path);
}

void BM_WriteProject(benchmark::State& state) {
    const CBrenvikaDoc& house = sharedBigHouse();
    for (auto _ : state) {
        std::string bytes = writeProject(house);
        benchmark::DoNotOptimize(bytes.data());
        state.PauseTiming();
        bytes = std::string();
        state.ResumeTiming();
    }
    reportSize(state);
}

// Serialising through the small buffer that saving uses, into a sink that only counts.
void BM_WriteProjectInPieces(benchmark::State& state) {
    const CBrenvikaDoc& house = sharedBigHouse();
    for (auto _ : state) {
        std::size_t total = 0;
        writeProjectInPieces(house, [&total](std::string_view piece) {
            total += piece.size();
            return true;
        });
        if (total != bigFile().size())
            state.SkipWithError("pieces do not add up to the file");
    }
    reportSize(state);
}

// The same for the house as opened from its file, the usual case of a save (open, edit, save).
void BM_WriteOpenedHouseInPieces(benchmark::State& state) {
    const CBrenvikaDoc& house = openedHouse();
    for (auto _ : state) {
        std::size_t total = 0;
        writeProjectInPieces(house, [&total](std::string_view piece) {
            total += piece.size();
            return true;
        });
        if (total != bigFile().size())
            state.SkipWithError("pieces do not add up to the file");
    }
    reportSize(state);
}

// The whole safe save: serialise, write a temporary file, flush it to disk, rename.
void BM_SaveProjectToDisk(benchmark::State& state) {
    const CBrenvikaDoc& house = sharedBigHouse();
    const std::string& path = bigFilePath();
    for (auto _ : state) {
        if (saveProject(path, house) != FileError::None)
            state.SkipWithError("the big house did not save");
    }
    reportSize(state);
}

} // namespace

// Opening runs for two seconds or more, so that the figure comes from a run of several opens and
// not from the first open of the process alone, which also pays for the kernel handing out fresh
// pages (very dear in this virtual machine).
BENCHMARK(BM_MemcpyFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadProjectFromDisk)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// Writing serialises the rooms of a large house on every core, so the write figures are of wall
// time, beside the CPU time of all threads.
#define WRITE_BENCHMARK(fn)                                                                        \
    BENCHMARK(fn)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()
WRITE_BENCHMARK(BM_WriteProject);
WRITE_BENCHMARK(BM_WriteProjectInPieces);
WRITE_BENCHMARK(BM_WriteOpenedHouseInPieces);
WRITE_BENCHMARK(BM_SaveProjectToDisk);

int main(int argc, char** argv) {
    // The house on disk for scripts that time whole commands (bench/one_shot_commands.sh).
    if (argc == 3 && std::strcmp(argv[1], "--write-house") == 0)
        return saveProject(argv[2], sharedBigHouse()) == FileError::None ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "--peak-of") == 0) {
        std::printf("%f\n", peakOfOpen(argv[2]));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    bigFile();
    benchmark::RunSpecifiedBenchmarks();
    ::unlink(bigFilePath().c_str());
    benchmark::Shutdown();
    return 0;
}
