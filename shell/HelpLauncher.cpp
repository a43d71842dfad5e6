#include "shell/HelpLauncher.h"

#include "platform/AppPaths.h"
#include "shell/Prompter.h"

#include <QDesktopServices>
#include <QUrl>

namespace ardenvo {

QString helpIndexPath() {
    const auto found = AppPaths::findResource("help/index.html");
    return found ? QString::fromStdString(*found) : QString();
}

bool openHelp(Prompter& prompter) {
    const QString path = helpIndexPath();
    if (path.isEmpty()) {
        prompter.message(QStringLiteral("Ardenvo"),
                         QStringLiteral("The help file help/index.html was not found."),
                         Prompter::Icon::Warning);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        prompter.message(QStringLiteral("Ardenvo"),
                         QStringLiteral("No web browser could open the help file %1.").arg(path),
                         Prompter::Icon::Warning);
        return false;
    }
    return true;
}

} // namespace ardenvo
