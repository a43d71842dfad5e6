#include "platform/posix/FolderFiles.h"

#include "platform/posix/FileNames.h"
#include "platform/posix/SafeFileParts.h"
#include "platform/posix/UniqueFd.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace ardenvo {

namespace {

namespace fs = std::filesystem;

// A name written on Windows may use either separator, and "C:" starts an absolute one there.
bool leavesByItsText(std::string_view name) {
    if (name.front() == '/' || name.front() == '\\' || (name.size() > 1 && name[1] == ':'))
        return true;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find_first_of("/\\", start);
        if (name.substr(start, end == std::string_view::npos ? end : end - start) == "..")
            return true;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return false;
}

bool inside(const fs::path& file, const fs::path& folder) {
    auto f = file.begin();
    for (auto d = folder.begin(); d != folder.end(); ++d, ++f) {
        if (d->empty())
            continue; // the empty last part of a folder ending in a separator
        if (f == file.end() || *f != *d)
            return false;
    }
    return f != file.end();
}

// Gives up on names after this many; a folder never holds that many copies of one name.
constexpr int kMostCopies = 10000;
constexpr std::size_t kChunk = 64 * 1024;

// Whether the file at `path` is a plain file holding what `fd` holds (or is that very file).
bool sameContent(int fd, const std::string& path) {
    const UniqueFd other(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW));
    struct stat sa {
    }, sb{};
    if (other.get() < 0 || ::fstat(fd, &sa) != 0 || ::fstat(other.get(), &sb) != 0 ||
        !S_ISREG(sb.st_mode))
        return false;
    if (sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino)
        return true;
    if (sa.st_size != sb.st_size)
        return false;
    std::string ca(kChunk, '\0'), cb(kChunk, '\0');
    for (off_t at = 0;; at += off_t(kChunk)) {
        const ssize_t na = readAt(fd, ca.data(), kChunk, at);
        const ssize_t nb = readAt(other.get(), cb.data(), kChunk, at);
        if (na < 0 || na != nb)
            return false;
        if (na == 0)
            return true;
        if (std::memcmp(ca.data(), cb.data(), static_cast<std::size_t>(na)) != 0)
            return false;
    }
}

// `base` cut so that `base + suffix` fits a file name, never inside a UTF-8 character.
std::string fittedName(std::string base, const std::string& suffix) {
    constexpr std::size_t kLongestName = NAME_MAX;
    if (base.size() + suffix.size() > kLongestName) {
        std::size_t keep = kLongestName > suffix.size() ? kLongestName - suffix.size() : 0;
        while (keep > 0 && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80)
            --keep;
        base.resize(keep);
    }
    return base + suffix;
}

// Read rather than set and put back: umask is the whole process's, and another thread may be
// creating a file meanwhile.
mode_t currentUmask() {
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return static_cast<mode_t>(mask);
    }
    return 022;
}

// Copies all of `in` to a new hidden file of `folder`, flushed to the disk; its path, or empty
// with `error` set.
std::string copyAside(int in, const std::string& folder, std::string& error) {
    std::string temp = (fs::path(folder) / ".copying-XXXXXX").string();
    UniqueFd out(::mkostemp(temp.data(), O_CLOEXEC));
    if (out.get() < 0) {
        error = std::strerror(errno);
        return {};
    }
    std::string buffer(kChunk, '\0');
    for (off_t at = 0;; at += off_t(kChunk)) {
        const ssize_t n = readAt(in, buffer.data(), buffer.size(), at);
        if (n < 0 ||
            !safefile::writeAll(out.get(), std::string_view(buffer.data(), std::size_t(n)))) {
            error = std::strerror(errno ? errno : EIO);
            removeFile(temp);
            return {};
        }
        if (n == 0)
            break;
    }
    // Readable as any copied file, whatever the source's mode.
    ::fchmod(out.get(), 0644 & ~currentUmask());
    if (::fsync(out.get()) != 0 || ::close(out.release()) != 0) {
        error = std::strerror(errno);
        removeFile(temp);
        return {};
    }
    return temp;
}

} // namespace

std::string numberedName(const std::string& wanted, int n) {
    const std::size_t dot = wanted.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    const std::string base = hasExtension ? wanted.substr(0, dot) : wanted;
    const std::string extension = hasExtension ? wanted.substr(dot) : std::string();
    return fittedName(base, n == 1 ? extension : " " + std::to_string(n) + extension);
}

CopiedIn copyUnderFreeName(int in, const std::string& folder, const std::string& wanted) {
    CopiedIn result;
    const auto taken = [&](std::string name) {
        result.ok = true;
        result.fileName = std::move(name);
        return result;
    };

    std::string temp; // made once, when a free name is first found
    for (int n = 1; n <= kMostCopies; ++n) {
        const std::string candidate = numberedName(wanted, n);
        const std::string target = (fs::path(folder) / candidate).string();
        struct stat there {};
        if (::lstat(target.c_str(), &there) == 0) {
            if (S_ISREG(there.st_mode) && sameContent(in, target)) {
                if (!temp.empty())
                    removeFile(temp);
                return taken(candidate);
            }
            continue;
        }
        if (temp.empty()) {
            temp = copyAside(in, folder, result.error);
            if (temp.empty())
                return result;
        }
        // Never replaces a file that appeared meanwhile: that name is then looked at again.
        if (renameWithoutReplacing(temp, target))
            return taken(candidate);
        if (errno != EEXIST) {
            result.error = std::strerror(errno);
            removeFile(temp);
            return result;
        }
        if (sameContent(in, target)) {
            removeFile(temp);
            return taken(candidate);
        }
    }
    if (!temp.empty())
        removeFile(temp);
    return result;
}

FolderLocation locateInFolder(const std::string& folder, std::string_view fileName,
                              std::string_view leavesMessage) {
    FolderLocation location;
    if (fileName.empty() || leavesByItsText(fileName)) {
        location.problem = fileName.empty() ? "No file name" : std::string(leavesMessage);
        return location;
    }
    const fs::path path = fs::path(folder) / fs::path(std::string(fileName));
    std::error_code error;
    if (fs::symlink_status(path, error).type() != fs::file_type::not_found) {
        // Where the name really leads, every link followed, must be inside the folder itself.
        const fs::path real = fs::canonical(path, error);
        const fs::path realFolder = error ? fs::path() : fs::canonical(folder, error);
        if (error || !inside(real, realFolder)) {
            location.problem = std::string(leavesMessage);
            return location;
        }
    }
    location.path = path.string();
    return location;
}

} // namespace ardenvo
