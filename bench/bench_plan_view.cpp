// bench-needs: qt (planview)
// The plan view with a section of 1 000 blocks and 10 000 floor objects: one frame drawn into the
// back buffer (fitted as after opening, and zoomed out until every block shows), and one step of
// a block drag (resize, relayout of the whole section, redraw). A frame should stay under 16 ms.
#include "bench/support/QtBench.h"
#include "model/CBrenvikaDoc.h"
#include "planeditor/layout/BlockLayout.h"
#include "planeditor/layout/PlanGeometry.h"
#include "planeditor/view/CBrenvikaView.h"
#include "widgets/PlanPainter.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

using namespace ardenvo;

namespace {

constexpr int kBlocks = 1000;
constexpr int kObjectsPerBlock = 10;
constexpr int kColumns = 40;
constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// Rows of rooms, each linked to its west neighbour or, at a row's start, to the block above.
std::unique_ptr<CBrenvikaDoc> makeSection() {
    auto doc = std::make_unique<CBrenvikaDoc>();
    installLayout(*doc);
    CSection& section = *doc->currentSection();
    std::vector<std::int32_t> ids{1};
    for (int b = 1; b < kBlocks; ++b) {
        const bool rowStart = b % kColumns == 0;
        const std::int32_t anchor = ids[static_cast<std::size_t>(rowStart ? b - kColumns : b - 1)];
        CBlock* block = doc->addBlock(anchor, rowStart ? South : East, BlockKind::Room);
        ids.push_back(block->id);
    }
    unsigned colour = 12345;
    for (const auto& block : section.blocks()) {
        for (int i = 0; i < kObjectsPerBlock; ++i) {
            auto o = std::make_unique<CHouseObject>();
            const int x = 10 + (i % 5) * 26;
            const int y = 10 + (i / 5) * 60;
            o->location.rect = {x, y, x + 24, y + 50};
            o->name = "Chair " + std::to_string(i + 1);
            colour = colour * 1103515245u + 12345u;
            o->color = colour & 0xFFFFFF;
            block->addFloorObject(std::move(o));
        }
    }
    relayoutFrom(section, 1, -1);
    return doc;
}

std::vector<std::int32_t> allIds(const CSection& section) {
    std::vector<std::int32_t> ids;
    for (const auto& b : section.blocks())
        ids.push_back(b->id);
    return ids;
}

void drawFrame(benchmark::State& state, bool wholeHouse) {
    auto doc = makeSection();
    CSection& section = *doc->currentSection();
    ScreenTransform t = fitTransform(section.boundingBox(), kWidth, kHeight);
    if (wholeHouse) {
        const Rect box = section.boundingBox();
        t.zoom = 0.95 * std::min(double(kWidth) / box.width(), double(kHeight) / box.height());
        t.offsetX = static_cast<std::int32_t>(kWidth * 0.5 / t.zoom - (box.left + box.right) / 2);
        t.offsetY = static_cast<std::int32_t>(kHeight * 0.5 / t.zoom - (box.top + box.bottom) / 2);
    }
    section.zoom = t.zoom;
    section.offsetX = t.offsetX;
    section.offsetY = t.offsetY;
    section.blockAt(kBlocks / 2)->selected = 1;
    const std::vector<std::int32_t> ids = allIds(section);
    QImage buffer(kWidth, kHeight, QImage::Format_RGB32);
    PlanPainter painter;
    for (auto _ : state) {
        painter.paint(buffer, &section, ids);
        benchmark::DoNotOptimize(buffer.constBits());
    }
    state.counters["zoom"] = t.zoom;
}

void BM_DrawFittedSection(benchmark::State& state) {
    drawFrame(state, false);
}
BENCHMARK(BM_DrawFittedSection)->Unit(benchmark::kMillisecond);

void BM_DrawWholeSectionVisible(benchmark::State& state) {
    drawFrame(state, true);
}
BENCHMARK(BM_DrawWholeSectionVisible)->Unit(benchmark::kMillisecond);

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// One mouse move of a block drag in the middle of the plan: the block's width changes, the whole
// section is placed again from it and the frame is redrawn.
void BM_BlockDragStep(benchmark::State& state) {
    auto doc = makeSection();
    CBrenvikaView view(*doc);
    view.resize(kWidth, kHeight);
    view.show();
    QApplication::processEvents();
    CSection& section = *doc->currentSection();

    // The block nearest the window's centre.
    const ScreenTransform t{section.zoom, section.offsetX, section.offsetY};
    const CBlock* chosen = nullptr;
    long best = -1;
    for (const auto& b : section.blocks()) {
        const Rect s = t.toScreen(b->rect());
        const long dx = (s.left + s.right) / 2 - kWidth / 2;
        const long dy = (s.top + s.bottom) / 2 - kHeight / 2;
        if (best < 0 || dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            chosen = b.get();
        }
    }
    const Rect s = t.toScreen(chosen->rect());
    const QPoint centre((s.left + s.right) / 2, (s.top + s.bottom) / 2);
    sendMouse(&view, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    sendMouse(&view, QEvent::MouseButtonRelease, centre, Qt::NoButton);
    const auto handles = blockHandlePoints(s);
    const QPoint edge(handles[4].x, handles[4].y); // handle 5, the east edge
    sendMouse(&view, QEvent::MouseMove, edge, Qt::NoButton);
    sendMouse(&view, QEvent::MouseButtonPress, edge, Qt::LeftButton);
    if (view.dragMode() != 2)
        state.SkipWithError("the drag did not start");

    int step = 0;
    for (auto _ : state) {
        const QPoint to = edge + QPoint((++step % 2) ? 20 : -20, 0);
        sendMouse(&view, QEvent::MouseMove, to, Qt::LeftButton);
        benchmark::DoNotOptimize(view.backBuffer().constBits());
    }
    sendMouse(&view, QEvent::MouseButtonRelease, edge, Qt::NoButton);
    view.close();
}
BENCHMARK(BM_BlockDragStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return ardenvo::bench::runQtBenchmarks<QApplication>(argc, argv);
}
