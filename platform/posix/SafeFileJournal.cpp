// A file with several names cannot be replaced by a rename (only one name would see the new
// content), so its new content is copied over the old bytes in place. A process killed during
// that copy would leave the file cut off; the complete copy beside it, marked with what it is for,
// is what lets the next program finish the job.
#include "platform/posix/SafeFile.h"
#include "platform/posix/SafeFileParts.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace ardenvo {

namespace {

// Behind the content: the target's file name, its length (32 bits), the content's length and
// hash (64 bits each), and this marker. All little-endian.
constexpr char kMarker[8] = {'A', 'v', 'C', 'o', 'p', 'y', '1', '\n'};
constexpr std::size_t kFixedTrailer = 4 + 8 + 8 + sizeof kMarker;
constexpr std::uint32_t kMaxNameBytes = 4096;
const char* const kCopyEnding = ".copy";

void putLittleEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t getLittleEndian(const unsigned char* p, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return value;
}

std::string trailerFor(const std::string& targetName, std::uint64_t length, std::uint64_t hash) {
    std::string trailer = targetName;
    putLittleEndian(trailer, targetName.size(), 4);
    putLittleEndian(trailer, length, 8);
    putLittleEndian(trailer, hash, 8);
    trailer.append(kMarker, sizeof kMarker);
    return trailer;
}

bool readAt(int fd, void* into, std::size_t size, off_t at) {
    auto* p = static_cast<char*>(into);
    while (size > 0) {
        const ssize_t n = ::pread(fd, p, size, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        at += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// A copy as found beside its target.
struct Copy {
    std::string path;
    int fd = -1;
    std::uint64_t length = 0;
    std::int64_t modifiedNs = 0;
};

enum class CopyState { Whole, ForAnother, Broken };

// Whether `fd` is a whole copy meant for a file named `targetName`: its trailer is intact and its
// content has the length and hash it records. *length receives the content's length. A copy for
// another file (long names share the first 200 bytes of theirs) is that file's business.
CopyState stateOfCopy(int fd, const std::string& targetName, std::uint64_t* length) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_size < static_cast<off_t>(kFixedTrailer))
        return CopyState::Broken;
    const auto size = static_cast<std::uint64_t>(info.st_size);
    unsigned char fixed[kFixedTrailer];
    if (!readAt(fd, fixed, kFixedTrailer, static_cast<off_t>(size - kFixedTrailer)) ||
        std::memcmp(fixed + 20, kMarker, sizeof kMarker) != 0)
        return CopyState::Broken;
    const std::uint64_t nameBytes = getLittleEndian(fixed, 4);
    const std::uint64_t contentBytes = getLittleEndian(fixed + 4, 8);
    const std::uint64_t hash = getLittleEndian(fixed + 12, 8);
    if (nameBytes > kMaxNameBytes || nameBytes > size - kFixedTrailer ||
        contentBytes != size - kFixedTrailer - nameBytes)
        return CopyState::Broken;
    std::string name(nameBytes, '\0');
    if (!readAt(fd, name.data(), name.size(), static_cast<off_t>(contentBytes)))
        return CopyState::Broken;
    if (name != targetName)
        return CopyState::ForAnother;
    ContentHash content;
    std::string buffer(65536, '\0');
    for (std::uint64_t at = 0; at < contentBytes;) {
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), contentBytes - at));
        if (!readAt(fd, buffer.data(), n, static_cast<off_t>(at)))
            return CopyState::Broken;
        content.add(std::string_view(buffer.data(), n));
        at += n;
    }
    *length = contentBytes;
    return content.value() == hash ? CopyState::Whole : CopyState::Broken;
}

// Whether the target already holds exactly the copy's content.
bool targetHolds(const std::string& target, const Copy& copy) {
    const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    bool same = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                static_cast<std::uint64_t>(info.st_size) == copy.length;
    std::string mine(65536, '\0');
    std::string theirs(65536, '\0');
    for (std::uint64_t at = 0; same && at < copy.length;) {
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(mine.size(), copy.length - at));
        same = readAt(copy.fd, mine.data(), n, static_cast<off_t>(at)) &&
               readAt(fd, theirs.data(), n, static_cast<off_t>(at)) &&
               std::memcmp(mine.data(), theirs.data(), n) == 0;
        at += n;
    }
    ::close(fd);
    return same;
}

enum class InPlace { Done, Untouched, Damaged };

// Copies the first `length` bytes of `from` over the target's own bytes, so that every name of a
// file with several links sees the new content. *after receives the target's state once synced.
InPlace overwriteInPlace(int from, std::uint64_t length, const std::string& target,
                         struct stat* after) {
    const int to = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (to < 0)
        return InPlace::Untouched;
    std::string buffer(65536, '\0');
    bool ok = true;
    for (std::uint64_t at = 0; ok && at < length;) {
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), length - at));
        ok = readAt(from, buffer.data(), n, static_cast<off_t>(at)) &&
             ::lseek(to, static_cast<off_t>(at), SEEK_SET) == static_cast<off_t>(at) &&
             safefile::writeAll(to, std::string_view(buffer.data(), n));
        at += n;
    }
    ok = ok && ::ftruncate(to, static_cast<off_t>(length)) == 0 && ::fsync(to) == 0 &&
         ::fstat(to, after) == 0;
    const int err = errno;
    ok = ::close(to) == 0 && ok;
    if (!ok && errno != err)
        errno = err;
    return ok ? InPlace::Done : InPlace::Damaged;
}

