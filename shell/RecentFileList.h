#pragma once

#include <QStringList>

namespace ardenvo {

class SettingsFile;

// File > "Recent File": the 4 projects opened or saved last, most recent first, kept in the
// settings file so that they survive the program.
class RecentFileList {
public:
    explicit RecentFileList(SettingsFile& file);

    // Re-read each time: another instance of the program may have changed the list.
    QStringList files() const;
    void add(const QString& path);
    void remove(const QString& path);
    // False when the settings file exists but cannot be read.
    bool isAccessible() const;
    // The settings file the list lives in, which also keeps the shell's other settings.
    SettingsFile& settingsFile() const { return m_file; }

private:
    SettingsFile& m_file;
};

} // namespace ardenvo
