#include "model/SafeFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace ardenvo {

namespace {

bool failWith(std::string* error, const std::string& what, int err) {
    if (error)
        *error = what + ": " + std::strerror(err);
    return false;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// A new, exclusively created file beside the target. Opening with mode 0666 lets the umask decide
// the permissions of a file that did not exist before.
int createTemporary(const std::string& target, std::string& tempPath) {
    std::random_device device;
    std::mt19937_64 random(device());
    // A long name is shortened so that the temporary one stays within the file-name limit.
    const std::string base = folderOf(target) + "/." + fileNameOf(target).substr(0, 200) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "%012llx.tmp",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFULL));
        tempPath = base + suffix;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

bool replaceFileSafely(const std::string& path, std::string_view bytes, bool mustExist,
                       std::string* error) {
    return replaceFileSafelyWith(
        path, mustExist, [bytes](const ChunkWriter& write) { return write(bytes); }, error);
}

bool replaceFileSafelyWith(const std::string& requestedPath, bool mustExist,
                           const std::function<bool(const ChunkWriter&)>& produce,
                           std::string* error) {
    if (requestedPath.empty())
        return failWith(error, "No file name", ENOENT);

    // Replace what a symbolic link points to, not the link itself.
    std::string path = requestedPath;
    struct stat linkInfo {};
    if (::lstat(path.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved))
            return failWith(error, "Cannot follow the link " + path, errno);
        path = resolved;
    }

    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return failWith(error, "Cannot reach " + path, errno);
    if (!exists && mustExist)
        return failWith(error, "Cannot rewrite " + path, ENOENT);
    if (exists && !S_ISREG(old.st_mode))
        return failWith(error, "Not a regular file: " + path, EISDIR);

    std::string tempPath;
    const int fd = createTemporary(path, tempPath);
    if (fd < 0)
        return failWith(error, "Cannot create a file in " + folderOf(path), errno);

    auto abandon = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        ::unlink(tempPath.c_str());
        return failWith(error, what, err);
    };

    if (exists) {
        // Owner first: changing it may clear set-id bits, which the mode then restores.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root may give a file away; the group alone may still be kept.
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            return abandon("Cannot keep the permissions of " + path);
    }
    bool written = true;
    const ChunkWriter write = [&](std::string_view piece) {
        written = written && writeAll(fd, piece);
        return written;
    };
    if (!produce(write) || !written) {
        if (written)
            errno = ECANCELED; // the producer gave up on its own
        return abandon("Cannot write " + tempPath);
    }
    if (::fsync(fd) != 0)
        return abandon("Cannot flush " + tempPath);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tempPath.c_str());
        return failWith(error, "Cannot close " + tempPath, err);
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tempPath.c_str());
        return failWith(error, "Cannot replace " + path, err);
    }
    // The new file is in place now and the old one is gone, so a failing folder sync cannot be
    // undone; it only makes the rename less certain to survive a power cut. Best effort.
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& out, std::string* error) {
    // Non-blocking, so that a named pipe given as a file cannot hang the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return failWith(error, "Cannot open " + path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int err = S_ISREG(info.st_mode) ? errno : EISDIR;
        ::close(fd);
        return failWith(error, "Not a readable file: " + path, err);
    }
    out.clear();
    // The size is a hint only: the file may change while it is read. One spare byte lets the
    // read that meets the end find room without growing the buffer.
    out.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == out.size())
            out.resize(used + 65536);
        const ssize_t n = ::read(fd, out.data() + used, out.size() - used);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            out.clear();
            return failWith(error, "Cannot read " + path, err);
        }
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(used);
    return true;
}

} // namespace ardenvo
