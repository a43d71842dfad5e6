#pragma once

#include <QString>

#include <string>
#include <vector>

namespace ardenvo {

// Whether a file name has one of the extensions the Images folder list offers: bmp, jpg, gif,
// tga, pcx, png or tiff, in any case (the text after the last dot).
bool hasPictureExtension(const std::string& fileName);

// The picture files of the folder by that rule, sorted by name.
std::vector<std::string> pictureFilesIn(const std::string& folder);

// What became of a picture brought into the Images folder.
struct FolderCopy {
    bool ok = false;
    std::string fileName; // the bare name it is kept under
    QString error;        // why it failed
};

// Brings `source` into `folder` under its own file name. A file of that name with other content
// is never replaced: the copy takes the first free name of "name 2.ext", "name 3.ext", ... A file
// with the same content (or the source itself) is used as it is.
FolderCopy copyIntoFolder(const QString& source, const std::string& folder);

} // namespace ardenvo
