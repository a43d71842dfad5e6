// ardenvo-tool check: silent success for a house that loads, the reader's message otherwise.
#include "model/CBrenvikaDoc.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

namespace ardenvo::tool {
namespace {

const std::string kUsage =
    usageEntry({"check FILE"},
               {"exit 0 and print nothing when FILE loads; else exit 1, message", "on stderr"});

int runCheck(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (!takeOneFile(args, kUsage, err))
        return kExitUsage;
    CBrenvikaDoc& doc = oneShotHouse();
    return loadHouse(args.front(), doc, err) ? 0 : kExitFailure;
}

} // namespace

Command checkCommand() {
    return {"check", kUsage, runCheck};
}

} // namespace ardenvo::tool
