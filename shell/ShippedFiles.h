#pragma once

#include <QStringList>

#include <string>
#include <vector>

namespace ardenvo {

// The files the main program ships and only reads, looked for in `folders` (the resource
// directories): what it cannot find, as "splash.jpg", "help/index.html" and "*.av" (no predone
// house at all). The program still runs without them; a broken installation is told by the list.
QStringList missingShippedFiles(const std::vector<std::string>& folders);

// Whether `path` lies directly in one of `folders`, however either is spelt (links, "..").
// Such a house is one the program ships: it opens untitled, like the predone houses it is.
bool isShippedFile(const QString& path, const std::vector<std::string>& folders);

} // namespace ardenvo
