#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace ardenvo {

// What the command line asks of the main program.
struct StartupOptions {
    bool uninstall = false;  // "/uninstall" as the first argument: end at once
    bool screenshot = false; // "--screenshot FILE [PROJECT]"
    QString screenshotFile;  // absolute
    QString objectsInside;   // "--objects-inside BLOCK" after the screenshot file: that dialog
    // For scripted checks: how often unsaved changes are copied for recovery, the answer to
    // the start-up recovery question ("yes"/"no"; empty: ask), a unit to switch the house to.
    int recoveryIntervalSeconds = 120;
    QString recoveryAnswer;
    int unit = -1;
    bool save = false; // "--save": save the house once it shows, after the unit
    QString project; // absolute; empty for a new house
    QString error;   // a usage problem; the program reports it and ends
};

// `arguments` without the program's own name. Relative paths are resolved against `startDir`,
// the directory the user started the program in (the program later changes its working
// directory to the Images folder).
StartupOptions parseStartupOptions(const QStringList& arguments, const QString& startDir);

// The predone houses: every "*.av" in the given folders, sorted by name within each folder; a name
// found in an earlier folder hides the same name in a later one.
QStringList findPredoneHouses(const std::vector<std::string>& folders);

// What "ardenvo --help" prints (the man page is made from it).
extern const char* const kArdenvoHelp;

} // namespace ardenvo
