#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ardenvo {

// Where the programs find their files. Paths are returned without a trailing separator.
class AppPaths {
public:
    // The running executable and its directory.
    static std::string programPath();
    static std::string programDirectory();

    // Read-only files the programs ship (predone houses, splash picture, help): the program
    // directory, then <program dir>/../share/ardenvo.
    static std::vector<std::string> resourceDirectories();
    // The first existing file of that relative name in the resource directories.
    static std::optional<std::string> findResource(const std::string& relativePath);

    // Where the main program writes: the program directory when writable and not an installed
    // one (with ../share/ardenvo beside it), otherwise <GenericDataLocation>/Ardenvo (honours
    // XDG_DATA_HOME).
    static std::string dataDirectory();
    static std::string dataDirectoryFor(const std::string& programDir);
    // <data dir>/Images, created when missing (empty when it cannot be created).
    static std::string imagesDirectory();
    // <data dir>/Documents, beside the Images folder by the same rules; created when missing
    // (empty when it cannot be created).
    static std::string documentsDirectory();
    // <data dir>/temp.html, the search report.
    static std::string reportPath();
};

} // namespace ardenvo
