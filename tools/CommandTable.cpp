#include "tools/CommandTable.h"

namespace ardenvo::tool {

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = {
        newCommand(),      checkCommand(),       infoCommand(),    jsonCommand(),
        csvCommand(),      remindersCommand(),   resetCommand(),   icalCommand(),
        searchCommand(),   picturesCommand(),    pictureCommand(), reportCommand(),
        projectsCommand(), openProjectsCommand(),
        labelsCommand()};
    return table;
}

} // namespace ardenvo::tool
