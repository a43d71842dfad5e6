#include "tools/CommandTable.h"

namespace ardenvo::tool {

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = {
        newCommand(),      checkCommand(),         infoCommand(),     jsonCommand(),
        csvCommand(),      remindersCommand(),     resetCommand(),    icalCommand(),
        searchCommand(),   picturesCommand(),      pictureCommand(),  reportCommand(),
        projectsCommand(), openProjectsCommand(),  versionsCommand(), diffCommand(),
        exportCommand(),   importArchiveCommand(), importCommand(),   documentsCommand(),
        labelsCommand(),
    };
    return table;
}

} // namespace ardenvo::tool
