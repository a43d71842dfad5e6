// The search of the big benchmark house, report text and file included.
#include "bench/support/BigHouse.h"
#include "search/engine/ReportWriter.h"
#include "search/engine/SearchEngine.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace ardenvo;

void searchAndWrite(benchmark::State& state, const SearchCriteria& criteria) {
    const CBrenvikaDoc& doc = sharedBigHouse();
    const SearchScope scope = SearchScope::wholeHouse(doc);
    const std::string path =
        (std::filesystem::temp_directory_path() / "ardenvo-bench-temp.html").string();
    std::size_t rows = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const ReportTable table = searchReport(doc, criteria, scope);
        std::string error;
        if (!saveReport(path, table, error))
            state.SkipWithError(error.c_str());
        rows = table.rowCount();
    }
    state.counters["rows"] = static_cast<double>(rows);
    bytes = std::filesystem::file_size(path);
    state.counters["report_MB"] = static_cast<double>(bytes) / 1e6;
    std::filesystem::remove(path);
}

// Names: a few hundred objects of one kind among all.
void BM_SearchNames(benchmark::State& state) {
    SearchCriteria c;
    c.byName = true;
    c.nameText = "LAMP 1";
    searchAndWrite(state, c);
}

// Notes: a third of the objects carry notes, half of those this text.
void BM_SearchNotes(benchmark::State& state) {
    SearchCriteria c;
    c.byNotes = true;
    c.notesText = "living ROOM";
    searchAndWrite(state, c);
}

// A field with the sum: every object has the field, so every object is a row.
void BM_SearchFieldSum(benchmark::State& state) {
    SearchCriteria c;
    c.byField = true;
    c.fieldText = "price";
    c.byValue = true;
    c.comparison = Comparison::Sum;
    searchAndWrite(state, c);
}

// The same search without the report, to tell the two costs apart.
void BM_SearchFieldSumOnly(benchmark::State& state) {
    SearchCriteria c;
    c.byField = true;
    c.fieldText = "price";
    c.byValue = true;
    c.comparison = Comparison::Sum;
    const CBrenvikaDoc& doc = sharedBigHouse();
    const SearchScope scope = SearchScope::wholeHouse(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(runSearch(doc, c, scope).rows.size());
}

} // namespace

BENCHMARK(BM_SearchNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNotes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchFieldSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchFieldSumOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
