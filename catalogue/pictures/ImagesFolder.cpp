#include "catalogue/pictures/ImagesFolder.h"

#include "platform/ProjectKey.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ardenvo {

namespace {

// Gives up on names after this many; a folder never holds that many copies of one name.
constexpr int kMostCopies = 10000;

bool sameContent(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    constexpr qint64 kChunk = 64 * 1024;
    while (!fa.atEnd()) {
        const QByteArray ca = fa.read(kChunk);
        const QByteArray cb = fb.read(kChunk);
        if (ca.isEmpty() || ca != cb)
            return false;
    }
    return fb.atEnd();
}

} // namespace

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
    const QFileInfo info(source);
    if (!info.isFile()) {
        result.error = QCoreApplication::translate("ardenvo::ImagesFolder", "No such file");
        return result;
    }
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    const QDir dir(QString::fromStdString(folder));

    for (int n = 1; n <= kMostCopies; ++n) {
        const QString candidate =
            n == 1 ? name : QStringLiteral("%1 %2%3").arg(base).arg(n).arg(extension);
        const QString target = dir.filePath(candidate);
        if (!QFileInfo::exists(target)) {
            // QFile::copy writes aside and renames, and never replaces a file that appeared.
            QFile file(source);
            if (!file.copy(target)) {
                result.error = file.errorString();
                return result;
            }
            result.ok = true;
            result.fileName = candidate.toStdString();
            return result;
        }
        if (sameFile(source.toStdString(), target.toStdString()) || sameContent(source, target)) {
            result.ok = true;
            result.fileName = candidate.toStdString();
            return result;
        }
    }
    result.error = QCoreApplication::translate("ardenvo::ImagesFolder",
                                               "No free name for it in the Images folder");
    return result;
}

} // namespace ardenvo
