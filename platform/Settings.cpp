#include "platform/Settings.h"

#include "platform/DialogFolders.h"
#include "platform/ProjectKey.h"

namespace ardenvo {

namespace {
std::string recentName(int i) {
    return "File" + std::to_string(i);
}

const char* folderValue(FileDialogKind kind) {
    switch (kind) {
    case FileDialogKind::Open:
        return "Open";
    case FileDialogKind::Save:
        return "Save";
    case FileDialogKind::FieldFile:
        return "Fields";
    case FileDialogKind::Pdf:
        break;
    }
    return "Pdf";
}
} // namespace

std::optional<std::int32_t> Settings::objectUnits() const {
    const auto units = m_file.readDword(settingskeys::setup, "Units");
    if (!units || *units < 0 || *units > 4)
        return std::nullopt;
    return units;
}

void Settings::setObjectUnits(std::int32_t unit) {
    m_file.writeDword(settingskeys::setup, "Units", unit);
}

bool Settings::eventOccureTip() const {
    const auto tip = m_file.readDword(settingskeys::ardenvo, "eventOccureTip");
    return !(tip && *tip == 0);
}

void Settings::setEventOccureTip(bool on) {
    m_file.writeDword(settingskeys::ardenvo, "eventOccureTip", on ? 1 : 0);
}

bool Settings::toolbarVisible() const {
    const auto shown = m_file.readDword(settingskeys::windowBars, "Toolbar");
    return !(shown && *shown == 0);
}

void Settings::setToolbarVisible(bool on) {
    m_file.writeDword(settingskeys::windowBars, "Toolbar", on ? 1 : 0);
}

bool Settings::statusBarVisible() const {
    const auto shown = m_file.readDword(settingskeys::windowBars, "StatusBar");
    return !(shown && *shown == 0);
}

void Settings::setStatusBarVisible(bool on) {
    m_file.writeDword(settingskeys::windowBars, "StatusBar", on ? 1 : 0);
}

std::string Settings::lastFolder(FileDialogKind kind) const {
    return m_file.readString(settingskeys::dialogFolders, folderValue(kind), 4096).value_or("");
}

void Settings::setLastFolder(FileDialogKind kind, const std::string& folder) {
    m_file.writeString(settingskeys::dialogFolders, folderValue(kind), folder);
}

std::vector<std::string> Settings::recentFiles() const {
    std::vector<std::string> files;
    for (int i = 1; i <= recentFileCount; ++i) {
        auto path = m_file.readString(settingskeys::recentFileList, recentName(i), 4096);
        if (path && !path->empty())
            files.push_back(std::move(*path));
    }
    return files;
}

void Settings::setRecentFiles(const std::vector<std::string>& paths) {
    for (int i = 1; i <= recentFileCount; ++i) {
        if (i <= static_cast<int>(paths.size()))
            m_file.writeString(settingskeys::recentFileList, recentName(i), paths[i - 1]);
        else
            m_file.deleteValue(settingskeys::recentFileList, recentName(i));
    }
}

void Settings::addRecentFile(const std::string& path) {
    if (path.empty())
        return;
    std::vector<std::string> files{path};
    for (const auto& f : recentFiles()) {
        if (!sameFile(f, path) && static_cast<int>(files.size()) < recentFileCount)
            files.push_back(f);
    }
    setRecentFiles(files);
}

void Settings::removeRecentFile(const std::string& path) {
    std::vector<std::string> files;
    for (const auto& f : recentFiles()) {
        if (!sameFile(f, path))
            files.push_back(f);
    }
    setRecentFiles(files);
}

} // namespace ardenvo
