// ardenvo-tool: scriptable access to Ardenvo houses without the GUI.
#include "platform/FileSizeLimit.h"
#include "platform/ProgramVersion.h"
#include "platform/RuntimeDirectory.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolSupport.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <new>

namespace ardenvo::tool {

std::vector<Command>& commands() {
    static std::vector<Command> all;
    return all;
}

CommandRegistration::CommandRegistration(std::string name, std::string usage, CommandFn run) {
    commands().push_back({std::move(name), std::move(usage), std::move(run)});
}

} // namespace ardenvo::tool

namespace {

// The commands in the order the README lists them; one not named here comes last.
const char* const kHelpOrder[] = {"new",       "check",  "info",     "json",         "csv",
                                  "reminders", "reset",  "ical",     "search",       "pictures",
                                  "picture",   "report", "projects", "open-projects"};

std::size_t helpRank(const std::string& name) {
    const auto found = std::find(std::begin(kHelpOrder), std::end(kHelpOrder), name);
    return static_cast<std::size_t>(found - std::begin(kHelpOrder));
}

void printHelp(std::ostream& os) {
    using namespace ardenvo::tool;
    auto list = commands();
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        const auto ra = helpRank(a.name), rb = helpRank(b.name);
        return ra != rb ? ra < rb : a.name < b.name;
    });
    os << "Usage: ardenvo-tool COMMAND [ARGS]\n"
          "  or:  ardenvo-tool COMMAND --help\n"
          "Looks inside Ardenvo house files and scripts them without the GUI.\n\n"
          "Commands:\n";
    for (const auto& c : list) {
        os << "  ";
        for (char ch : c.usage)
            os << ch << (ch == '\n' ? "  " : "");
        os << "\n";
    }
    os << "\nExit codes: 0 success, 1 the file could not be used (or the output not written),\n"
          "2 wrong command line.\n";
}

} // namespace

int main(int argc, char** argv) {
    ardenvo::ignoreFileSizeLimitSignal();
    using namespace ardenvo::tool;
    const std::string first = argc < 2 ? std::string() : argv[1];
    if (argc < 2 || first == "--help" || first == "-h") {
        printHelp(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? kExitUsage : 0;
    }
    if (first == "--version") {
        std::cout << "ardenvo-tool " << ardenvo::kProgramVersion << "\n";
        return 0;
    }
    for (const auto& c : commands()) {
        if (c.name != first)
            continue;
        if (argc == 3 && (std::string(argv[2]) == "--help" || std::string(argv[2]) == "-h")) {
            printUsage(std::cout, c.usage);
            return 0;
        }
        int code = kExitFailure;
        try {
            code = c.run(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
        } catch (const std::bad_alloc&) {
            // Commands write their files by safe replacement: what was there stays as it was.
            std::cout.flush();
            reportError(std::cerr, "Not enough memory to finish the command \"" + first + "\"");
        }
        // These meet the running programs (the others only read or write files): what kept them
        // from it is known once they ran.
        if (first == "open-projects" || first == "reset")
            ardenvo::RuntimeDirectory::reportProblemOnce([](const std::string& problem) {
                std::cerr << "ardenvo-tool: " << problem << "\n";
            });
        return code;
    }
    std::cerr << "ardenvo-tool: unknown command \"" << first << "\"\n";
    printHelp(std::cerr);
    return kExitUsage;
}
