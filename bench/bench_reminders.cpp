// The reminder program tests every reminder once a second; this measures one such test over a
// large house.
#include "model/CBrenvikaDoc.h"
#include "model/LocalTime.h"
#include "model/ReminderSchedule.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

using namespace ardenvo;

constexpr int kObjects = 1'000;
constexpr int kRemindersPerObject = 100; // 100 000 in all

// A house whose reminders start on dates spread over ten years around now.
std::unique_ptr<CBrenvikaDoc> largeHouse() {
    auto doc = std::make_unique<CBrenvikaDoc>();
    CBlock& hall = *doc->currentSection()->blockAt(0);
    const std::int64_t now = std::time(nullptr);
    std::int64_t spread = 0;
    for (int o = 0; o < kObjects; ++o) {
        auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        object->name = "Object " + std::to_string(o);
        for (int r = 0; r < kRemindersPerObject; ++r) {
            spread = (spread * 1'103'515'245 + 12'345) % 315'360'000; // ten years of seconds
            object->addReminder(
                std::make_unique<CReminder>(fromInstant(now - 157'680'000 + spread)));
        }
        hall.appendFloorObjectAsStored(std::move(object));
    }
    return doc;
}

int countDue(const std::vector<ReminderRef>& reminders, std::int64_t now) {
    int due = 0;
    for (const auto& ref : reminders)
        due += isDue(*ref.reminder, now) ? 1 : 0;
    return due;
}

// The steady state: every second after the projects were loaded.
void BM_DueTestOfAllReminders(benchmark::State& state) {
    const auto doc = largeHouse();
    const auto reminders = collectReminders(*doc);
    const std::int64_t now = std::time(nullptr);
    countDue(reminders, now); // the first test after a load converts each start once
    for (auto _ : state)
        benchmark::DoNotOptimize(countDue(reminders, now));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(reminders.size()));
}
BENCHMARK(BM_DueTestOfAllReminders)->Unit(benchmark::kMillisecond);

// The first test after a load or reload, which converts every start from calendar fields.
void BM_FirstDueTestAfterLoad(benchmark::State& state) {
    const auto doc = largeHouse();
    const auto reminders = collectReminders(*doc);
    const std::int64_t now = std::time(nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& ref : reminders)
            ref.reminder->setStart(ref.reminder->start()); // forgets the converted instant
        state.ResumeTiming();
        benchmark::DoNotOptimize(countDue(reminders, now));
    }
}
BENCHMARK(BM_FirstDueTestAfterLoad)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
