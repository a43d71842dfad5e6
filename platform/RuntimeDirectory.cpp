#include "platform/RuntimeDirectory.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// What went wrong with files of the directory, in the order found; `told` of them were told.
struct FileProblems {
    std::mutex mutex;
    std::vector<std::string> found;
    std::size_t told = 0;
};

FileProblems& fileProblems() {
    static FileProblems problems;
    return problems;
}

void keepProblem(const std::string& problem) {
    FileProblems& problems = fileProblems();
    const std::lock_guard<std::mutex> guard(problems.mutex);
    if (std::find(problems.found.begin(), problems.found.end(), problem) == problems.found.end())
        problems.found.push_back(problem);
}

} // namespace

int RuntimeDirectory::openFile(const std::string& name, int flags) {
    std::string error;
    const auto file = filePath(name, &error);
    if (!file)
        return -1; // the directory's own problem, told by itself
    const int fd = ::open(file->c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int err = errno;
        struct stat st {};
        if (err == ENOENT && (flags & O_CREAT) == 0)
            return -1;
        if (err == ELOOP || (::lstat(file->c_str(), &st) == 0 && S_ISLNK(st.st_mode)))
            keepProblem(*file + " is a symbolic link");
        else if (err == EISDIR)
            keepProblem(*file + " is a folder");
        else
            keepProblem("Cannot open " + *file + ": " + std::strerror(err));
        errno = err;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
        keepProblem(*file +
                    (S_ISREG(st.st_mode) ? " belongs to another user" : " is not a regular file"));
        ::close(fd);
        errno = EPERM;
        return -1;
    }
    return fd;
}

void RuntimeDirectory::reportProblemOnce(const std::function<void(const std::string&)>& tell) {
    // In the user's language where a translation is installed (the programs), else English (the
    // tool); the reason after it is the system's.
    const std::string prefix =
        QCoreApplication::translate("ardenvo::RuntimeDirectory",
                                    "Ardenvo's programs cannot coordinate (open houses, reloads, "
                                    "one reminder program): ")
            .toStdString();
    static std::once_flag once;
    bool directoryUnusable = false;
    std::call_once(once, [&] {
        std::string error;
        directoryUnusable = !path(&error);
        if (directoryUnusable)
            tell(prefix + error);
    });
    std::vector<std::string> untold;
    {
        FileProblems& problems = fileProblems();
        const std::lock_guard<std::mutex> guard(problems.mutex);
        untold.assign(problems.found.begin() + static_cast<std::ptrdiff_t>(problems.told),
                      problems.found.end());
        problems.told = problems.found.size();
    }
    for (const std::string& problem : untold)
        tell(prefix + problem);
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
