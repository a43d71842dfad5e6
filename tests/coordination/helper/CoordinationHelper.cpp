// Plays another running program for the coordination tests. Commands:
//   register PATH          registers PATH as the main program does
//   doc PATH               a main-program document read from PATH; then reads lines from stdin:
//                          "write PATH" (saved under PATH), "quit"; answers each with "ok"
//   doc-on-go PATH         the same, waiting for a line "go" before reading PATH, so that many
//                          copies open it at one moment
//   hold-lock              takes the table's lock, says "held" and sleeps until killed
//   churn NAME N           a main program adding and removing its own entry N times
//   read N                 a reminder program reading the table N times
//   wait-reload MS         creates the reload event, says "ready", then "set" or "timeout"
#include "coordination/DocumentRegistration.h"
#include "coordination/LoadedProjectTable.h"
#include "coordination/ProjectRegistry.h"
#include "coordination/ReloadSignal.h"

#include <iostream>
#include <string>
#include <unistd.h>

using namespace ardenvo;

namespace {

int fail(const std::string& message) {
    std::cerr << "helper: " << message << std::endl;
    return 1;
}

// Every entry of a sound table is a path; a torn write would show as anything else.
bool tableLooksSound(LoadedProjectTable& table, std::string& problem) {
    const std::int32_t count = table.entryCount();
    for (std::int32_t i = 0; i < count; ++i) {
        const auto entry = table.entryAt(i);
        if (!entry || entry->empty() || entry->front() != '/') {
            problem = "entry " + std::to_string(i) + " is damaged";
            return false;
        }
    }
    return true;
}

int churn(const std::string& name, int rounds) {
    LoadedProjectTable table;
    if (!table.openOrCreate())
        return fail("no table");
    for (int i = 0; i < rounds; ++i) {
        const std::string path = "/churn/" + name + "/" + std::to_string(i) + ".av";
        if (!table.acquire())
            return fail("cannot lock");
        const bool added = table.appendEntry(path);
        std::string problem;
        const bool sound = tableLooksSound(table, problem);
        table.release();
        if (!sound)
            return fail(problem);
        if (!added)
            continue; // full for a moment: the others hold the slots
        table.acquire();
        const std::int32_t at = table.findEntry(path);
        const bool removed = at >= 0 && table.removeEntry(at);
        table.release();
        if (!removed)
            return fail("own entry lost: " + path);
    }
    return 0;
}

int read(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        LoadedProjectTable table;
        if (!table.open())
            continue;
        table.acquire();
        std::string problem;
        const bool sound = tableLooksSound(table, problem);
        table.release();
        if (!sound)
            return fail(problem);
    }
    return 0;
}

int document(const std::string& path, bool waitForGo) {
    DocumentRegistration doc;
    std::string line;
    if (waitForGo && (!std::getline(std::cin, line) || line != "go"))
        return fail("no go");
    doc.afterRead(path);
    std::cout << "ok" << std::endl;
    while (std::getline(std::cin, line)) {
        if (line == "quit")
            break;
        if (line.rfind("write ", 0) == 0)
            doc.afterWrite(line.substr(6));
        std::cout << "ok" << std::endl;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const std::string arg = argc > 2 ? argv[2] : "";
    if (command == "register" && argc == 3) {
        registerProject(arg);
        return 0;
    }
    if (command == "doc" && argc == 3)
        return document(arg, false);
    if (command == "doc-on-go" && argc == 3)
        return document(arg, true);
    if (command == "hold-lock") {
        NamedLock lock(LoadedProjectTable::lockName);
        if (!lock.acquire())
            return fail("cannot lock");
        std::cout << "held" << std::endl;
        for (;;)
            ::pause();
    }
    if (command == "churn" && argc == 4)
        return churn(arg, std::stoi(argv[3]));
    if (command == "read" && argc == 3)
        return read(std::stoi(arg));
    if (command == "wait-reload" && argc == 3) {
        ReloadEvent event;
        if (!event.isValid())
            return fail("no event");
        std::cout << "ready" << std::endl;
        std::cout << (event.wait(std::stoi(arg)) ? "set" : "timeout") << std::endl;
        return 0;
    }
    return fail("unknown command");
}
