#include "platform/DialogFolders.h"

#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ardenvo {

QString dialogStartFolder(const QString& housePath, FileDialogKind kind, SettingsFile* settings) {
    if (!housePath.isEmpty())
        return QFileInfo(housePath).absolutePath();
    const std::string last = settings ? Settings(*settings).lastFolder(kind) : std::string();
    const QString folder = QFile::decodeName(QByteArray::fromStdString(last));
    // A folder that has gone (an unplugged drive) would leave the dialog somewhere arbitrary.
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

void rememberDialogFolder(FileDialogKind kind, const QString& chosenFile, SettingsFile* settings) {
    if (chosenFile.isEmpty() || !settings)
        return;
    const QString folder = QFileInfo(chosenFile).absolutePath();
    Settings(*settings).setLastFolder(kind, QFile::encodeName(folder).toStdString());
}

} // namespace ardenvo
