// ardenvo-tool search: the search of the main program's "Ask the tobrin" dialog, as a report.
#include "platform/posix/MappedFile.h"
#include "search/engine/FileSearch.h"
#include "search/engine/ReportWriter.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
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

// An option that searches by one text: it turns its check box on and sets the text.
ArgumentParser::Take searchBy(bool& check, std::string& text) {
    return [&check, &text](const std::string& value) {
        check = true;
        text = value;
        return std::string();
    };
}

bool parseArgs(const std::vector<std::string>& args, SearchArgs& parsed, std::ostream& err) {
    bool compareGiven = false;
    bool valueGiven = false;
    SearchCriteria& c = parsed.criteria;
    const auto takeComparison = [&](const std::string& value) {
        int index = -1;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), index);
        if (ec != std::errc() || end != value.data() + value.size() || index < 0 ||
            index >= kComparisonCount)
            return "--compare takes a number from 0 to 8, not \"" + value + "\"";
        c.comparison = static_cast<Comparison>(index);
        c.byValue = true;
        compareGiven = true;
        return std::string();
    };
    const auto takeValue = [&](const std::string& value) {
        valueGiven = true;
        return searchBy(c.byValue, c.valueText)(value);
    };
    ArgumentParser parser(kUsage, ArgumentParser::Style::Explained);
    parser.option("--names", searchBy(c.byName, c.nameText))
        .option("--notes", searchBy(c.byNotes, c.notesText))
        .option("--field", searchBy(c.byField, c.fieldText))
        .option("--value", takeValue)
        .option("--compare", takeComparison)
        .option("--title", c.title)
        .option("--room", parsed.rooms)
        .option("--out", parsed.out);
    if (!parser.parse(args, parsed.file, err))
        return false;
    if (c.byValue && !c.byField)
        return parser.fail(err, "--compare and --value need --field");
    if (compareGiven && comparesWithValue(c.comparison) && !valueGiven)
        return parser.fail(err, "--compare " + std::to_string(static_cast<int>(c.comparison)) +
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
    // The report needs a few texts of the house, not the house: the file is searched as it is
    // read, and only what may be listed is kept. The report is the one of the house it holds.
    MappedFile file;
    if (!mapHouse(parsed.file, file, err))
        return kExitFailure;
    FileSearch search(parsed.criteria);
    if (!readMappedHouse(parsed.file, file, err, [&] { return search.scan(file.bytes()); }))
        return kExitFailure;
    SearchScope scope;
    if (!selectRooms(search, parsed.rooms, scope, err))
        return kExitFailure;

    const ReportTable table = search.report(scope);
    // The rows' texts are read from the file as they are written: one cut short meanwhile read as
    // zeros, and the report is not the house's.
    const auto stillIntact = [&] {
        if (file.intact())
            return true;
        reportError(err, "Cannot read " + parsed.file + ": the file changed or could not be read");
        return false;
    };
    if (parsed.out) {
        std::string error;
        if (!saveReport(*parsed.out, table, error)) {
            reportError(err, "Cannot write " + *parsed.out + ": " + error);
            return kExitFailure;
        }
        return stillIntact() ? 0 : kExitFailure;
    }
    streamReport(table, [&out](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
    const int written = finishOutput(out, err);
    return stillIntact() ? written : kExitFailure;
}

} // namespace

Command searchCommand() {
    return {"search", kUsage, runSearchCommand};
}

} // namespace ardenvo::tool
