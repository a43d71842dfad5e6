#include "shell/HelpLauncher.h"

#include "platform/AppPaths.h"
#include "platform/help/HelpWindow.h"
#include "shell/Prompter.h"

namespace ardenvo {

QString helpIndexPath() {
    const auto found = AppPaths::findResource("help/index.html");
    return found ? QString::fromStdString(*found) : QString();
}

bool openHelp(Prompter& prompter, const QString& topic, QWidget* from) {
    if (showManual(topic, from) != ManualShown::Missing)
        return true;
    prompter.message(QStringLiteral("Ardenvo"), manualMissingText(), Prompter::Icon::Warning);
    return false;
}

} // namespace ardenvo
