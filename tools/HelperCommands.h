#pragma once

#include <iosfwd>
#include <string>

namespace ardenvo::tool {

// The commands that need the PDF, ZIP and QR code libraries run in a helper program that alone
// links them, so that every other command starts without loading them. Their entries in the
// command table carry these usages; ardenvo-tool hands their command lines to the helper.
extern const std::string kReportUsage;
extern const std::string kExportUsage;
extern const std::string kImportArchiveUsage;
extern const std::string kDocumentsUsage;
extern const std::string kLabelsUsage;

// The helper's file name: beside ardenvo-tool in the build tree, in ../lib/ardenvo when installed.
inline constexpr const char* kHelperProgram = "ardenvo-tool-helper";
// Where the helper is; empty when it is not found.
std::string helperProgramPath();

// Replaces this process by the helper, with the same command line. Returns only when the helper
// cannot be started, having said why on `err`: then the exit code to end with.
int runInHelper(char** argv, std::ostream& err);

} // namespace ardenvo::tool
