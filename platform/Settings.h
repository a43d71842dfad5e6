#pragma once

#include "platform/SettingsFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ardenvo {

enum class FileDialogKind;

// Key paths of the settings the programs keep, so no caller spells them itself.
namespace settingskeys {
inline constexpr const char* ardenvo = "Software\\Ardenvo";
inline constexpr const char* setup = "Software\\Ardenvo\\Setup";
inline constexpr const char* files = "Software\\Ardenvo\\Files";
inline constexpr const char* recentFileList =
    "Software\\Local AppWizard-Generated Applications\\ardenvo\\Recent File List";
inline constexpr const char* dialogFolders = "Software\\Ardenvo\\Folders";
inline constexpr const char* windowBars =
    "Software\\Local AppWizard-Generated Applications\\ardenvo\\Bars";
} // namespace settingskeys

// Typed access to the programs' own settings values.
class Settings {
public:
    static constexpr int recentFileCount = 4;

    explicit Settings(SettingsFile& file = SettingsFile::user()) : m_file(file) {}

    // "Software\Ardenvo\Setup" value "Units": the unit index of the object-properties dialog;
    // none when missing or outside 0-4.
    std::optional<std::int32_t> objectUnits() const;
    void setObjectUnits(std::int32_t unit);

    // "Software\Ardenvo" value "eventOccureTip": on unless the value exists and is 0.
    bool eventOccureTip() const;
    void setEventOccureTip(bool on);

    // The main window's bars, values "Toolbar" and "StatusBar" of the framework's "Bars" key:
    // shown unless the value exists and is 0.
    bool toolbarVisible() const;
    void setToolbarVisible(bool on);
    bool statusBarVisible() const;
    void setStatusBarVisible(bool on);

    // "Software\Ardenvo\Folders" values "Open", "Save", "Pdf" and "Fields": the folder last used
    // in that file dialog; empty when none was kept.
    std::string lastFolder(FileDialogKind kind) const;
    void setLastFolder(FileDialogKind kind, const std::string& folder);

    // The recent-file list, values "File1" to "File4", most recent first; gaps skipped.
    std::vector<std::string> recentFiles() const;
    void setRecentFiles(const std::vector<std::string>& paths);
    // Puts the path first, dropping an older entry for the same file and the oldest beyond four.
    void addRecentFile(const std::string& path);
    void removeRecentFile(const std::string& path);

private:
    SettingsFile& m_file;
};

} // namespace ardenvo
