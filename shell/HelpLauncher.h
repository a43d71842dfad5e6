#pragma once

#include <QString>

class QWidget;

namespace ardenvo {

class Prompter;

// Opens the manual at `topic` (a section of its first page, another page with or without a
// section, or empty): in the desktop's browser, or in the manual's own window when the desktop has
// none, above the modal dialog `from` (or the active one) and usable while it is open. A missing
// manual is reported through `prompter`, over `from`.
bool openHelp(Prompter& prompter, const QString& topic = {}, QWidget* from = nullptr);

} // namespace ardenvo
