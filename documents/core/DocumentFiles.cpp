#include "documents/core/DocumentFiles.h"

#include "platform/image/PictureFiles.h"
#include "platform/posix/FileNames.h"
#include "platform/posix/UniqueFd.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace ardenvo {

namespace fs = std::filesystem;

namespace {

// Gives up on names after this many; a folder never holds that many copies of one name.
constexpr int kMostCopies = 10000;
// A PDF may have bytes before its header; readers look this far for it.
constexpr std::size_t kPdfHeaderReach = 1024;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string extensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    std::string extension;
    if (dot != std::string_view::npos && dot > 0)
        for (const char c : name.substr(dot + 1))
            extension += lower(c);
    return extension;
}

using Descriptor = UniqueFd;

int openForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
}

// Reads up to `size` bytes, whatever pieces the system hands them in; -1 on error.
ssize_t readFully(int fd, char* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buffer + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

bool writeFully(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool sameContent(const std::string& a, const std::string& b) {
    const Descriptor fa(openForReading(a));
    const Descriptor fb(openForReading(b));
    struct stat sa {
    }, sb{};
    if (fa.get() < 0 || fb.get() < 0 || ::fstat(fa.get(), &sa) != 0 ||
        ::fstat(fb.get(), &sb) != 0 || !S_ISREG(sa.st_mode) || !S_ISREG(sb.st_mode))
        return false;
    if (sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino)
        return true;
    if (sa.st_size != sb.st_size)
        return false;
    constexpr std::size_t kChunk = 64 * 1024;
    std::string ca(kChunk, '\0'), cb(kChunk, '\0');
    for (;;) {
        const ssize_t na = readFully(fa.get(), ca.data(), kChunk);
        const ssize_t nb = readFully(fb.get(), cb.data(), kChunk);
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

// Copies `source` to a new hidden file of `folder`, flushed to the disk; its path, or empty with
// `error` set.
std::string copyAside(int in, const std::string& folder, std::string& error) {
    std::string temp = (fs::path(folder) / ".attaching-XXXXXX").string();
    Descriptor out(::mkostemp(temp.data(), O_CLOEXEC));
    if (out.get() < 0) {
        error = std::strerror(errno);
        return {};
    }
    std::string buffer(64 * 1024, '\0');
    for (;;) {
        const ssize_t n = readFully(in, buffer.data(), buffer.size());
        if (n < 0 || !writeFully(out.get(), buffer.data(), static_cast<std::size_t>(n))) {
            error = std::strerror(errno ? errno : EIO);
            removeFile(temp);
            return {};
        }
        if (n == 0)
            break;
    }
    // Readable as any copied file, whatever the source's mode.
    ::fchmod(
        out.get(), 0644 & ~[] {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            return mask;
        }());
    if (::fsync(out.get()) != 0 || ::close(out.release()) != 0) {
        error = std::strerror(errno);
        removeFile(temp);
        return {};
    }
    return temp;
}

} // namespace

DocumentLocation locateDocument(const std::string& folder, std::string_view fileName) {
    return locateInFolder(folder, fileName, kLeavesDocumentsFolder);
}

DocumentKind documentKind(const std::string& path) {
    const Descriptor fd(openForReading(path));
    if (fd.get() >= 0) {
        char head[kPdfHeaderReach];
        const ssize_t n = readFully(fd.get(), head, sizeof head);
        if (n > 0 && std::string_view(head, static_cast<std::size_t>(n)).find("%PDF-") !=
                         std::string_view::npos)
            return DocumentKind::Pdf;
    }
    const std::string name = fs::path(path).filename().string();
    const std::string extension = extensionOf(name);
    for (const std::string_view picture : kPictureExtensions)
        if (extension == picture)
            return DocumentKind::Picture;
    for (const char* text : {"txt", "text", "md", "csv", "log"})
        if (extension == text)
            return DocumentKind::Text;
    return extension == "pdf" ? DocumentKind::Pdf : DocumentKind::Other;
}

DocumentStatus documentStatus(const std::string& folder, std::string_view fileName) {
    DocumentStatus status;
    const DocumentLocation location = locateDocument(folder, fileName);
    if (!location.problem.empty()) {
        status.reason = location.problem;
        return status;
    }
    status.path = location.path;
    struct stat info {};
    if (::stat(location.path.c_str(), &info) != 0) {
        status.state = errno == ENOENT || errno == ENOTDIR ? DocumentState::Missing
                                                           : DocumentState::Unreadable;
        return status;
    }
    const Descriptor fd(openForReading(location.path));
    char byte = 0;
    status.state = S_ISREG(info.st_mode) && fd.get() >= 0 && readFully(fd.get(), &byte, 1) >= 0
                       ? DocumentState::Ok
                       : DocumentState::Unreadable;
    return status;
}

const char* stateWord(DocumentState state) {
    switch (state) {
    case DocumentState::Ok:
        return "ok";
    case DocumentState::Missing:
        return "missing";
    case DocumentState::Unreadable:
        return "unreadable";
    }
    return "missing";
}

DocumentCopy copyDocumentIn(const std::string& source, const std::string& folder) {
    DocumentCopy result;
    const Descriptor in(openForReading(source));
    struct stat info {};
    if (in.get() < 0 || ::fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = in.get() < 0 ? std::strerror(errno)
                                     : AV_TRANSLATE_NOOP("ardenvo::DocumentFiles", "Not a file");
        return result;
    }
    if (folder.empty()) {
        result.error = kDocumentsFolderNotMade;
        return result;
    }
    const std::string name = fs::path(source).filename().string();
    const std::size_t dot = name.rfind('.');
    const std::string base = dot != std::string::npos && dot > 0 ? name.substr(0, dot) : name;
    const std::string extension = dot != std::string::npos && dot > 0 ? name.substr(dot) : "";

    std::string temp; // made once, when a free name is first found
    for (int n = 1; n <= kMostCopies; ++n) {
        const std::string candidate = n == 1
                                          ? fittedName(base, extension)
                                          : fittedName(base, " " + std::to_string(n) + extension);
        const std::string target = (fs::path(folder) / candidate).string();
        struct stat there {};
        if (::lstat(target.c_str(), &there) == 0) {
            if (S_ISREG(there.st_mode) && sameContent(source, target)) {
                if (!temp.empty())
                    removeFile(temp);
                result.ok = true;
                result.fileName = candidate;
                return result;
            }
            continue;
        }
        if (temp.empty()) {
            temp = copyAside(in.get(), folder, result.error);
            if (temp.empty())
                return result;
        }
        // Never replaces a file that appeared meanwhile: that name is then looked at again.
        if (renameWithoutReplacing(temp, target)) {
            result.ok = true;
            result.fileName = candidate;
            return result;
        }
        if (errno != EEXIST) {
            result.error = std::strerror(errno);
            removeFile(temp);
            return result;
        }
        if (sameContent(temp, target)) {
            removeFile(temp);
            result.ok = true;
            result.fileName = candidate;
            return result;
        }
    }
    if (!temp.empty())
        removeFile(temp);
    result.error = AV_TRANSLATE_NOOP("ardenvo::DocumentFiles",
                                     "No free name for it in the Documents folder");
    return result;
}

} // namespace ardenvo
