#pragma once

#include <QString>

namespace ardenvo {

class Prompter;

// The manual shipped with the program: help/index.html in the resource directories.
QString helpIndexPath(); // empty when the manual is not installed
// Opens the manual in the desktop's browser. A missing manual or a desktop that cannot open it
// is reported through `prompter`.
bool openHelp(Prompter& prompter);

} // namespace ardenvo
