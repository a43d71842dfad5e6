#include "platform/RuntimeDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace ardenvo {

namespace {

bool fail(std::string* error, const std::string& message) {
    if (error)
        *error = message;
    return false;
}

// Our own directory, only too open (made by an older version or by hand): closed to others
// rather than refused. Done through a descriptor, so a directory swapped for a link in between
// is not what gets changed.
bool closeToOthers(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool ok = ::fstat(fd, &st) == 0 && st.st_uid == ::getuid() && ::fchmod(fd, 0700) == 0;
    const int err = errno;
    ::close(fd);
    errno = err;
    return ok;
}

} // namespace

void RuntimeDirectory::reportProblemOnce(const std::function<void(const std::string&)>& tell) {
    static std::once_flag once;
    std::call_once(once, [&] {
        std::string error;
        if (!path(&error))
            tell("Ardenvo's programs cannot coordinate (open houses, reloads, one reminder "
                 "program): " +
                 error);
    });
}

std::optional<std::string> RuntimeDirectory::path(std::string* error) {
    std::string dir;
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (xdg && xdg[0] == '/')
        dir = std::string(xdg) + "/ardenvo";
    else
        dir = "/tmp/ardenvo-" + std::to_string(::getuid());

    if (!makePrivateFolder(dir, error))
        return std::nullopt;
    return dir;
}

bool RuntimeDirectory::makePrivateFolder(const std::string& dir, std::string* error) {
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return fail(error, "Cannot create " + dir + ": " + std::strerror(errno));
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0)
        return fail(error, "Cannot read " + dir + ": " + std::strerror(errno));
    // Another user could otherwise plant or read the files kept there.
    if (S_ISLNK(st.st_mode))
        return fail(error, dir + " is a symbolic link");
    if (!S_ISDIR(st.st_mode))
        return fail(error, dir + " is not a directory");
    if (st.st_uid != ::getuid())
        return fail(error, dir + " belongs to another user");
    if ((st.st_mode & 077) != 0 && !closeToOthers(dir))
        return fail(error, dir + " is open to other users and cannot be set to mode 0700: " +
                               std::strerror(errno));
    return true;
}

std::optional<std::string> RuntimeDirectory::filePath(const std::string& name, std::string* error) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos) {
        fail(error, "Invalid name \"" + name + "\"");
        return std::nullopt;
    }
    auto dir = path(error);
    if (!dir)
        return std::nullopt;
    return *dir + "/" + name;
}

} // namespace ardenvo
