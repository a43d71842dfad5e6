// ardenvo-tool projects / open-projects: what the reminder program is told to watch, and what the
// main programs have open, so a user can see why a house is (not) watched.
#include "coordination/LoadedProjectTable.h"
#include "coordination/ProjectRegistry.h"
#include "model/TextEncoding.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace ardenvo::tool {
namespace {

const std::string kProjectsUsage =
    usageEntry({"projects"}, {"the registered houses: slot, enabled/disabled, path"});
const std::string kOpenUsage =
    usageEntry({"open-projects"}, {"the houses the running main programs have open"});

bool takeNoArguments(const std::vector<std::string>& args, const std::string& usage,
                     std::ostream& err) {
    if (args.empty())
        return true;
    reportError(err, "unexpected argument \"" + args.front() + "\"");
    printUsage(err, usage);
    return false;
}

std::string statusText(std::int32_t status) {
    if (status == projectEnabled)
        return "enabled";
    if (status == projectDisabled)
        return "disabled";
    return "status " + std::to_string(status);
}

int runProjects(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!takeNoArguments(args, kProjectsUsage, err))
        return kExitUsage;
    SettingsFile& settings = SettingsFile::user();
    const auto entries = readProjectEntries(settings);
    out << "Settings file: " << lineField(settings.filePath()) << "\n";
    if (entries.empty()) {
        out << "No projects are registered.\n";
        return finishOutput(out, err);
    }
    out << "SLOT\tSTATUS\tPATH\n";
    for (const auto& e : entries) {
        std::error_code ec;
        const bool exists = !e.path.empty() && std::filesystem::is_regular_file(e.path, ec);
        out << e.index << "\t" << statusText(e.status) << "\t" << lineField(e.path)
            << (exists ? "" : "\t(file not found)") << "\n";
    }
    return finishOutput(out, err);
}

int runOpenProjects(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!takeNoArguments(args, kOpenUsage, err))
        return kExitUsage;
    LoadedProjectTable table;
    if (!table.open()) {
        out << "No main program is running.\n";
        return finishOutput(out, err);
    }
    // One snapshot under the lock, so a main program changing the table cannot split the list.
    std::vector<std::string> paths;
    if (table.acquire()) {
        const std::int32_t count = table.entryCount();
        for (std::int32_t i = 0; i < count; ++i)
            paths.push_back(table.entryAt(i).value_or(std::string()));
        table.release();
    }
    table.close();
    if (paths.empty()) {
        out << "No project is open in the main program.\n";
        return finishOutput(out, err);
    }
    out << "ENTRY\tPATH\n";
    for (std::size_t i = 0; i < paths.size(); ++i)
        out << i << "\t" << lineField(paths[i]) << "\n";
    return finishOutput(out, err);
}

} // namespace

Command projectsCommand() {
    return {"projects", kProjectsUsage, runProjects};
}

Command openProjectsCommand() {
    return {"open-projects", kOpenUsage, runOpenProjects, true};
}

} // namespace ardenvo::tool
