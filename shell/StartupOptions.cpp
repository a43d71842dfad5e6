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
    while (!options.screenshot && !rest.isEmpty() && rest.front().startsWith("--")) {
        const QString option = rest.takeFirst();
        if (option == QLatin1String("--save")) {
            options.save = true;
            continue;
        }
        const QString value = rest.isEmpty() ? QString() : rest.takeFirst();
        bool ok = false;
        if (option == QLatin1String("--recovery-interval")) {
            options.recoveryIntervalSeconds = value.toInt(&ok);
            ok = ok && options.recoveryIntervalSeconds > 0;
        } else if (option == QLatin1String("--recovery-answer")) {
            options.recoveryAnswer = value;
            ok = value == QLatin1String("yes") || value == QLatin1String("no");
        } else if (option == QLatin1String("--unit")) {
            options.unit = value.toInt(&ok);
            ok = ok && options.unit >= 0 && options.unit <= 4;
        } else {
            options.error = QStringLiteral("Unknown option %1").arg(option);
            return options;
        }
        if (!ok) {
            options.error = QStringLiteral("%1 needs a valid value").arg(option);
            return options;
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

const char* const kArdenvoHelp =
    "Usage: ardenvo [--recovery-interval SECONDS] [--recovery-answer yes|no] [--unit INDEX]\n"
    "               [--save] [PROJECT.av]\n"
    "  or:  ardenvo --screenshot PICTURE.png [PROJECT.av]\n"
    "  or:  ardenvo --screenshot PICTURE.png --objects-inside BLOCK PROJECT.av\n"
    "The main program of Ardenvo, the home inventory: draw the floor plan of your house, record "
    "the\n"
    "objects in each room and ask \"the tobrin\" to find them again. PROJECT.av is a house to "
    "open;\n"
    "without one the program offers the predone houses and those opened in the past.\n"
    "\n"
    "Options:\n"
    "  --screenshot PICTURE.png  open the project in a 1280 x 800 window, save a PNG of it and "
    "end\n"
    "                            (works with QT_QPA_PLATFORM=offscreen)\n"
    "  --objects-inside BLOCK    after --screenshot: the \"Objects inside\" dialog of the first "
    "block\n"
    "                            of that name instead, its first floor object chosen\n"
    "  --recovery-interval SECONDS  copy unsaved changes for recovery that often (default "
    "120)\n"
    "  --recovery-answer yes|no  answer the start-up recovery question without asking\n"
    "  --unit INDEX              switch the house to that unit of measurement (0-4) once it "
    "shows,\n"
    "                            as Options > Units of measurement does (for scripted checks)\n"
    "  --save                    save the house once it shows (after --unit), as File > Save "
    "does\n"
    "                            (for scripted checks)\n"
    "  -h, --help                show this help and end\n"
    "  --version                 show the version and end\n"
    "  /uninstall                as the first argument: end at once\n"
    "\n"
    "Relative paths mean the folder the program was started in. F1 opens the HTML manual,\n"
    "help/index.html beside the program or in ../share/ardenvo.\n";

} // namespace ardenvo
