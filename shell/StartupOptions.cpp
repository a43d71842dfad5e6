#include "shell/StartupOptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace ardenvo {

namespace {

QString resolve(const QString& path, const QString& startDir) {
    return QDir::cleanPath(QDir(startDir).absoluteFilePath(path));
}

} // namespace

StartupOptions parseStartupOptions(const QStringList& arguments, const QString& startDir) {
    StartupOptions options;
    if (!arguments.isEmpty() && arguments.front() == QLatin1String("/uninstall")) {
        options.uninstall = true;
        return options;
    }
    QStringList rest = arguments;
    if (!rest.isEmpty() && rest.front() == QLatin1String("--screenshot")) {
        rest.pop_front();
        if (rest.isEmpty()) {
            options.error = QStringLiteral("--screenshot needs the name of the PNG file to write");
            return options;
        }
        options.screenshot = true;
        options.screenshotFile = resolve(rest.takeFirst(), startDir);
        if (!rest.isEmpty() && rest.front() == QLatin1String("--objects-inside")) {
            rest.pop_front();
            if (rest.isEmpty()) {
                options.error = QStringLiteral("--objects-inside needs the name of a block");
                return options;
            }
            options.objectsInside = rest.takeFirst();
        }
    }
    if (rest.size() > 1) {
        options.error = QStringLiteral("Only one project file can be opened at a time");
        return options;
    }
    if (!rest.isEmpty())
        options.project = resolve(rest.front(), startDir);
    return options;
}

QStringList findPredoneHouses(const std::vector<std::string>& folders) {
    QStringList houses;
    QSet<QString> names;
    for (const std::string& folder : folders) {
        const QDir dir(QString::fromStdString(folder));
        const QFileInfoList found =
            dir.entryInfoList({QStringLiteral("*.av")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& file : found) {
            if (names.contains(file.fileName()))
                continue;
            names.insert(file.fileName());
            houses << file.absoluteFilePath();
        }
    }
    return houses;
}

} // namespace ardenvo
