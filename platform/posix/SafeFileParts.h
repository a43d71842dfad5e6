#pragma once

// Pieces shared by the safe replacement of files and its journaled in-place copy; not meant for
// other callers.
#include <cstdint>
#include <string>
#include <string_view>

struct stat;

namespace ardenvo::safefile {

std::string folderOf(const std::string& path);
std::string fileNameOf(const std::string& path);
// Writes every byte, retrying short writes; false (errno set) on failure.
bool writeAll(int fd, std::string_view bytes);
// ".<file name>." : what every file a save puts beside the target starts with.
std::string temporaryPrefix(const std::string& target);
// A new name beside the target: the prefix, 12 random hex digits and `ending`.
std::string randomSiblingName(const std::string& target, const char* ending);
// Whether `name` is such a name: the prefix, 12 lower-case hex digits, then `ending`.
bool isSiblingName(const std::string& name, const std::string& prefix, const char* ending);
// Best effort: makes the folder's entries (a new name, a removed one) survive a power cut.
void syncFolder(const std::string& folder);

// The last step of saving a file with several names: the complete new content, `length` bytes
// hashed to `hash`, sits in the open file `fd` (named `tempPath`, or unnamed when that is empty).
// It is marked as the copy meant for `target` and named so, then copied over the target's own
// bytes; once the target holds them the copy goes. True when the target holds the new bytes
// (*after is its state then). Otherwise false with errno set, and *kept names the copy when the
// target was changed part-way (it stays, to be finished by finishInterruptedCopy).
bool copyInPlaceJournaled(int fd, const std::string& tempPath, const std::string& target,
                          std::uint64_t length, std::uint64_t hash, struct stat* after,
                          std::string* kept);
// Removes the copies earlier interrupted saves left for `target`, now that a save has replaced
// it whole; copies of saves still running are left to them.
void removeSupersededCopies(const std::string& target);

} // namespace ardenvo::safefile
