// ardenvo-tool import: objects from a spreadsheet or another inventory's CSV export into a house,
// as File > "Import objects..." does; the house is written back safely.
#include "coordination/DocumentRegistration.h"
#include "coordination/ReloadSignal.h"
#include "importer/core/CsvReader.h"
#include "importer/core/HouseImport.h"
#include "importer/core/ImportMapping.h"
#include "model/CBrenvikaDoc.h"
#include "model/CSection.h"
#include "model/ProjectFile.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <charconv>
#include <filesystem>
#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kUsage =
    usageEntry({"import FILE CSV [--room SECTION/BLOCK] [--map COLUMN=TARGET]... [--dry-run]"},
               {"objects from a spreadsheet: each row an object in the room it",
                "names (missing rooms are made) or in --room; TARGET is section,",
                "room, name, notes, inside, on top of, under, leave out or",
                "Category/Attribute; prints what it added; the house is replaced",
                "safely and a running reminder program reloads"});

struct ImportArgs {
    std::string house;
    std::string csv;
    std::optional<std::string> room;
    std::vector<std::string> maps;
    bool dryRun = false;
};

bool usageFault(std::ostream& err, const std::string& message) {
    reportError(err, message);
    printUsage(err, kUsage);
    return false;
}

bool parseArgs(const std::vector<std::string>& args, ImportArgs& parsed, std::ostream& err) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--dry-run") {
            parsed.dryRun = true;
        } else if (arg == "--room" || arg == "--map") {
            if (i + 1 == args.size() || args[i + 1].empty())
                return usageFault(err, arg + " needs a value");
            if (arg == "--room")
                parsed.room = args[++i];
            else
                parsed.maps.push_back(args[++i]);
        } else if (arg.starts_with("--")) {
            return usageFault(err, "unknown option \"" + arg + "\"");
        } else if (!arg.empty()) {
            files.push_back(arg);
        }
    }
    if (files.size() != 2)
        return usageFault(err, "give the house and the CSV file");
    parsed.house = files[0];
    parsed.csv = files[1];
    return true;
}

// COLUMN is a header or a number from 1.
std::optional<std::size_t> findColumn(const CsvTable& table, const std::string& column) {
    for (std::size_t i = 0; i < table.header.size(); ++i)
        if (table.header[i] == column)
            return i;
    std::size_t number = 0;
    const auto [end, ec] = std::from_chars(column.data(), column.data() + column.size(), number);
    if (ec == std::errc() && end == column.data() + column.size() && number >= 1 &&
        number <= table.header.size())
        return number - 1;
    return std::nullopt;
}

bool applyMaps(const ImportArgs& parsed, const CsvTable& table, ImportMapping& mapping,
               std::ostream& err) {
    for (const std::string& map : parsed.maps) {
        const auto equals = map.find('=');
        if (equals == std::string::npos)
            return usageFault(err, "--map takes COLUMN=TARGET, not \"" + map + "\"");
        const std::string column = map.substr(0, equals);
        const auto index = findColumn(table, column);
        if (!index) {
            reportError(err, "no column \"" + column + "\" in " + parsed.csv);
            return false;
        }
        const auto target = parseTarget(map.substr(equals + 1));
        if (!target)
            return usageFault(err, "unknown target \"" + map.substr(equals + 1) + "\"");
        mapping.columns[*index] = *target;
    }
    return true;
}

bool findRoom(CBrenvikaDoc& doc, const std::string& name, ImportTarget& target, std::ostream& err) {
    for (const auto& section : doc.sections())
        for (const auto& block : section->blocks())
            if (section->name + "/" + block->name == name) {
                target.section = section.get();
                target.block = block.get();
                return true;
            }
    reportError(err, "no room or hall \"" + name + "\" in the house");
    return false;
}

int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ImportArgs parsed;
    if (!parseArgs(args, parsed, err))
        return kExitUsage;
    CBrenvikaDoc doc;
    if (!loadHouse(parsed.house, doc, err, nullptr, HouseUse::Change))
        return kExitFailure;
    std::string bytes, error;
    if (!readCsvFile(parsed.csv, bytes, error)) {
        reportError(err, parsed.csv + ": " + error);
        return kExitFailure;
    }
    const CsvTable table = readCsv(bytes);
    if (!table.fileError.empty()) {
        reportError(err, parsed.csv + ": " + table.fileError);
        return kExitFailure;
    }
    ImportMapping mapping = guessMapping(table.header, table.format.header);
    if (!applyMaps(parsed, table, mapping, err))
        return kExitUsage;
    // Our export's columns carry their meaning only together.
    if (mapping.format == KnownFormat::Ardenvo &&
        mapping.columns != guessMapping(table.header, true).columns)
        mapping.format = KnownFormat::None;
    ImportTarget target;
    if (parsed.room && !findRoom(doc, *parsed.room, target, err))
        return kExitFailure;

    const ImportPlan plan = planImport(doc, table, mapping, target);
    for (const CsvProblem& problem : plan.notTaken)
        reportError(err, lineField(parsed.csv) + " line " + std::to_string(problem.line) +
                             ": not taken: " + lineField(problem.reason));
    if (plan.looksImportedBefore())
        reportError(err, "warning: every object of " + lineField(parsed.csv) +
                             " has a namesake where it goes; it may have been imported before, "
                             "and the new objects' names get a number");
    for (const ImportRoom& room : plan.rooms)
        out << lineField(roomLabel(room)) << '\t' << room.objects
            << (room.objects == 1 ? " object" : " objects")
            << (room.existingBlock ? "" : "\tnew room") << '\n';
    out << (parsed.dryRun ? "Would add " : "Added ") << plan.items.size()
        << (plan.items.size() == 1 ? " object" : " objects") << " in " << plan.rooms.size()
        << (plan.rooms.size() == 1 ? " room" : " rooms") << " (" << plan.newRoomCount() << " new); "
        << plan.notTaken.size() << " not taken\n";
    if (parsed.dryRun || plan.items.empty())
        return finishOutput(out, err);

    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(parsed.house, ec).string();
    if (!ec && isOpenInMainProgram(absolute))
        reportError(err, "warning: " + parsed.house +
                             " is open in Ardenvo; saving it there will undo this import");
    applyImport(doc, plan);
    if (!replaceHouse(parsed.house, doc, err))
        return kExitFailure;
    signalReload();
    return finishOutput(out, err);
}

} // namespace

Command importCommand() {
    return {"import", kUsage, runImport, true};
}

} // namespace ardenvo::tool
