// bench-needs: qt
// How long the search dialog takes to show a report of 10 000 rows: laying out and painting the
// first screen (BM_ShowReport10000Rows), and until the last row is in the view
// while the event loop keeps running (BM_FillReport10000Rows, with the longest wait of the event
// loop meanwhile); and how long "Save as PDF..." of that report takes once it is shown
// (BM_PdfReport10000Rows).
#include "bench/support/QtBench.h"
#include "model/CBrenvikaDoc.h"
#include "search/dialog/PrintSeam.h"
#include "search/dialog/ReportView.h"
#include "search/dialog/SearchDialog.h"
#include "search/engine/ReportTable.h"
#include "tests/support/ScriptedPrompter.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
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

// The report of 10 000 rows, searched again for each view (the view keeps what it shows).
ReportTable report() {
    static const auto doc = houseOf(10000);
    SearchCriteria c;
    c.byField = true;
    c.fieldText = "price";
    c.byValue = true;
    c.comparison = Comparison::Sum;
    return searchReport(*doc, c, SearchScope::wholeHouse(*doc));
}

void showReport(benchmark::State& state, bool waitForAll) {
    qint64 longestPauseNs = 0; // the longest the event loop waited while the view filled in
    for (auto _ : state) {
        ReportView view;
        view.resize(840, 380);
        view.show();
        state.PauseTiming();
        ReportTable table = report();
        state.ResumeTiming();
        view.showReport(std::move(table));
        benchmark::DoNotOptimize(view.document()->documentLayout()->documentSize());
        view.viewport()->grab();
        if (waitForAll) {
            while (view.isLoading()) {
                QElapsedTimer pause;
                pause.start();
                QCoreApplication::processEvents();
                longestPauseNs = std::max(longestPauseNs, pause.nsecsElapsed());
            }
            benchmark::DoNotOptimize(view.document()->documentLayout()->documentSize());
        }
        state.PauseTiming();
        view.close();
        state.ResumeTiming();
    }
    state.counters["rows"] = 10000;
    if (waitForAll)
        state.counters["longest_pause_ms"] = longestPauseNs / 1e6;
}

void BM_ShowReport10000Rows(benchmark::State& state) {
    showReport(state, false);
}
void BM_FillReport10000Rows(benchmark::State& state) {
    showReport(state, true);
}

// Answers the PDF file dialog with `pdfPath` every time, and any print dialog with Cancel.
class PdfPrompter : public test::ScriptedPrompter {
public:
    QString askSaveFileName(QWidget*, const FileRequest&) override { return pdfPath; }
    QString pdfPath;
};
class NoPrinting : public PrintSeam {
public:
    bool askPrint(QWidget*, QPrinter&) override { return false; }
    void askPageSetup(QWidget*, QPrinter&) override {}
    bool openManual(QWidget*, const QString&) override { return true; }
};

void BM_PdfReport10000Rows(benchmark::State& state) {
    QTemporaryDir dir;
    const auto doc = houseOf(10000);
    PdfPrompter prompts;
    NoPrinting printing;
    prompts.pdfPath = dir.filePath("report.pdf");
    SearchDialog dialog(*doc, dir.filePath("temp.html"), prompts, printing);
    dialog.show();
    // The scope tree ticks the whole house shortly after opening.
    while (!dialog.scope().anySearched())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    dialog.findChild<QLineEdit*>("fieldEdit")->setText("price");
    dialog.findChild<QCheckBox*>("fieldCheck")->setChecked(true);
    dialog.findChild<QComboBox*>("comparisonCombo")->setCurrentIndex(5);
    dialog.findChild<QCheckBox*>("valueCheck")->setChecked(true);
    dialog.askTheTobrin();
    auto* view = dialog.findChild<ReportView*>("reportBrowser");
    // The user saves what has been shown; filling the view is measured above.
    while (view->isLoading())
        QCoreApplication::processEvents();
    for (auto _ : state)
        dialog.saveAsPdf();
    if (!prompts.shown.empty() || view->table().rowCount() != 10000)
        state.SkipWithError("no PDF of the whole report");
    state.counters["rows"] = 10000;
    state.counters["MB"] = QFileInfo(prompts.pdfPath).size() / 1e6;
    dialog.close();
}

} // namespace

BENCHMARK(BM_ShowReport10000Rows)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FillReport10000Rows)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PdfReport10000Rows)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv) {
    return ardenvo::bench::runQtBenchmarks<QApplication>(argc, argv);
}
