#include "tools/helper/HelperRuns.h"

namespace ardenvo::tool {

CommandFn helperRun(const std::string& name) {
    if (name == "report")
        return runReport;
    if (name == "export")
        return runExport;
    if (name == "import-archive")
        return runImportArchive;
    if (name == "documents")
        return runDocuments;
    if (name == "labels")
        return runLabels;
    return {};
}

} // namespace ardenvo::tool
