#include "shell/HelpLauncher.h"

#include "platform/help/HelpWindow.h"
#include "widgets/Prompter.h"

namespace ardenvo {

bool openHelp(Prompter& prompter, const QString& topic, QWidget* from) {
    if (showManual(topic, from) != ManualShown::Missing)
        return true;
    prompter.message(from, {manualMissingText(), Prompter::Icon::Warning});
    return false;
}

} // namespace ardenvo
