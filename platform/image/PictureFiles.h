#pragma once

// Which files are pictures, and where a house's picture file lies. No Qt.

#include "platform/posix/FolderFiles.h"

#include <string>
#include <string_view>

namespace ardenvo {

// The file name extensions of the picture formats we read, in their usual spellings, lower case:
// the one list behind every file list and file filter.
inline constexpr std::string_view kPictureExtensions[] = {
    "bmp", "dib", "jpg", "jpeg", "jpe", "jfif", "gif", "tga", "pcx", "png", "tif", "tiff"};

// Whether the text after the last dot of `fileName` is one of them, in any letter case.
bool hasPictureExtension(std::string_view fileName);

// Where a picture file named by a house lies in the Images folder.
using PictureLocation = FolderLocation;

inline constexpr std::string_view kLeavesImagesFolder =
    "The file name leads outside the Images folder";

// A picture's file name is resolved inside `folder` only: a name with a ".." part, an absolute
// name, or one that reaches a file outside through a link is refused, since a house received
// from someone else must not show (or put into a report) any file its user can read. A file that
// does not exist is not refused here: reading it says so.
PictureLocation locatePicture(const std::string& folder, std::string_view fileName);

} // namespace ardenvo
