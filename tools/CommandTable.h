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
    // Meets the running programs (the others only read or write files), so what kept it from
    // them is told once it ran.
    bool meetsRunningPrograms = false;
    // Run by the helper program (see HelperCommands.h); `run` is empty in this table.
    bool inHelper = false;
};

// Each command's entry, from its file under commands/.
Command newCommand();
Command checkCommand();
Command infoCommand();
Command jsonCommand();
Command csvCommand();
Command remindersCommand();
Command resetCommand();
Command icalCommand();
Command searchCommand();
Command picturesCommand();
Command pictureCommand();
Command reportCommand();
Command projectsCommand();
Command openProjectsCommand();
Command versionsCommand();
Command diffCommand();
Command exportCommand();
Command importArchiveCommand();
Command importCommand();
Command documentsCommand();
Command labelsCommand();

// Every command, in the order the help and the README list them.
const std::vector<Command>& commandTable();

// The program's whole run: help, version, and the command named by argv[1]. A command in the helper
// runs through `helperRun` when given (the helper itself), else by starting the helper.
int toolMain(int argc, char** argv, CommandFn (*helperRun)(const std::string& name) = nullptr);

} // namespace ardenvo::tool
