#include "shell/ShippedFiles.h"

#include "shell/StartupOptions.h"

#include <QDir>
#include <QFileInfo>

namespace ardenvo {

QStringList missingShippedFiles(const std::vector<std::string>& folders) {
    QStringList missing;
    for (const char* name : {"splash.jpg", "help/index.html"}) {
        bool found = false;
        for (const std::string& folder : folders)
            found = found || QFileInfo(QDir(QString::fromStdString(folder)), name).isFile();
        if (!found)
            missing << QString::fromLatin1(name);
    }
    if (findPredoneHouses(folders).isEmpty())
        missing << QStringLiteral("*.av");
    return missing;
}

bool isShippedFile(const QString& path, const std::vector<std::string>& folders) {
    const QString folder = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        return false;
    for (const std::string& shipped : folders) {
        if (QFileInfo(QString::fromStdString(shipped)).canonicalFilePath() == folder)
            return true;
    }
    return false;
}

} // namespace ardenvo
