// ardenvo-tool reset: the reminder program's "Reset" from a script: a periodical reminder moves to
// its next date, a single-date one is deleted, and the house is written back safely.
#include "coordination/DocumentRegistration.h"
#include "coordination/ReloadSignal.h"
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "model/ReminderSchedule.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kUsage = usageEntry(
    {"reset FILE INDEX"}, {"the reminder program's \"Reset\": a periodical reminder moves to",
                           "its next date, a single-date one is deleted; the house is",
                           "replaced safely and a running reminder program reloads"});

// Plain decimal digits only: "-1", "+2", "3x" or a number past any reminder count are refused.
std::optional<std::size_t> parseIndex(const std::string& text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::size_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

int runReset(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].empty()) {
        printUsage(err, kUsage);
        return kExitUsage;
    }
    const std::string& path = args[0];
    const auto index = parseIndex(args[1]);
    if (!index) {
        reportError(err, "INDEX must be a reminder number from 0, not \"" + args[1] + "\"");
        return kExitUsage;
    }

    CBrenvikaDoc doc;
    if (!loadHouse(path, doc, err, nullptr, HouseUse::Change))
        return kExitFailure;
    const auto reminders = collectReminders(doc);
    if (*index >= reminders.size()) {
        reportError(err, "No reminder " + args[1] + " in " + path + " (it has " +
                             std::to_string(reminders.size()) + ")");
        return kExitFailure;
    }

    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).string();
    // Nobody can be asked from a script: say so, and the later save of the main program wins.
    if (!ec && isOpenInMainProgram(absolute))
        reportError(err, "warning: " + path +
                             " is open in Ardenvo; saving it there will undo this reset");

    const ReminderRef ref = reminders[*index];
    const bool periodical = ref.reminder->isPeriodical();
    resetReminder(*ref.owner, *ref.reminder);
    if (!replaceHouse(path, doc, err))
        return kExitFailure;
    // As after a save in the main program: a running reminder program re-reads its projects.
    signalReload();

    if (periodical)
        out << *index << '\t' << formatListDateTime(ref.reminder->start()) << '\n';
    else
        out << *index << "\tdeleted\n";
    return finishOutput(out, err);
}

} // namespace

Command resetCommand() {
    return {"reset", kUsage, runReset, true};
}

} // namespace ardenvo::tool
