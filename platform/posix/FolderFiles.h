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

// A file brought into one of the program's folders.
struct CopiedIn {
    bool ok = false;
    std::string fileName; // the bare name it has there
    std::string error;    // the system's words; empty when no name was free (the caller says so)
};

// The `n`th name a file called `wanted` may take in a folder: `wanted` itself, then "NAME 2.EXT",
// "NAME 3.EXT"... (an extension is what follows the last dot, unless the name starts with it),
// each cut to fit a file name, never inside a UTF-8 character.
std::string numberedName(const std::string& wanted, int n);

// Copies all of the plain file open as `in` (for reading) into `folder` under `wanted`,
// or the next numberedName where another file has that name; a file there of the same content
// is taken as it is. Never
// replaces a file, not even one that appears meanwhile: the copy is written aside, on the disk,
// and then takes the first free name. Gives up after 10 000 names.
CopiedIn copyUnderFreeName(int in, const std::string& folder, const std::string& wanted);

} // namespace ardenvo
