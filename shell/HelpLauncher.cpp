#include "shell/HelpLauncher.h"

#include "platform/help/HelpWindow.h"
#include "shell/Prompter.h"

namespace ardenvo {

bool openHelp(ShellPrompter& prompter, const QString& topic, QWidget* from) {
    if (showManual(topic, from) != ManualShown::Missing)
        return true;
    prompter.message(QStringLiteral("Ardenvo"), manualMissingText(), ShellPrompter::Icon::Warning);
    return false;
}

} // namespace ardenvo
