#pragma once

#include "tools/CommandTable.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace ardenvo::tool {

// The commands of the helper program, each as its table entry would run it.
int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runImportArchive(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runDocuments(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runLabels(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The run of the helper's command of that name.
CommandFn helperRun(const std::string& name);

} // namespace ardenvo::tool
