#include "platform/image/PictureFiles.h"

namespace ardenvo {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
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
    return locateInFolder(folder, fileName, kLeavesImagesFolder);
}

} // namespace ardenvo
