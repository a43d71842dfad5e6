#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ardenvo {

class CBrenvikaDoc;

// The folders a house's files live in.
struct HouseFolders {
    std::string images;
    std::string documents;
};

// How far long work has come, from 0 to 1; false stops it.
using ArchiveProgress = std::function<bool(double fraction)>;

// The file names a house refers to: its picture records' files (blocks and objects) and the
// values of its "Documents" attributes, each once, in the house's order.
struct HouseFileNames {
    std::vector<std::string> pictures;
    std::vector<std::string> documents;
};
HouseFileNames fileNamesOf(const CBrenvikaDoc& doc);

// What an export did.
struct ArchiveExport {
    bool ok = false;
    std::string error;                // why no archive was written
    int pictures = 0;                 // picture files put in
    int documents = 0;                // document files put in
    std::vector<std::string> missing; // "Images/NAME: reason" for files named but not there
};

// Writes one ZIP at `outPath` holding the house (`houseBytes`, as `houseName`), every picture
// file its records name from the Images folder ("Images/NAME"), every file its "Documents"
// attributes name from the Documents folder ("Documents/NAME"), and "index.txt", which lists
// them with their sizes and the missing ones as missing. Only files inside the folders are read
// (a name with "..", an absolute one, or one that leads out through a link counts as missing).
// The archive replaces `outPath` safely, once complete.
ArchiveExport exportHouseArchive(std::string_view houseBytes, const CBrenvikaDoc& doc,
                                 const std::string& houseName, const HouseFolders& folders,
                                 const std::string& outPath, const ArchiveProgress& progress = {});

// What an import did.
struct ArchiveImport {
    bool ok = false;
    std::string error;     // why the archive could not be taken
    std::string houseName; // the house's file name in the archive
    std::string house;     // the house's bytes, its file names changed where a file had to be
                           // kept under a new name
    int pictures = 0;
    int documents = 0;
    std::vector<std::string> skipped;                         // "ENTRY: reason"
    std::vector<std::pair<std::string, std::string>> renamed; // "Images/NAME" -> new NAME
};

// Largest picture or document taken from an archive, and all of them together.
inline constexpr std::uint64_t kMaxArchivedFileBytes = 1024ull * 1024 * 1024;
inline constexpr std::uint64_t kMaxArchiveBytes = 16ull * 1024 * 1024 * 1024;

// Opens an archive written by exportHouseArchive (or by hand): the pictures go into the Images
// folder and the documents into the Documents folder under their own names, or where a file of
// that name with other content is there already, under "NAME 2.EXT", "NAME 3.EXT"... (a file
// with the same content is used as it is); the house's records are changed to match. Entries
// with an absolute path, a ".." part, links, encrypted ones, larger than the limits or larger
// than they say (zip bombs), and anything else than a house, pictures, documents and the index
// are skipped with the reason; nothing is ever written outside the two folders.
ArchiveImport importHouseArchive(const std::string& zipPath, const HouseFolders& folders,
                                 const ArchiveProgress& progress = {});

} // namespace ardenvo
