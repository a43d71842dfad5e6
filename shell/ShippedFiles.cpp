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

} // namespace ardenvo
