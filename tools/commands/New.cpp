// ardenvo-tool new: writes the house a user gets from "New" in the main program.
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace ardenvo::tool {
namespace {

const std::string kUsage = usageEntry(
    {"new [--force] FILE"}, {"write a new house (refuses to replace a file without --force)"});

int runNew(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    std::string path;
    bool force = false;
    if (!ArgumentParser(kUsage, ArgumentParser::Style::Terse)
             .flag("--force", force)
             .parse(args, path, err))
        return kExitUsage;

    // A script that names the wrong file must not wipe someone's inventory.
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec)) && !force) {
        reportError(err, "File exists: " + path + " (use --force to replace it)");
        return kExitFailure;
    }

    CBrenvikaDoc doc;
    doc.newHouse(); // zoom 1 and offsets 0 are a new section's defaults; unit 0 the document's
    FileOutcome outcome;
    const FileError result = saveProject(path, doc, &outcome);
    if (result != FileError::None) {
        const std::string reason =
            outcome.systemError ? std::string(" ") + std::strerror(outcome.systemError) : "";
        reportError(err, path + ": " + fileErrorMessage(result) + reason);
        return kExitFailure;
    }
    return 0;
}

} // namespace

Command newCommand() {
    return {"new", kUsage, runNew};
}

} // namespace ardenvo::tool