// The target a save of `path` writes: a symbolic link is followed as the save follows it.
std::string targetOf(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved))
            return resolved;
    }
    return path;
}

// The whole copies for the target that no running save holds, newest first, each open and locked
// (exclusively when `exclusive`); *broken (when given) receives the paths of broken ones. Only our
// own files count: a copy another user put there must never become our house.
std::vector<Copy> copiesBeside(const std::string& target, bool exclusive,
                               std::vector<std::string>* broken) {
    std::vector<Copy> found;
    const std::string folder = safefile::folderOf(target);
    const std::string prefix = safefile::temporaryPrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!safefile::isSiblingName(name, prefix, kCopyEnding))
            continue;
        Copy copy;
        copy.path = folder + "/" + name;
        copy.fd = ::open(copy.path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (copy.fd < 0)
            continue;
        struct stat info {};
        if (::fstat(copy.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
            ::flock(copy.fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
            ::close(copy.fd);
            continue;
        }
        copy.modifiedNs =
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        const CopyState state = stateOfCopy(copy.fd, safefile::fileNameOf(target), &copy.length);
        if (state != CopyState::Whole) {
            if (state == CopyState::Broken && broken)
                broken->push_back(copy.path);
            ::close(copy.fd);
            continue;
        }
        found.push_back(copy);
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(),
              [](const Copy& a, const Copy& b) { return a.modifiedNs > b.modifiedNs; });
    return found;
}

void closeAll(std::vector<Copy>& copies) {
    for (Copy& copy : copies)
        ::close(copy.fd);
    copies.clear();
}

} // namespace

namespace safefile {

bool copyInPlaceJournaled(int fd, const std::string& tempPath, const std::string& target,
                          std::uint64_t length, std::uint64_t hash, struct stat* after,
                          std::string* kept) {
    // Marked and on disk before it gets its name, so that a copy found under that name is whole.
    if (::lseek(fd, static_cast<off_t>(length), SEEK_SET) != static_cast<off_t>(length) ||
        !writeAll(fd, trailerFor(fileNameOf(target), length, hash)) || ::fsync(fd) != 0)
        return false;
    std::string copyPath;
    bool named = false;
    for (int attempt = 0; attempt < 100 && !named; ++attempt) {
        copyPath = randomSiblingName(target, kCopyEnding);
        if (tempPath.empty()) {
            const std::string self = "/proc/self/fd/" + std::to_string(fd);
            named = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, copyPath.c_str(),
                             AT_SYMLINK_FOLLOW) == 0;
        } else {
            // No other file may be replaced by a rename: the name must be new.
            named = ::link(tempPath.c_str(), copyPath.c_str()) == 0;
            if (named)
                ::unlink(tempPath.c_str());
        }
        if (!named && errno != EEXIST)
            return false;
    }
    if (!named)
        return false;
    syncFolder(folderOf(target));
    switch (overwriteInPlace(fd, length, target, after)) {
    case InPlace::Done:
        ::unlink(copyPath.c_str());
        syncFolder(folderOf(target));
        return true;
    case InPlace::Untouched: {
        const int err = errno;
        ::unlink(copyPath.c_str());
        errno = err;
        return false;
    }
    case InPlace::Damaged:
        if (kept)
            *kept = copyPath;
        return false;
    }
    return false;
}

void removeSupersededCopies(const std::string& target) {
    std::vector<std::string> broken;
    std::vector<Copy> copies = copiesBeside(target, true, &broken);
    for (const Copy& copy : copies)
        ::unlink(copy.path.c_str());
    for (const std::string& path : broken)
        ::unlink(path.c_str());
    closeAll(copies);
}

} // namespace safefile

bool finishInterruptedCopy(const std::string& path, std::string* error) {
    const std::string target = targetOf(path);
    std::vector<std::string> broken;
    std::vector<Copy> copies = copiesBeside(target, true, &broken);
    // A copy that is not whole was never the only version of anything (it gets its name only
    // once whole): it is debris.
    for (const std::string& debris : broken)
        ::unlink(debris.c_str());
    struct stat info {};
    // Without the file there is nothing to finish (opening it fails anyway); the copy stays.
    if (copies.empty() || ::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        closeAll(copies);
        return true;
    }
    bool ok = true;
    if (!targetHolds(target, copies.front())) {
        struct stat after {};
        if (overwriteInPlace(copies.front().fd, copies.front().length, target, &after) !=
            InPlace::Done) {
            ok = false;
            if (error)
                *error = "Cannot finish the interrupted save of " + target + " from " +
                         copies.front().path + ": " + std::strerror(errno);
        }
    }
    // The newest copy is in (or the house already held it); older ones are stale.
    if (ok) {
        for (const Copy& copy : copies)
            ::unlink(copy.path.c_str());
        safefile::syncFolder(safefile::folderOf(target));
    }
    closeAll(copies);
    return ok;
}

std::string waitingCopyOf(const std::string& path) {
    const std::string target = targetOf(path);
    std::vector<Copy> copies = copiesBeside(target, false, nullptr);
    std::string waiting;
    if (!copies.empty() && !targetHolds(target, copies.front()))
        waiting = copies.front().path;
    closeAll(copies);
    return waiting;
}

} // namespace ardenvo
