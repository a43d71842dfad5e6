// bench-needs: qt (labels_print)
// 1 000 labels to a PDF: a house of 1 000 boxes, each holding ten named objects, every box's label
// with its code, its contents and its QR code on A4 sheets of 3 x 8. Target: under 5 s.
#include "bench/support/QtBench.h"
#include "labels/core/LabelSubjects.h"
#include "labels/print/LabelPrinter.h"
#include "model/CBrenvikaDoc.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace ardenvo;

namespace {

constexpr int kBoxes = 1000;
constexpr int kObjectsPerBox = 10;

void buildHouse(CBrenvikaDoc& doc) {
    doc.clearSections();
    auto section = std::make_unique<CSection>();
    section->name = "Ground floor";
    CBlock& garage = *section->blocks().front();
    garage.name = "Garage";
    for (int b = 0; b < kBoxes; ++b) {
        auto box = std::make_unique<CHouseObject>();
        box->name = "Moving box " + std::to_string(b + 1);
        for (int o = 0; o < kObjectsPerBox; ++o) {
            auto object = std::make_unique<CHouseObject>();
            object->name = "Kitchen thing number " + std::to_string(o + 1);
            box->addChild(NestPosition::Inside, std::move(object));
        }
        garage.addFloorObject(std::move(box));
    }
    doc.appendSection(std::move(section));
    doc.setPathName("/home/me/bench-house.av");
}

void BM_Labels1000ToPdf(benchmark::State& state) {
    CBrenvikaDoc doc;
    buildHouse(doc);
    QTemporaryDir out;
    const std::string path = out.filePath("labels.pdf").toStdString();
    for (auto _ : state) {
        const LabelJob job =
            makeLabelJob(doc, containerSubjects(doc), *findSheet("a4-3x8"), 1, true);
        QString error;
        if (!writeLabelsPdf(job, QString::fromStdString(path), error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        state.counters["labels"] = static_cast<double>(job.labels.size());
    }
    state.counters["pdf_MiB"] =
        static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_Labels1000ToPdf)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return ardenvo::bench::runQtBenchmarks<QGuiApplication>(argc, argv);
}
