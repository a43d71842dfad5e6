#include "documents/core/DocumentFiles.h"

#include "platform/image/PictureFiles.h"
#include "platform/posix/FileNames.h"
#include "platform/posix/FolderFiles.h"
#include "platform/posix/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace ardenvo {

namespace fs = std::filesystem;

namespace {

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

} // namespace

DocumentLocation locateDocument(const std::string& folder, std::string_view fileName) {
    return locateInFolder(folder, fileName, kLeavesDocumentsFolder);
}

DocumentKind documentKind(const std::string& path) {
    const Descriptor fd(openForReading(path));
    if (fd.get() >= 0) {
        char head[kPdfHeaderReach];
        const ssize_t n = readAt(fd.get(), head, sizeof head, 0);
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
    status.state = S_ISREG(info.st_mode) && fd.get() >= 0 && readAt(fd.get(), &byte, 1, 0) >= 0
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
    CopiedIn copied = copyUnderFreeName(in.get(), folder, fs::path(source).filename().string());
    result.ok = copied.ok;
    result.fileName = std::move(copied.fileName);
    result.error = copied.ok || !copied.error.empty()
                       ? std::move(copied.error)
                       : AV_TRANSLATE_NOOP("ardenvo::DocumentFiles",
                                           "No free name for it in the Documents folder");
    return result;
}

} // namespace ardenvo
