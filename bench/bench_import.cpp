// bench-needs: qt (importer)
// Importing a spreadsheet of 100 000 rows into a new house: reading and detecting the CSV, working
// out the import (rooms, parents, clashes) and adding the objects.
#include "importer/core/CsvReader.h"
#include "importer/core/HouseImport.h"
#include "importer/core/ImportMapping.h"
#include "model/CBrenvikaDoc.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace ardenvo;

constexpr int kRows = 100000;

// Twenty rooms, four rows after another in each; every fourth object lies inside the one before
// it, named after it; quoted notes
// with a comma and a line break on every tenth row.
const std::string& spreadsheet() {
    static const std::string csv = [] {
        std::string s = "Name,Room,Notes,Inside,Value/Price paid,Colour\r\n";
        for (int i = 0; i < kRows; ++i) {
            s += "Object " + std::to_string(i) + ",Room " + std::to_string(i / 4 % 20) + ",";
            s += i % 10 == 0 ? "\"bought in town, \"\"new\"\"\r\nsecond line\"" : "plain notes";
            s += ",";
            if (i % 4 == 3)
                s += "Object " + std::to_string(i - 1);
            s += "," + std::to_string(i % 500) + ".50,red\r\n";
        }
        return s;
    }();
    return csv;
}

void BM_ReadCsv(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(readCsv(spreadsheet()).rows.size());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(spreadsheet().size()));
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond);

void BM_ImportWhole(benchmark::State& state) {
    std::size_t objects = 0;
    for (auto _ : state) {
        CBrenvikaDoc doc;
        doc.newHouse();
        const CsvTable table = readCsv(spreadsheet());
        const ImportMapping mapping = guessMapping(table.header, table.format.header);
        const ImportPlan plan = planImport(doc, table, mapping, {});
        applyImport(doc, plan);
        objects = plan.items.size();
    }
    state.counters["objects"] = static_cast<double>(objects);
}
BENCHMARK(BM_ImportWhole)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
