// bench-needs: reminder
// The reminder program at rest with 50 projects and 100 000 reminders: what one check of the
// once-a-second timer costs (60 of them make a minute of idling), what a reload costs (served after
// every save of the main program), and the memory the loaded projects take.
//
// `bench_reminder_idle --write-projects DIR` only writes the 50 projects into DIR and registers
// them in DIR/config/Ardenvo/registry.conf, for scripts/measure_reminder_idle.sh, which measures
// the running program itself.
#include "coordination/ProjectRegistry.h"
#include "model/CBrenvikaDoc.h"
#include "model/LocalTime.h"
#include "model/ProjectFile.h"
#include "platform/SettingsFile.h"
#include "reminder/core/ReminderSession.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

using namespace ardenvo;

constexpr int kProjects = 50;
constexpr int kObjectsPerProject = 100;
constexpr int kRemindersPerObject = 20; // 50 x 100 x 20 = 100 000

// Reminders from one to eleven years ahead: nothing is due while the program idles.
std::unique_ptr<CBrenvikaDoc> project(int index) {
    auto doc = std::make_unique<CBrenvikaDoc>();
    CBlock& hall = *doc->currentSection()->blockAt(0);
    const std::int64_t now = std::time(nullptr);
    std::int64_t spread = index;
    for (int o = 0; o < kObjectsPerProject; ++o) {
        auto object = std::make_unique<CHouseObject>();
        object->name = "Object " + std::to_string(o);
        for (int r = 0; r < kRemindersPerObject; ++r) {
            spread = (spread * 1'103'515'245 + 12'345) % 315'360'000;
            auto reminder = std::make_unique<CReminder>(fromInstant(now + 31'536'000 + spread));
            reminder->notes = "Check the guarantee of object " + std::to_string(o);
            reminder->objectName = object->name;
            object->addReminder(std::move(reminder));
        }
        hall.addFloorObject(std::move(object));
    }
    return doc;
}

std::vector<std::string> writeProjects(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    std::vector<std::string> paths;
    for (int i = 0; i < kProjects; ++i) {
        const std::string path = (dir / ("house" + std::to_string(i) + ".av")).string();
        if (saveProject(path, *project(i)) != FileError::None)
            std::cerr << "cannot write " << path << '\n';
        paths.push_back(path);
    }
    return paths;
}

class ListEnvironment : public ReminderEnvironment {
public:
    std::vector<RegisteredProject> entries;
    std::vector<RegisteredProject> readProjectEntries() override { return entries; }
    void setProjectStatus(const std::string&, bool) override {}
    void deleteProjectEntry(const std::string&) override {}
    bool isOpenInMainProgram(const std::string&) override { return false; }
};

class SilentMessages : public SessionMessages {
public:
    void showError(Title, const SessionText& text) override { std::cerr << text.english() << '\n'; }
    void showInformation(const SessionText&) override {}
};

struct Fixture {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "ardenvo-bench-reminder-idle";
    ListEnvironment environment;
    SilentMessages messages;
    ReminderSession session{environment, messages, ""};

    Fixture() {
        int slot = 0;
        for (const auto& path : writeProjects(dir))
            environment.entries.push_back({slot++, path, 1});
    }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void BM_ReloadFiftyProjects(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        f.session.reloadProjects();
    state.counters["reminders"] = f.session.events().size();
    state.counters["rss_MiB"] = residentMiB();
}
BENCHMARK(BM_ReloadFiftyProjects)->Unit(benchmark::kMillisecond)->Iterations(3);

// One tick while nothing is due: the state the program spends nearly all its life in.
void BM_TickNothingDue(benchmark::State& state) {
    Fixture& f = fixture();
    if (f.session.events().empty())
        f.session.reloadProjects();
    const std::int64_t now = std::time(nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.session.firstDueIndex(now));
    state.counters["reminders"] = f.session.events().size();
}
BENCHMARK(BM_TickNothingDue);

// One tick while blinking with a single due reminder: the rows before it are all tested.
void BM_TickOneDue(benchmark::State& state) {
    Fixture& f = fixture();
    if (f.session.events().empty())
        f.session.reloadProjects();
    const auto& rows = f.session.events().rows();
    std::int64_t earliest = rows.front().dueAt;
    for (const auto& row : rows)
        earliest = std::min(earliest, row.dueAt);
    const std::int64_t now = earliest + 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(f.session.firstDueIndex(now));
    state.counters["due_row"] = f.session.firstDueIndex(now);
}
BENCHMARK(BM_TickOneDue);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-projects") == 0) {
        const std::filesystem::path dir = argv[2];
        SettingsFile settings((dir / "config" / "Ardenvo" / "registry.conf").string());
        for (const auto& path : writeProjects(dir))
            registerProject(path, settings);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
