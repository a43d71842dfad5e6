// ardenvo-tool: scriptable access to Ardenvo houses without the GUI.
#include "tools/CommandRegistry.h"

#include <algorithm>
#include <iostream>

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

void printUsage(std::ostream& os) {
    using namespace ardenvo::tool;
    auto list = commands();
    std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    os << "Usage: ardenvo-tool COMMAND [ARGS]\n\nCommands:\n";
    for (const auto& c : list)
        os << "  " << c.usage << "\n";
}

} // namespace

int main(int argc, char** argv) {
    using namespace ardenvo::tool;
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        printUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    const std::string name = argv[1];
    for (const auto& c : commands()) {
        if (c.name == name)
            return c.run(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
    }
    std::cerr << "ardenvo-tool: unknown command \"" << name << "\"\n";
    printUsage(std::cerr);
    return 2;
}
