#include "platform/posix/FolderFiles.h"

#include <filesystem>
#include <system_error>

namespace ardenvo {

namespace {

namespace fs = std::filesystem;

// A name written on Windows may use either separator, and "C:" starts an absolute one there.
bool leavesByItsText(std::string_view name) {
    if (name.front() == '/' || name.front() == '\\' || (name.size() > 1 && name[1] == ':'))
        return true;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find_first_of("/\\", start);
        if (name.substr(start, end == std::string_view::npos ? end : end - start) == "..")
            return true;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return false;
}

bool inside(const fs::path& file, const fs::path& folder) {
    auto f = file.begin();
    for (auto d = folder.begin(); d != folder.end(); ++d, ++f) {
        if (d->empty())
            continue; // the empty last part of a folder ending in a separator
        if (f == file.end() || *f != *d)
            return false;
    }
    return f != file.end();
}

} // namespace

FolderLocation locateInFolder(const std::string& folder, std::string_view fileName,
                              std::string_view leavesMessage) {
    FolderLocation location;
    if (fileName.empty() || leavesByItsText(fileName)) {
        location.problem = fileName.empty() ? "No file name" : std::string(leavesMessage);
        return location;
    }
    const fs::path path = fs::path(folder) / fs::path(std::string(fileName));
    std::error_code error;
    if (fs::symlink_status(path, error).type() != fs::file_type::not_found) {
        // Where the name really leads, every link followed, must be inside the folder itself.
        const fs::path real = fs::canonical(path, error);
        const fs::path realFolder = error ? fs::path() : fs::canonical(folder, error);
        if (error || !inside(real, realFolder)) {
            location.problem = std::string(leavesMessage);
            return location;
        }
    }
    location.path = path.string();
    return location;
}

} // namespace ardenvo
