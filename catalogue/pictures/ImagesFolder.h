#pragma once

#include "platform/image/PictureFiles.h"

#include <QString>

#include <string>
#include <vector>

namespace ardenvo {

// The picture files of the folder, by their extensions (hasPictureExtension), sorted by name.
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
