// bench-needs: qt
// How long the search dialog takes to show a report of 10 000 rows: reading the file, laying out
// and painting the first screen (BM_ShowReport10000Rows), and until the last row is in the view
// while the event loop keeps running (BM_FillReport10000Rows).
#include "bench/support/QtBench.h"
#include "model/CBrenvikaDoc.h"
#include "search/dialog/ReportView.h"
#include "search/engine/ReportWriter.h"
#include "search/engine/SearchEngine.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

using namespace ardenvo;

// A house with `rows` objects that all match, spread over 100 rooms, with notes and a price.
std::unique_ptr<CBrenvikaDoc> houseOf(int rows) {
    auto doc = std::make_unique<CBrenvikaDoc>();
    doc->clearSections();
    auto section = std::make_unique<CSection>();
    section->name = "Ground floor";
    for (int b = 1; b < 100; ++b) {
        auto room = CBlock::create(BlockKind::Room);
        room->name = "Room " + std::to_string(b);
        room->id = section->nextBlockId++;
        section->appendBlockAsStored(std::move(room));
    }
    for (int i = 0; i < rows; ++i) {
        auto object = std::make_unique<CHouseObject>();
        object->name = "Chair " + std::to_string(i);
        object->notes = "Bought for the living room";
        object->categories()[1]->entryAt(0).value = std::to_string(10 + i % 500) + ".50";
        section->blockAt(i % 100)->appendFloorObjectAsStored(std::move(object));
    }
    doc->appendSection(std::move(section));
    return doc;
}

// The report file of 10 000 rows, written once.
const QString& reportFile() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const auto doc = houseOf(10000);
        SearchCriteria c;
        c.byField = true;
        c.fieldText = "price";
        c.byValue = true;
        c.comparison = Comparison::Sum;
        const QString file = dir.filePath("temp.html");
        std::string error;
        saveReport(file.toStdString(), c, runSearch(*doc, c, SearchScope::wholeHouse(*doc)), error);
        return file;
    }();
    return path;
}

void showReport(benchmark::State& state, bool waitForAll) {
    const QString& path = reportFile();
    for (auto _ : state) {
        ReportView view;
        view.resize(840, 380);
        view.show();
        if (!view.showReport(path))
            state.SkipWithError("report not readable");
        benchmark::DoNotOptimize(view.document()->documentLayout()->documentSize());
        view.viewport()->grab();
        if (waitForAll) {
            while (view.isLoading())
                QCoreApplication::processEvents();
            benchmark::DoNotOptimize(view.document()->documentLayout()->documentSize());
        }
        state.PauseTiming();
        view.close();
        state.ResumeTiming();
    }
    state.counters["rows"] = 10000;
}

void BM_ShowReport10000Rows(benchmark::State& state) {
    showReport(state, false);
}
void BM_FillReport10000Rows(benchmark::State& state) {
    showReport(state, true);
}

} // namespace

BENCHMARK(BM_ShowReport10000Rows)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FillReport10000Rows)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv) {
    return ardenvo::bench::runQtBenchmarks<QApplication>(argc, argv);
}
