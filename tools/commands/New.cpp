// ardenvo-tool new: writes the house a user gets from "New" in the main program.
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "tools/CommandRegistry.h"
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
    std::vector<std::string> files;
    bool force = false;
    for (const auto& a : args) {
        if (a == "--force")
            force = true;
        else
            files.push_back(a);
    }
    if (!takeOneFile(files, kUsage, err))
        return kExitUsage;
    const std::string& path = files.front();

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

const CommandRegistration registration("new", kUsage, runNew);

} // namespace
} // namespace ardenvo::tool
