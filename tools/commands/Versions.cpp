// ardenvo-tool versions and diff: the earlier versions the main program kept of a house, and what
// changed between any two houses (a house and a sync folder's conflicted copy of it).
#include "history/HouseDiff.h"
#include "history/VersionStore.h"
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "platform/ProjectKey.h"
#include "platform/posix/SafeFile.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <ctime>
#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kVersionsUsage = usageEntry(
    {"versions FILE"}, {"the earlier versions kept of the house before each change, newest",
                        "first: one tab-separated line each of local date and time",
                        "(YYYY-MM-DD HH:MM:SS), size in bytes, object count or",
                        "\"damaged\", and the version's file"});

const std::string kDiffUsage = usageEntry(
    {"diff OLDER NEWER"},
    {"what changed from the house OLDER to the house NEWER, room by",
     "room: objects added, removed, moved and changed (name, notes,",
     "attributes, pictures, reminders), in the words of File >", "\"Earlier versions...\""});

std::string localTime(std::int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

int runVersions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!takeOneFile(args, kVersionsUsage, err))
        return kExitUsage;
    const VersionStore store(versionsFolderFor(projectKey(args.front())));
    for (const HouseVersion& version : store.versions()) {
        std::string bytes, error;
        CBrenvikaDoc doc;
        std::string count = "damaged";
        // A damaged version is only told of, never taken for a house.
        if (readWholeFile(version.path, bytes, &error, nullptr, nullptr, kMaxProjectFileBytes) &&
            readProject(bytes, doc) == FileError::None)
            count = std::to_string(countObjects(doc));
        out << localTime(version.timeMs) << '\t' << version.size << '\t' << count << '\t'
            << lineField(version.path) << '\n';
    }
    return finishOutput(out, err);
}

int runDiff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].empty() || args[1].empty()) {
        printUsage(err, kDiffUsage);
        return kExitUsage;
    }
    CBrenvikaDoc older, newer;
    if (!loadHouse(args[0], older, err) || !loadHouse(args[1], newer, err))
        return kExitFailure;
    out << describeDifferences(compareHouses(older, newer));
    return finishOutput(out, err);
}

} // namespace

Command versionsCommand() {
    return {"versions", kVersionsUsage, runVersions};
}

Command diffCommand() {
    return {"diff", kDiffUsage, runDiff};
}

} // namespace ardenvo::tool
