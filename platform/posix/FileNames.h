#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace ardenvo {

// Gives the file `from` the name `to` only when nothing has that name yet. False (errno set,
// EEXIST when the name is taken) when it could not be renamed.
bool renameWithoutReplacing(const std::string& from, const std::string& to);
// Removes the name `path`; false (errno set) when it could not be removed.
bool removeFile(const std::string& path);
// Reads up to `size` bytes from `offset`, whatever pieces the system hands them in: how many,
// fewer only at the end of the file; -1 (errno set) on an error.
ssize_t readAt(int fd, char* buffer, std::size_t size, off_t offset);

} // namespace ardenvo
