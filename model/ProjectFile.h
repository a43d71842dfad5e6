#pragma once

#include "model/CBrenvikaDoc.h"
#include "platform/posix/SafeFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ardenvo {

enum class FileError { None, WrongVersion, UnexpectedFormat, OpenFailed, SaveFailed };

// The message the programs show for an error: "Wrong version of Ardenvo project",
// "Unexpected file format.", "Failed to open document.", "Failed to save document."; "" for None.
// In English: a window translates it in the context "ardenvo::ProjectFile".
const char* fileErrorMessage(FileError error);

// Larger files are not houses: every program refuses them as "Unexpected file format." before
// reading them. Within it, a house may take 16 times its file in memory, at most 2 GB.
inline constexpr std::uint64_t kMaxProjectFileBytes = 512u * 1024u * 1024u;

// Resets `doc` to a new house, then reads the file's bytes into it. On success the document holds
// the file's house and its views were told Reset and AddBlockView for every block of the current
// section; on any failure it is still the new house. A current-section index that matches no
// section opens the first one. Never sets the document's path or modified flag: callers do, and a
// rejected file therefore never becomes the target of a plain save.
// `consumed`, when given, is told now and then (every kConsumedStep bytes or so, between floor
// objects) how many bytes from the start were read and will not be looked at again: a reader of a
// mapped file lets their pages go.
using ConsumedBytes = std::function<void(std::size_t)>;
inline constexpr std::size_t kConsumedStep = std::size_t{256} << 10;
FileError readProject(std::string_view bytes, CBrenvikaDoc& doc,
                      const ConsumedBytes& consumed = {});

// What a load or save learnt of the file besides its error.
struct FileOutcome {
    int systemError = 0; // the error number of a failed open, read or write; 0 otherwise
    FileStamp stamp;     // the file as read or written
};

// Reads the file at `path` as readProject does, for a program that may change and save it: a
// copy that an interrupted save left waiting beside it is finished first (finishInterruptedCopy).
// A file that cannot be opened (missing, unreadable, not a regular file) gives OpenFailed and
// leaves the document as it was.
FileError loadProject(const std::string& path, CBrenvikaDoc& doc, FileOutcome* outcome = nullptr);

// The whole project file of the house. Categories are always written with their values.
std::string writeProject(const CBrenvikaDoc& doc);
// The same bytes handed to `write` in pieces of about a megabyte, in order; false as soon as a
// piece is refused.
bool writeProjectInPieces(const CBrenvikaDoc& doc, const ChunkWriter& write);

// Writes the house to `path` through a temporary file that replaces the target only once it is
// complete and on disk; on failure the old file is untouched and no temporary file remains.
FileError saveProject(const std::string& path, const CBrenvikaDoc& doc,
                      FileOutcome* outcome = nullptr);

// Nesting deeper than this is refused when reading (a damaged file could otherwise exhaust the
// stack).
inline constexpr int kMaxObjectNesting = 256;

} // namespace ardenvo
