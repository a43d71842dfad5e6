#include "reminder/core/ProjectName.h"

namespace ardenvo {

std::string projectNameOf(const std::string& path) {
    std::string name = path;
    const auto dot = path.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    // Registered paths may come from either kind of system, so both separators count.
    const auto separator = path.find_last_of("/\\");
    if (separator == std::string::npos)
        return name;
    if (separator + 1 >= name.size())
        return {};
    return name.substr(separator + 1);
}

} // namespace ardenvo
