// ardenvo-tool ical: the house's reminders as a calendar file that calendar programs import.
#include "model/CBrenvikaDoc.h"
#include "model/ReminderCalendar.h"
#include "model/SafeFile.h"
#include "platform/ProjectKey.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
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
    if (!ArgumentParser(kUsage, ArgumentParser::Style::Terse)
             .option("--out", target)
             .parse(args, path, err))
        return kExitUsage;
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

} // namespace

Command icalCommand() {
    return {"ical", kUsage, runIcal};
}

} // namespace ardenvo::tool
