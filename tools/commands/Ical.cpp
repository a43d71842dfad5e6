// ardenvo-tool ical: the house's reminders as a calendar file that calendar programs import.
#include "model/CBrenvikaDoc.h"
#include "model/ReminderCalendar.h"
#include "model/SafeFile.h"
#include "platform/ProjectKey.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolSupport.h"

#include <ctime>
#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kUsage =
    usageEntry({"ical FILE [--out CALENDAR]"},
               {"the reminders as an iCalendar file (one event each,",
                "repeating as \"Reset\" moves them) on the output or in", "CALENDAR"});

int runIcal(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    std::string target;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size() && !args[i + 1].empty() && target.empty()) {
            target = args[++i];
        } else if (path.empty() && !args[i].empty() && args[i] != "--out") {
            path = args[i];
        } else {
            printUsage(err, kUsage);
            return kExitUsage;
        }
    }
    if (path.empty()) {
        printUsage(err, kUsage);
        return kExitUsage;
    }
    CBrenvikaDoc doc;
    if (!loadHouse(path, doc, err))
        return kExitFailure;
    const std::string calendar = writeReminderCalendar(
        {{projectKey(path), &doc}}, static_cast<std::int64_t>(std::time(nullptr)));
    if (target.empty()) {
        out << calendar;
        return finishOutput(out, err);
    }
    std::string error;
    if (!replaceFileSafely(target, calendar, false, &error)) {
        reportError(err, target + ": " + error);
        return kExitFailure;
    }
    return 0;
}

const CommandRegistration registration("ical", kUsage, runIcal);

} // namespace
} // namespace ardenvo::tool
