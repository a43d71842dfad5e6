// bench-needs: qt (catalogue)
// The "Objects inside" dialog on a room of 10 000 floor objects, each with one object on top and
// one inside: opening the dialog (tree, preview, room lists) and one rebuild of the tree after an
// edit. Each should stay under 100 ms so the dialog never feels slow.
#include "bench/support/QtBench.h"
#include "catalogue/ObjectTree.h"
#include "catalogue/ObjectsDialog.h"
#include "model/CBrenvikaDoc.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace ardenvo;

namespace {

constexpr int kFloorObjects = 10000;

std::unique_ptr<CBrenvikaDoc> makeHouse() {
    auto doc = std::make_unique<CBrenvikaDoc>();
    doc->newHouse();
    CBlock& room = *doc->currentSection()->blocks()[0];
    room.setRect({0, 0, 2000, 2000});
    for (int i = 0; i < kFloorObjects; ++i) {
        auto o = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        o->name = "Object " + std::to_string(i);
        o->location.rect = {10 + i % 190 * 10, 10 + i / 190 * 10, 20 + i % 190 * 10,
                            20 + i / 190 * 10};
        auto top = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        top->name = "Lamp";
        auto inside = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        inside->name = "Key";
        o->appendChildAsStored(NestPosition::OnTop, std::move(top));
        o->appendChildAsStored(NestPosition::Inside, std::move(inside));
        room.appendFloorObjectAsStored(std::move(o));
    }
    return doc;
}

void BM_OpenObjectsDialog(benchmark::State& state) {
    auto doc = makeHouse();
    CBlock& room = *doc->currentSection()->blocks()[0];
    for (auto _ : state) {
        ObjectsDialog dialog(*doc, room, room.floorObjects()[5000].get());
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.tree()->topLevelItemCount());
        state.PauseTiming();
        dialog.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenObjectsDialog)->Unit(benchmark::kMillisecond);

void BM_RebuildTreeAfterEdit(benchmark::State& state) {
    auto doc = makeHouse();
    CBlock& room = *doc->currentSection()->blocks()[0];
    ObjectTree tree;
    tree.show();
    tree.rebuild(&room);
    // Half the branches expanded, as a user who has looked around leaves them.
    for (int i = 0; i < kFloorObjects; i += 2)
        tree.root()->child(i)->setExpanded(true);
    CHouseObject& edited = *room.floorObjects()[kFloorObjects / 2];
    int n = 0;
    for (auto _ : state) {
        edited.name = "Renamed " + std::to_string(++n);
        tree.rebuild(&room);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RebuildTreeAfterEdit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return ardenvo::bench::runQtBenchmarks<QApplication>(argc, argv);
}
