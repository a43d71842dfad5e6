#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace ardenvo::tool {

// A command gets its arguments (without the program and command names) and the two streams, and
// returns the exit code.
using CommandFn =
    std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)>;

struct Command {
    std::string name;
    std::string usage; // one line: "NAME ARGS   what it does"
    CommandFn run;
};

std::vector<Command>& commands();

// Each commands/*.cpp holds one static CommandRegistration.
struct CommandRegistration {
    CommandRegistration(std::string name, std::string usage, CommandFn run);
};

} // namespace ardenvo::tool
