// bench-needs: qt (shell)
// One undo step of the 200 000-object house opened from its file: keeping it (the house before
// and the check that the edit changed something) and restoring it (undo, then redo).
#include "bench/support/BigHouse.h"
#include "model/ProjectFile.h"
#include "shell/UndoHistory.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace ardenvo;

// The shared house written and read back, as the main program holds it after an open.
CBrenvikaDoc& openedHouse() {
    static std::unique_ptr<CBrenvikaDoc> doc = [] {
        auto opened = std::make_unique<CBrenvikaDoc>();
        if (readProject(writeProject(sharedBigHouse()), *opened) != FileError::None)
            std::abort();
        opened->setModified(true);
        return opened;
    }();
    return *doc;
}

// A rename: the smallest edit, so the figure is the history's own cost.
void renameFirstBlock(CBrenvikaDoc& doc, int round) {
    CBlock& block = *doc.currentSection()->blocks().front();
    block.name = "Room " + std::to_string(round);
}

void BM_KeepStep(benchmark::State& state) {
    CBrenvikaDoc& doc = openedHouse();
    UndoHistory history;
    int round = 0;
    for (auto _ : state) {
        history.begin(doc);
        renameFirstBlock(doc, ++round);
        benchmark::DoNotOptimize(history.end(doc, "Rename"));
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(writeProject(doc).size()));
    state.counters["steps_kept"] = static_cast<double>(history.undoCount());
}
BENCHMARK(BM_KeepStep)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_RestoreStep(benchmark::State& state) {
    CBrenvikaDoc& doc = openedHouse();
    UndoHistory history;
    history.begin(doc);
    renameFirstBlock(doc, 0);
    history.end(doc, "Rename");
    bool back = true;
    for (auto _ : state) {
        const bool done = back ? history.undo(doc) : history.redo(doc);
        if (!done)
            state.SkipWithError("restore failed");
        back = !back;
    }
}
BENCHMARK(BM_RestoreStep)->Unit(benchmark::kMillisecond)->Iterations(6);

// The project writer and reader alone on the same house, same run: what a step is made of.
void BM_WriterAlone(benchmark::State& state) {
    const CBrenvikaDoc& doc = openedHouse();
    for (auto _ : state)
        benchmark::DoNotOptimize(writeProject(doc));
}
BENCHMARK(BM_WriterAlone)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_ReaderAlone(benchmark::State& state) {
    const std::string bytes = writeProject(openedHouse());
    for (auto _ : state) {
        CBrenvikaDoc doc;
        benchmark::DoNotOptimize(readProject(bytes, doc));
    }
}
BENCHMARK(BM_ReaderAlone)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace

BENCHMARK_MAIN();
