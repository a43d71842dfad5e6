#include "platform/posix/SafeFile.h"
#include "platform/posix/SafeFileParts.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardenvo {

namespace safefile {

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

// Files a save puts beside the house are named ".<house>.<12 hex digits><ending>"; a long name is
// shortened so that theirs stays within the file-name limit.
std::string temporaryPrefix(const std::string& target) {
    return "." + fileNameOf(target).substr(0, 200) + ".";
}

std::string randomSiblingName(const std::string& target, const char* ending) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%012llx",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFULL));
    return folderOf(target) + "/" + temporaryPrefix(target) + suffix + ending;
}

bool isSiblingName(const std::string& name, const std::string& prefix, const char* ending) {
    const std::size_t endingSize = std::strlen(ending);
    if (name.size() != prefix.size() + 12 + endingSize ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - endingSize, endingSize, ending) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < prefix.size() + 12; ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

void syncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace safefile

namespace {

using namespace safefile;

bool failWith(std::string* error, const std::string& what, int err) {
    if (error)
        *error = what + ": " + std::strerror(err);
    return false;
}

std::string randomTemporaryName(const std::string& target) {
    return randomSiblingName(target, ".tmp");
}

// Every save holds an exclusive lock on its temporary file until the file has its final name, and
// the kernel drops the lock when the saving process dies. So a temporary file of this house whose
// lock is free is what a crashed save left behind, and goes.
void removeLeftovers(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!isSiblingName(name, prefix, ".tmp"))
            continue;
        const std::string leftover = folder + "/" + name;
        const int fd = ::open(leftover.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(leftover.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

// A new, exclusively created and locked file beside the target. Opening with mode 0666 lets the
// umask decide the permissions of a file that did not exist before.
int createNamedTemporary(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = randomTemporaryName(target);
        const int fd = ::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

// A file without a name in the target's folder, where the file system offers one: a save killed
// while writing it leaves nothing behind. -1 when unnamed files are not available here.
int createUnnamedTemporary(const std::string& target) {
#ifdef O_TMPFILE
    // The finished file gets its name through /proc (linking by descriptor alone needs a
    // privilege); without /proc the named way is used from the start.
    if (::access("/proc/self/fd", X_OK) != 0)
        return -1;
    const int fd = ::open(folderOf(target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0)
        ::flock(fd, LOCK_EX);
    return fd;
#else
    (void)target;
    return -1;
#endif
}

// Gives the finished unnamed file a temporary name beside the target.
bool nameUnnamedTemporary(int fd, const std::string& target, std::string& tempPath) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = randomTemporaryName(target);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempPath.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    errno = EEXIST;
    return false;
}

// Whether a report named `path` is written straight into what is there instead of replacing it:
// standard output ("-"), a named pipe, a character device (a terminal, /dev/null), or whatever a
// descriptor link such as /dev/stdout (into /proc) leads to, which must never be replaced.
enum class OutputKind { Replace, Stream, Descriptor, StandardOutput, Refused };

OutputKind outputKindOf(const std::string& path) {
    if (path == "-")
        return OutputKind::StandardOutput;
    std::string at = path;
    for (int hop = 0; hop < 40; ++hop) {
        if (at.rfind("/proc/", 0) == 0 || at.rfind("/dev/fd/", 0) == 0)
            return OutputKind::Descriptor;
        struct stat info {};
        if (::lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        char next[PATH_MAX];
        const ssize_t n = ::readlink(at.c_str(), next, sizeof next - 1);
        if (n <= 0)
            break;
        const std::string hopTo(next, static_cast<std::size_t>(n));
        at = hopTo.front() == '/' ? hopTo : folderOf(at) + "/" + hopTo;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return OutputKind::Replace; // nothing there, or a link to nothing: a new file
    if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode))
        return OutputKind::Stream;
    // A folder, a block device, a socket, or a link to one of them: nothing to replace.
    return S_ISREG(info.st_mode) ? OutputKind::Replace : OutputKind::Refused;
}

// Writes the content straight into the stream; the descriptor is closed unless it is stdout.
bool writeStream(int fd, bool own, const std::function<bool(const ChunkWriter&)>& produce) {
    bool complete = true;
    const ChunkWriter write = [&](std::string_view piece) {
        complete = complete && writeAll(fd, piece);
        return complete;
    };
    const bool produced = produce(write);
    int err = errno;
    if (complete && !produced)
        err = ECANCELED;
    if (own && ::close(fd) != 0 && complete && produced) {
        err = errno;
        complete = false;
    }
    errno = err;
    return complete && produced;
}

FileStamp stampOf(const struct stat& info, std::uint64_t hash) {
    FileStamp stamp;
    stamp.known = true;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modifiedNs =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.hash = hash;
    return stamp;
}

} // namespace

bool replaceFileSafely(const std::string& path, std::string_view bytes, bool mustExist,
                       std::string* error) {
    return replaceFileSafelyWith(
        path, mustExist, [bytes](const ChunkWriter& write) { return write(bytes); }, error);
}

bool replaceFileSafelyWith(const std::string& requestedPath, bool mustExist,
                           const std::function<bool(const ChunkWriter&)>& produce,
                           std::string* error, FileStamp* written, int* systemError,
                           TargetLinks links) {
    const auto fail = [&](const std::string& what, int err) {
        if (systemError)
            *systemError = err;
        return failWith(error, what, err);
    };
    if (requestedPath.empty())
        return fail("No file name", ENOENT);

    if (links == TargetLinks::ReplaceName) {
        const OutputKind kind = outputKindOf(requestedPath);
        if (kind == OutputKind::Refused)
            return fail("Not a regular file: " + requestedPath, EISDIR);
        if (kind != OutputKind::Replace) {
            int fd = STDOUT_FILENO;
            if (kind != OutputKind::StandardOutput) {
                // A pipe's open waits for its reader, as a shell's redirection does.
                const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY |
                                  (kind == OutputKind::Descriptor ? O_APPEND : 0);
                fd = ::open(requestedPath.c_str(), flags);
                if (fd < 0)
                    return fail("Cannot open " + requestedPath, errno);
            }
            if (!writeStream(fd, kind != OutputKind::StandardOutput, produce))
                return fail("Cannot write " + requestedPath, errno);
            return true;
        }
    }

    // Replace what a symbolic link points to, not the link itself.
    std::string path = requestedPath;
    struct stat linkInfo {};
    const bool follow = links == TargetLinks::Follow;
    if (follow && ::lstat(path.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved))
            return fail("Cannot follow the link " + path, errno);
        path = resolved;
    }

    struct stat old {};
    bool exists = (follow ? ::stat(path.c_str(), &old) : ::lstat(path.c_str(), &old)) == 0;
    if (!exists && errno != ENOENT)
        return fail("Cannot reach " + path, errno);
    if (exists && !follow && !S_ISDIR(old.st_mode) && (!S_ISREG(old.st_mode) || old.st_nlink > 1))
        exists = false; // the name alone is replaced, as if nothing were there
    if (!exists && mustExist)
        return fail("Cannot rewrite " + path, ENOENT);
    if (exists && !S_ISREG(old.st_mode))
        return fail("Not a regular file: " + path, EISDIR);
    // Replacing needs only the folder's permission; a house the user may not write (or that has
    // no write permission at all, which even the superuser respects here) stays as it is.
    if (exists && follow) {
        const bool allowed = ::access(path.c_str(), W_OK) == 0;
        if (!allowed || (old.st_mode & 0222) == 0)
            return fail("Cannot write " + path, allowed ? EACCES : errno);
    }

    // Earlier saves of this house that were killed part-way may have left their files.
    removeLeftovers(path);
    std::string tempPath;
    int fd = createUnnamedTemporary(path);
    const bool unnamed = fd >= 0;
    if (!unnamed)
        fd = createNamedTemporary(path, tempPath);
    if (fd < 0)
        return fail("Cannot create a file in " + folderOf(path), errno);

    auto abandon = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        if (!tempPath.empty())
            ::unlink(tempPath.c_str());
        return fail(what, err);
    };
    const std::string writtenName = unnamed ? "a new file in " + folderOf(path) : tempPath;

    if (exists) {
        // Owner first: changing it may clear set-id bits, which the mode then restores.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root may give a file away; the group alone may still be kept.
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            return abandon("Cannot keep the permissions of " + path);
    }
    // A file with several names is copied over in place, which needs the length and hash.
    const bool inPlace = follow && exists && old.st_nlink > 1;
    bool complete = true;
    ContentHash hash;
    std::uint64_t length = 0;
    const ChunkWriter write = [&](std::string_view piece) {
        complete = complete && writeAll(fd, piece);
        if (complete && (written || inPlace))
            hash.add(piece);
        length += piece.size();
        return complete;
    };
    if (!produce(write) || !complete) {
        if (complete)
            errno = ECANCELED; // the producer gave up on its own
        return abandon("Cannot write " + writtenName);
    }
    if (inPlace) {
        // A rename would give only this name the new house. The complete copy is kept beside it,
        // marked as the house's, until the house holds the same bytes: a program that opens the
        // house after a crash during the copy finishes it.
        struct stat done {};
        std::string kept;
        if (!copyInPlaceJournaled(fd, unnamed ? std::string() : tempPath, path, length,
                                  hash.value(), &done, &kept)) {
            if (kept.empty())
                return abandon("Cannot write " + path);
            const int err = errno;
            ::close(fd);
            return fail("Cannot write " + path + " (the new content is kept in " + kept + ")", err);
        }
        ::close(fd);
        removeSupersededCopies(path);
        if (written)
            *written = stampOf(done, hash.value());
        return true;
    }
    if (::fsync(fd) != 0)
        return abandon("Cannot flush " + writtenName);
    struct stat done {};
    if (written && ::fstat(fd, &done) != 0)
        return abandon("Cannot reach " + writtenName);
    if (unnamed && !nameUnnamedTemporary(fd, path, tempPath)) {
        tempPath.clear();
        return abandon("Cannot name " + writtenName);
    }
    // Closed before the rename, so that a failing close still leaves the old file untouched. The
    // lock goes with it: should another save of this house clean up in the short moment before the
    // rename, the rename fails and says so.
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tempPath.c_str());
        return fail("Cannot close " + tempPath, err);
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tempPath.c_str());
        return fail("Cannot replace " + path, err);
    }
    // The new file is in place now and the old one is gone, so a failing folder sync cannot be
    // undone; it only makes the rename less certain to survive a power cut. Best effort.
    syncFolder(folderOf(path));
    if (follow)
        removeSupersededCopies(path);
    if (written)
        *written = stampOf(done, hash.value());
    return true;
}

