#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ardenvo {

// Replaces the file at `path` with `bytes` so that it is never seen half-written: the bytes go to
// a new file in the same folder, every write is checked, the file is flushed to disk and then
// renamed over the target, and the folder is synced. The new file has no name while it is written
// where the file system allows (so a save killed part-way leaves nothing); elsewhere it is a
// hidden file beside the target, and what killed saves of the same target left is removed. The
// target's permissions (and owner, where allowed) are kept; a symbolic link is followed and its
// target replaced. On any failure the old file is untouched, no temporary file remains, false is
// returned and *error (when given) says why. With `mustExist`, a missing target is an error and
// nothing is created.
bool replaceFileSafely(const std::string& path, std::string_view bytes, bool mustExist,
                       std::string* error);

// Writes one piece of the new content; false when it could not be written.
using ChunkWriter = std::function<bool(std::string_view)>;
// The same with the content produced in pieces, so that a large file needs no buffer of its own
// size: `produce` hands each piece in order to the writer it is given and returns false (or stops
// early after a failed write) to abandon the replacement.
bool replaceFileSafelyWith(const std::string& path, bool mustExist,
                           const std::function<bool(const ChunkWriter&)>& produce,
                           std::string* error);

// Reads a whole regular file into `out`. False (and *error) when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& out, std::string* error);

} // namespace ardenvo
