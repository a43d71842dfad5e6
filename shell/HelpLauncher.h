#pragma once

#include <QString>

namespace ardenvo {

class Prompter;

// The manual shipped with the program: help/index.html in the resource directories.
QString helpIndexPath(); // empty when the manual is not installed
// Opens the manual at `topic` (an anchor of it, or empty): in the desktop's browser, or in the
// manual's own window when the desktop has none. A missing manual is reported through
// `prompter`.
bool openHelp(Prompter& prompter, const QString& topic = {});

} // namespace ardenvo