bool readWholeFile(const std::string& path, std::string& out, std::string* error, FileStamp* stamp,
                   int* systemError, std::uint64_t maxBytes) {
    const auto fail = [&](const std::string& what, int err) {
        if (systemError)
            *systemError = err;
        return failWith(error, what, err);
    };
    // Non-blocking, so that a named pipe given as a file cannot hang the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return fail("Cannot open " + path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int err = S_ISREG(info.st_mode) ? errno : EISDIR;
        ::close(fd);
        return fail("Not a readable file: " + path, err);
    }
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        ::close(fd);
        return fail("Too large to read: " + path, EFBIG);
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
            return fail("Cannot read " + path, err);
        }
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
        if (used > maxBytes) { // it grew while being read
            ::close(fd);
            out.clear();
            return fail("Too large to read: " + path, EFBIG);
        }
    }
    ::close(fd);
    out.resize(used);
    if (stamp) {
        ContentHash hash;
        hash.add(out);
        info.st_size = static_cast<off_t>(used);
        *stamp = stampOf(info, hash.value());
    }
    return true;
}

FileStamp stampOfFile(const std::string& path) {
    std::string bytes;
    FileStamp stamp;
    if (!readWholeFile(path, bytes, nullptr, &stamp))
        return FileStamp{};
    return stamp;
}

FileStamp statOfFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileStamp{};
    return stampOf(info, 0);
}

} // namespace ardenvo
