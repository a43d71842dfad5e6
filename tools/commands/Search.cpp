// ardenvo-tool search: the search of the main program's "Ask the tobrin" dialog, as a report.
#include "model/CBrenvikaDoc.h"
#include "search/engine/ReportWriter.h"
#include "search/engine/SearchEngine.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolSupport.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kUsage = usageEntry(
    {"search FILE [--names TEXT] [--notes TEXT] [--field TEXT [--compare N] [--value TEXT]]",
     "[--title TEXT] [--room SECTION/BLOCK]... [--out FILE]"},
    {"the HTML report of \"Ask the tobrin\"; --compare 0 contains,",
     "1 begins with, 2 ends with, 3 is greater than, 4 is less than,",
     "5 sum, 6 average, 7 maximum, 8 minimum; every block is searched",
     "unless --room options name some"});

struct SearchArgs {
    std::string file;
    SearchCriteria criteria;
    std::vector<std::string> rooms;
    std::optional<std::string> out;
};

bool usageError(std::ostream& err, const std::string& message) {
    reportError(err, message);
    printUsage(err, kUsage);
    return false;
}

bool parseArgs(const std::vector<std::string>& args, SearchArgs& parsed, std::ostream& err) {
    bool compareGiven = false;
    bool valueGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!parsed.file.empty())
                return usageError(err, "more than one file: " + arg);
            parsed.file = arg;
            continue;
        }
        if (i + 1 >= args.size())
            return usageError(err, arg + " needs a value");
        const std::string& value = args[++i];
        SearchCriteria& c = parsed.criteria;
        if (arg == "--names") {
            c.byName = true;
            c.nameText = value;
        } else if (arg == "--notes") {
            c.byNotes = true;
            c.notesText = value;
        } else if (arg == "--field") {
            c.byField = true;
            c.fieldText = value;
        } else if (arg == "--value") {
            c.byValue = true;
            c.valueText = value;
            valueGiven = true;
        } else if (arg == "--compare") {
            int index = -1;
            const auto [end, ec] =
                std::from_chars(value.data(), value.data() + value.size(), index);
            if (ec != std::errc() || end != value.data() + value.size() || index < 0 ||
                index >= kComparisonCount)
                return usageError(err,
                                  "--compare takes a number from 0 to 8, not \"" + value + "\"");
            c.comparison = static_cast<Comparison>(index);
            c.byValue = true;
            compareGiven = true;
        } else if (arg == "--title") {
            c.title = value;
        } else if (arg == "--room") {
            parsed.rooms.push_back(value);
        } else if (arg == "--out") {
            parsed.out = value;
        } else {
            return usageError(err, "unknown option " + arg);
        }
    }
    if (parsed.file.empty())
        return usageError(err, "no house file given");
    const SearchCriteria& c = parsed.criteria;
    if (c.byValue && !c.byField)
        return usageError(err, "--compare and --value need --field");
    if (compareGiven && comparesWithValue(c.comparison) && !valueGiven)
        return usageError(err, "--compare " + std::to_string(static_cast<int>(c.comparison)) +
                                   " needs --value");
    return true;
}

int runSearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SearchArgs parsed;
    if (!parseArgs(args, parsed, err))
        return kExitUsage;
    if (!parsed.criteria.hasCriterion()) {
        reportError(err, "Check at least one check box (--names, --notes or --field)");
        return kExitUsage;
    }
    CBrenvikaDoc doc;
    if (!loadHouse(parsed.file, doc, err))
        return kExitFailure;
    SearchScope scope;
    if (!selectRooms(doc, parsed.rooms, scope, err))
        return kExitFailure;

    const SearchResult result = runSearch(doc, parsed.criteria, scope);
    if (parsed.out) {
        std::string error;
        if (!saveReport(*parsed.out, parsed.criteria, result, error)) {
            reportError(err, "Cannot write " + *parsed.out + ": " + error);
            return kExitFailure;
        }
        return 0;
    }
    streamReport(parsed.criteria, result, [&out](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
    return finishOutput(out, err);
}

const CommandRegistration registration("search", kUsage, runSearchCommand);

} // namespace
} // namespace ardenvo::tool
