#include "catalogue/pictures/ImagesFolder.h"

#include "platform/posix/FolderFiles.h"
#include "platform/posix/UniqueFd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardenvo {

std::vector<std::string> pictureFilesIn(const std::string& folder) {
    std::vector<std::string> names;
    const QDir dir(QString::fromStdString(folder));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        const std::string bytes = name.toStdString();
        if (hasPictureExtension(bytes))
            names.push_back(bytes);
    }
    return names;
}

FolderCopy copyIntoFolder(const QString& source, const std::string& folder) {
    FolderCopy result;
    const std::string path = source.toStdString();
    const UniqueFd in(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    if (in.get() < 0 || ::fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = in.get() < 0 && errno != ENOENT
                           ? QString::fromLocal8Bit(std::strerror(errno))
                           : QCoreApplication::translate("ardenvo::ImagesFolder", "No such file");
        return result;
    }
    const CopiedIn copied =
        copyUnderFreeName(in.get(), folder, QFileInfo(source).fileName().toStdString());
    result.ok = copied.ok;
    result.fileName = copied.fileName;
    if (!copied.ok)
        result.error =
            !copied.error.empty()
                ? QString::fromLocal8Bit(copied.error)
                : QCoreApplication::translate("ardenvo::ImagesFolder",
                                              "No free name for it in the Images folder");
    return result;
}

} // namespace ardenvo
