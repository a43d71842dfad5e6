#include "platform/image/PictureFiles.h"

#include <filesystem>
#include <system_error>

namespace ardenvo {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A name written on Windows may use either separator, and "C:" starts an absolute one there.
bool leavesByItsText(std::string_view name) {
    if (name.front() == '/' || name.front() == '\\' || (name.size() > 1 && name[1] == ':'))
        return true;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find_first_of("/\\", start);
        const std::string_view part = name.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (part == "..")
            return true;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return false;
}

bool inside(const std::filesystem::path& file, const std::filesystem::path& folder) {
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

bool hasPictureExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view extension = fileName.substr(dot + 1);
    for (const std::string_view known : kPictureExtensions) {
        if (known.size() != extension.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < known.size() && same; ++i)
            same = lower(extension[i]) == known[i];
        if (same)
            return true;
    }
    return false;
}

PictureLocation locatePicture(const std::string& folder, std::string_view fileName) {
    PictureLocation location;
    if (fileName.empty() || leavesByItsText(fileName)) {
        location.problem = fileName.empty() ? "No file name" : std::string(kLeavesImagesFolder);
        return location;
    }
    namespace fs = std::filesystem;
    const fs::path path = fs::path(folder) / fs::path(std::string(fileName));
    std::error_code error;
    if (fs::symlink_status(path, error).type() != fs::file_type::not_found) {
        // Where the name really leads, every link followed, must be inside the folder itself.
        const fs::path real = fs::canonical(path, error);
        const fs::path realFolder = error ? fs::path() : fs::canonical(folder, error);
        if (error || !inside(real, realFolder)) {
            location.problem = std::string(kLeavesImagesFolder);
            return location;
        }
    }
    location.path = path.string();
    return location;
}

} // namespace ardenvo
