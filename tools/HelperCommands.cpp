#include "tools/HelperCommands.h"

#include "platform/AppPaths.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <unistd.h>

namespace ardenvo::tool {

const std::string kReportUsage = usageEntry(
    {"report FILE [--room SECTION/BLOCK]... [--no-photos] [--no-nested] [--title TEXT]",
     "[--images DIR] [--date YYYY-MM-DD] [--receipts [--documents DIR]]", "--pdf OUT | --html OUT"},
    {"the inventory report of File > \"Inventory report...\": every",
     "object room by room in tree order with notes, attributes,",
     "reminders and thumbnails, the Price paid and Insurance value",
     "totals; A4 PDF, or one HTML file with the pictures embedded;",
     "DIR and the title default as for pictures and the dialog,",
     "the date to today; --receipts adds the first page of each",
     "receipt from the Documents folder (its DIR as for documents)"});

const std::string kExportUsage =
    usageEntry({"export FILE --zip OUT [--images DIR] [--documents DIR]"},
               {"one ZIP with the house, every picture file its records name,",
                "the Documents folder's files its \"Documents\" attributes name,",
                "and index.txt listing them (missing ones as missing); the",
                "folders default to the main program's Images and Documents"});

const std::string kImportArchiveUsage =
    usageEntry({"import-archive IN --to DIR [--images DIR] [--documents DIR]"},
               {"the house of the ZIP into the folder DIR (as \"NAME 2.av\" when",
                "NAME.av is there), its pictures and documents into their",
                "folders under their names, or \"NAME 2.EXT\" beside another",
                "file of that name, the records changed to match; entries that",
                "lead outside, links and oversized ones are skipped with the", "reason"});

const std::string kDocumentsUsage =
    usageEntry({"documents FILE [--documents DIR]"},
               {"one tab-separated line per document (an attribute of a",
                "\"Documents\" category): section, room, object (the chain of",
                "objects, \"Wardrobe > Box\"), name, file, and \"ok pdf N pages\",",
                "\"ok FORMAT WIDTHxHEIGHT\", \"ok text\", \"missing\" or \"unreadable\"",
                "(with the reason after \": \"); DIR defaults to the main",
                "program's Documents folder, outside which no file is read"});

const std::string kLabelsUsage =
    usageEntry({"labels FILE [--room SECTION/BLOCK]... [--object SECTION/BLOCK/NAME[/NAME...]]...",
                "[--containers] [--layout NAME] [--start N] [--codes] --pdf OUT | --layouts"},
               {"labels with QR codes, as File > \"Print labels...\": one for",
                "each room and object named, and with --containers for every",
                "object that holds others (the default when none is named);",
                "NAME is one of those --layouts lists (default a4-3x8) or a",
                "custom sheet \"PAGEWxPAGEH COLSxROWS LABELWxLABELH LEFT,TOP",
                "HPITCHxVPITCH\" in mm; N the first label used on the first",
                "sheet; --codes gives each object a code (\"AV-0012\") kept in",
                "the house, which is then replaced safely"});

Command reportCommand() {
    return {"report", kReportUsage, {}, false, true};
}

Command exportCommand() {
    return {"export", kExportUsage, {}, false, true};
}

Command importArchiveCommand() {
    return {"import-archive", kImportArchiveUsage, {}, false, true};
}

Command documentsCommand() {
    return {"documents", kDocumentsUsage, {}, false, true};
}

Command labelsCommand() {
    return {"labels", kLabelsUsage, {}, true, true};
}

std::string helperProgramPath() {
    const std::filesystem::path dir = AppPaths::programDirectory();
    for (const auto& candidate :
         {dir / kHelperProgram, dir.parent_path() / "lib" / "ardenvo" / kHelperProgram}) {
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    return {};
}

int runInHelper(char** argv, std::ostream& err) {
    const std::string helper = helperProgramPath();
    if (helper.empty()) {
        reportError(err, std::string("The command \"") + argv[1] + "\" needs " + kHelperProgram +
                             ", which is not installed beside ardenvo-tool");
        return kExitFailure;
    }
    std::cout.flush();
    err.flush();
    ::execv(helper.c_str(), argv);
    reportError(err, "Cannot start " + helper + ": " + std::strerror(errno));
    return kExitFailure;
}

} // namespace ardenvo::tool
