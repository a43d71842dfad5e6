#pragma once

#include <string>

namespace ardenvo {

// The name the options page shows for a registered path: the path cut at its last ".", then what
// follows the last directory separator. Both positions are taken in the whole path, so a path
// whose only "." lies in a directory name gives an empty name.
std::string projectNameOf(const std::string& path);

} // namespace ardenvo
