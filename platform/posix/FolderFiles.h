#pragma once

#include <string>
#include <string_view>

namespace ardenvo {

// Where a file named by a house lies in one of the program's folders (Images, Documents).
struct FolderLocation {
    std::string path;    // the file to read; empty when the name is refused
    std::string problem; // why the name is refused; empty otherwise
};

// `fileName` inside `folder`. A name whose text leads outside (absolute, a drive letter, a ".."
// part, with either separator) or that exists and, its links followed, lies outside the folder
// is refused with `leavesMessage`; an empty name with "No file name".
FolderLocation locateInFolder(const std::string& folder, std::string_view fileName,
                              std::string_view leavesMessage);

} // namespace ardenvo
