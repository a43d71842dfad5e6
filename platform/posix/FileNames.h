#pragma once

#include <string>

namespace ardenvo {

// Gives the file `from` the name `to` only when nothing has that name yet. False (errno set,
// EEXIST when the name is taken) when it could not be renamed.
bool renameWithoutReplacing(const std::string& from, const std::string& to);
// Removes the name `path`; false (errno set) when it could not be removed.
bool removeFile(const std::string& path);

} // namespace ardenvo
