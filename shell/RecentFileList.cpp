#include "shell/RecentFileList.h"

#include "platform/Settings.h"
#include "platform/SettingsFile.h"

#include <QFile>
#include <QFileInfo>

namespace ardenvo {

RecentFileList::RecentFileList(SettingsFile& file) : m_file(file) {}

QStringList RecentFileList::files() const {
    QStringList list;
    for (const std::string& path : Settings(m_file).recentFiles())
        list << QFile::decodeName(QByteArray::fromStdString(path));
    return list;
}

void RecentFileList::add(const QString& path) {
    Settings(m_file).addRecentFile(QFile::encodeName(path).toStdString());
}

void RecentFileList::remove(const QString& path) {
    Settings(m_file).removeRecentFile(QFile::encodeName(path).toStdString());
}

bool RecentFileList::isAccessible() const {
    const QFileInfo info(QString::fromStdString(m_file.filePath()));
    return !info.exists() || info.isReadable();
}

} // namespace ardenvo
