// The run of ardenvo-tool and of its helper: scriptable access to Ardenvo houses without the GUI.
#include "platform/FileSizeLimit.h"
#include "platform/ProgramVersion.h"
#include "platform/RuntimeDirectory.h"
#include "tools/CommandTable.h"
#include "tools/HelperCommands.h"
#include "tools/ToolSupport.h"

#include <iostream>
#include <new>

namespace ardenvo::tool {

namespace {

void printHelp(std::ostream& os) {
    os << "Usage: ardenvo-tool COMMAND [ARGS]\n"
          "  or:  ardenvo-tool COMMAND --help\n"
          "Looks inside Ardenvo house files and scripts them without the GUI.\n\n"
          "Commands:\n";
    for (const auto& c : commandTable()) {
        os << "  ";
        for (char ch : c.usage)
            os << ch << (ch == '\n' ? "  " : "");
        os << "\n";
    }
    os << "\nExit codes: 0 success, 1 the file could not be used (or the output not written),\n"
          "2 wrong command line.\n";
}

} // namespace

int toolMain(int argc, char** argv, CommandFn (*helperRun)(const std::string& name)) {
    ignoreFileSizeLimitSignal();
    const std::string first = argc < 2 ? std::string() : argv[1];
    if (argc < 2 || first == "--help" || first == "-h") {
        printHelp(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? kExitUsage : 0;
    }
    if (first == "--version") {
        std::cout << "ardenvo-tool " << kProgramVersion << "\n";
        return 0;
    }
    for (const auto& c : commandTable()) {
        if (c.name != first)
            continue;
        if (argc == 3 && (std::string(argv[2]) == "--help" || std::string(argv[2]) == "-h")) {
            printUsage(std::cout, c.usage);
            return 0;
        }
        if (c.inHelper && !helperRun)
            return runInHelper(argv, std::cerr);
        const CommandFn run = c.inHelper ? helperRun(c.name) : c.run;
        int code = kExitFailure;
        try {
            code = run(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
        } catch (const std::bad_alloc&) {
            // Commands write their files by safe replacement: what was there stays as it was.
            std::cout.flush();
            reportError(std::cerr, "Not enough memory to finish the command \"" + first + "\"");
        }
        if (c.meetsRunningPrograms)
            RuntimeDirectory::reportProblemOnce([](const std::string& problem) {
                std::cerr << "ardenvo-tool: " << problem << "\n";
            });
        return code;
    }
    std::cerr << "ardenvo-tool: unknown command \"" << first << "\"\n";
    printHelp(std::cerr);
    return kExitUsage;
}

} // namespace ardenvo::tool
