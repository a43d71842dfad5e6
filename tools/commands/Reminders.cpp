// ardenvo-tool reminders: every reminder of a house with its due state, for scripts and cron.
#include "model/CBrenvikaDoc.h"
#include "model/LocalTime.h"
#include "model/ReminderSchedule.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <ctime>
#include <optional>
#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kUsage =
    usageEntry({"reminders FILE [--at \"YYYY-MM-DD HH:MM:SS\"]"},
               {"one tab-separated line per reminder in project order: index",
                "(from 0), date DD/MM/YYYY HH:MM, \"due\" or \"-\" at the given",
                "local time (default now), object name, notes (tabs and line",
                "breaks shown as \\t and \\n)"});

// Reads exactly "YYYY-MM-DD HH:MM:SS" as a local time; anything else, or a date no calendar has,
// gives nothing.
std::optional<std::int64_t> parseMoment(const std::string& text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    auto number = [&](std::size_t at, std::size_t length) -> std::optional<int> {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const auto year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const auto hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    if (*year < 1900 || *month < 1 || *month > 12 || *day < 1 ||
        *day > daysInMonth(*year, *month) || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return toInstant({*year, *month, *day, *hour, *minute, *second});
}

int runReminders(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    std::optional<std::int64_t> at;
    const auto takeMoment = [&at](const std::string& value) {
        at = parseMoment(value);
        return at ? std::string()
                  : "--at needs a local time as \"YYYY-MM-DD HH:MM:SS\", not \"" + value + "\"";
    };
    if (!ArgumentParser(kUsage, ArgumentParser::Style::Terse)
             .option("--at", takeMoment)
             .parse(args, path, err))
        return kExitUsage;

    CBrenvikaDoc& doc = oneShotHouse();
    if (!loadHouse(path, doc, err))
        return kExitFailure;
    const std::int64_t now = at ? *at : static_cast<std::int64_t>(std::time(nullptr));
    const auto reminders = collectReminders(doc);
    for (std::size_t i = 0; i < reminders.size(); ++i) {
        const CReminder& r = *reminders[i].reminder;
        out << i << '\t' << formatListDateTime(r.start()) << '\t' << (isDue(r, now) ? "due" : "-")
            << '\t' << lineField(r.objectName) << '\t' << lineField(r.notes) << '\n';
    }
    return finishOutput(out, err);
}

} // namespace

Command remindersCommand() {
    return {"reminders", kUsage, runReminders};
}

} // namespace ardenvo::tool
