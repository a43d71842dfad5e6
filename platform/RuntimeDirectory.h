#pragma once

#include <optional>
#include <string>

namespace ardenvo {

// The per-user directory for the files through which the running programs meet (shared table,
// lock, reload pipe): $XDG_RUNTIME_DIR/ardenvo, else /tmp/ardenvo-<uid>. Created with mode 0700;
// a directory owned by another user, a symbolic link, or one others may enter is refused.
class RuntimeDirectory {
public:
    // The directory, created when missing; none (with the reason in *error) when unsafe.
    static std::optional<std::string> path(std::string* error = nullptr);
    // The path of a named file in it; none when the directory is unusable or the name is not a
    // plain file name.
    static std::optional<std::string> filePath(const std::string& name,
                                               std::string* error = nullptr);
};

} // namespace ardenvo
