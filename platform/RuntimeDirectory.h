#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ardenvo {

// The per-user directory for the files through which the running programs meet (shared table,
// lock, reload pipe): $XDG_RUNTIME_DIR/ardenvo, else /tmp/ardenvo-<uid>. Created with mode 0700;
// a directory owned by another user or a symbolic link is refused; our own that others may enter
// is set to 0700.
class RuntimeDirectory {
public:
    // The directory, created when missing; none (with the reason in *error) when unsafe.
    static std::optional<std::string> path(std::string* error = nullptr);
    // The path of a named file in it; none when the directory is unusable or the name is not a
    // plain file name.
    static std::optional<std::string> filePath(const std::string& name,
                                               std::string* error = nullptr);
    // Opens a named file of the directory (flags as for open(2); O_NOFOLLOW is added) and checks
    // that it is a plain file of this user. -1 otherwise; then the reason (a link, a folder,
    // another user's file) is kept for reportProblemOnce, since a table or lock planted in the
    // directory would otherwise turn coordination off without a word. A missing file opened
    // without O_CREAT is no problem.
    static int openFile(const std::string& name, int flags);

    // When the directory, or a file opened in it, is unusable, tells `tell` why (with its path),
    // each problem once per process: without it the programs silently stop seeing each other.
    static void reportProblemOnce(const std::function<void(const std::string&)>& tell);

    // The same rules for another folder only this user's programs may use (the recovery copies):
    // created with mode 0700 when missing (its parent must exist); a link, anything but a folder,
    // or another user's folder is refused with the reason in *error; our own that others may
    // enter is set to 0700.
    static bool makePrivateFolder(const std::string& dir, std::string* error = nullptr);
};

} // namespace ardenvo
