#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ardenvo {

// What a program last read or wrote of a file, so that it can tell later whether another program
// has changed it since.
struct FileStamp {
    bool known = false; // false: no such file, or it could not be read
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0; // nanoseconds since 1970
    std::uint64_t hash = 0;      // ContentHash of the bytes

    // The same bytes: a new modification time alone (the file touched, or written again with
    // what it held) is no change.
    bool sameContent(const FileStamp& other) const {
        return known == other.known && size == other.size && hash == other.hash;
    }
    // Size and time unchanged; cheap to learn, and enough to skip reading the file again.
    bool sameSizeAndTime(const FileStamp& other) const {
        return known == other.known && size == other.size && modifiedNs == other.modifiedNs;
    }
};

// A fast 64-bit hash of bytes given in pieces; the pieces' sizes do not change the result. It
// tells changed files apart, nothing more: it is not made to resist deliberate collisions.
class ContentHash {
public:
    void add(std::string_view bytes);
    std::uint64_t value() const;

private:
    static std::uint64_t load(const void* p);
    void mix(std::uint64_t word);

    std::uint64_t m_state = 0x9e3779b97f4a7c15ULL;
    std::uint64_t m_length = 0;
    unsigned char m_carry[8] = {};
    std::size_t m_carried = 0;
};

// The file as it is on disk now, read whole to hash it; not known when it cannot be read.
FileStamp stampOfFile(const std::string& path);
// Only its size and modification time (no hash); not known when it is missing.
FileStamp statOfFile(const std::string& path);

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

// What is at the target's name and how it is written:
// - Follow: a house. A symbolic link is replaced through (what it points to gets the new file),
//   and a file with several names is overwritten in place so that every name sees the new
//   content (see finishInterruptedCopy).
// - ReplaceName: a report. A regular file, a link to one, or a file with several names gives the
//   name a new file of its own, leaving what it pointed to untouched, so a planted link never leads
//   the write elsewhere. A named pipe, a character device (a terminal, /dev/null), a descriptor
//   link such as /dev/stdout, and "-" (standard output) are written straight into, as a
//   command-line user expects; a folder or anything else (a link to one too) is refused.
// - ReplaceAnything: a file only this program writes (a recovery copy). Whatever is at the name
//   but a folder is replaced by the new file and never written into.
enum class TargetLinks { Follow, ReplaceName, ReplaceAnything };

// Writes one piece of the new content; false when it could not be written.
using ChunkWriter = std::function<bool(std::string_view)>;
// The same with the content produced in pieces, so that a large file needs no buffer of its own
// size: `produce` hands each piece in order to the writer it is given and returns false (or stops
// early after a failed write) to abandon the replacement.
// `written` (when given) receives the stamp of the new file and `systemError` the error number of
// a failure.
bool replaceFileSafelyWith(const std::string& path, bool mustExist,
                           const std::function<bool(const ChunkWriter&)>& produce,
                           std::string* error, FileStamp* written = nullptr,
                           int* systemError = nullptr, TargetLinks links = TargetLinks::Follow);

// Reads a whole regular file into `out`. False (and *error, *systemError) when it cannot be opened
// or read, or holds more than `maxBytes` (EFBIG, found before anything is read); `stamp` (when
// given) receives the stamp of what was read.
bool readWholeFile(const std::string& path, std::string& out, std::string* error,
                   FileStamp* stamp = nullptr, int* systemError = nullptr,
                   std::uint64_t maxBytes = UINT64_MAX);

// A save of a file with several names (Follow) copies the finished content over the old bytes in
// place, keeping the complete copy beside the file, marked with the file's name and the content's
// length and hash, until the copy is done. A program killed during the copy leaves that copy.
//
// For a program about to read a file in order to change it: finishes such a copy (the file gets
// the copy's bytes) or removes it when the file already holds them. False (and *error) when a
// waiting copy could not be copied in; the file must not be changed then.
bool finishInterruptedCopy(const std::string& path, std::string* error = nullptr);
// For a program that only reads: the path of a complete copy waiting to be copied into the file,
// "" when there is none (or the file already holds it).
std::string waitingCopyOf(const std::string& path);

} // namespace ardenvo
