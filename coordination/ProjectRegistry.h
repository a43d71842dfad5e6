#pragma once

#include "platform/SettingsFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ardenvo {

// One registered project: its slot "File<index>" under "Software\Ardenvo\Files", its path and
// whether the reminder program loads it (status 1) or not (0).
struct ProjectEntry {
    std::int32_t index = 0;
    std::string path;
    std::int32_t status = 0;
};

inline constexpr std::int32_t projectDisabled = 0;
inline constexpr std::int32_t projectEnabled = 1;
// Longest path a registration holds; longer paths are left out, never cut.
inline constexpr std::size_t maxRegisteredPathLength = 254;

// The registered projects in slot order; missing slots are skipped. A project registered in several
// slots is listed once, from its first slot; the next writer removes the others.
std::vector<ProjectEntry> readProjectEntries(SettingsFile& settings = SettingsFile::user());
// Writes each entry into the slot its index names.
void writeProjectEntries(const std::vector<ProjectEntry>& entries,
                         SettingsFile& settings = SettingsFile::user());
// The first free slot up to "Count", else "Count" + 1 (then stored as the new "Count").
std::int32_t newProjectSlot(SettingsFile& settings = SettingsFile::user());
// Adds the path, enabled, in a new slot unless the project is registered already (tested and
// added under one lock). Paths longer than 254 bytes are not registered.
void registerProject(const std::string& path, SettingsFile& settings = SettingsFile::user());
// "Software\Ardenvo\Files\File<i>" of the entry with exactly this path, else of the first entry
// for the same project (projectKey), or "".
std::string findProjectKey(const std::string& path, SettingsFile& settings = SettingsFile::user());
void setProjectStatus(const std::string& path, bool enabled,
                      SettingsFile& settings = SettingsFile::user());
// Deletes the project's slot and drops the first entry with exactly that path from `entries`.
// "Count" is never lowered.
void deleteProjectEntry(const std::string& path, std::vector<ProjectEntry>& entries,
                        SettingsFile& settings = SettingsFile::user());

} // namespace ardenvo
