#include "reminder/core/SystemEnvironment.h"

#include "coordination/DocumentRegistration.h"
#include "coordination/ProjectRegistry.h"

namespace ardenvo {

SystemEnvironment::SystemEnvironment(SettingsFile& settings) : m_settings(settings) {}

std::vector<RegisteredProject> SystemEnvironment::readProjectEntries() {
    std::vector<RegisteredProject> result;
    for (const ProjectEntry& entry : ardenvo::readProjectEntries(m_settings))
        result.push_back({entry.index, entry.path, entry.status});
    return result;
}

void SystemEnvironment::setProjectStatus(const std::string& path, bool enabled) {
    ardenvo::setProjectStatus(path, enabled, m_settings);
}

void SystemEnvironment::deleteProjectEntry(const std::string& path) {
    // The session keeps its own list; this one only serves the registry call.
    std::vector<ProjectEntry> entries;
    ardenvo::deleteProjectEntry(path, entries, m_settings);
}

bool SystemEnvironment::isOpenInMainProgram(const std::string& path) {
    return ardenvo::isOpenInMainProgram(path);
}

} // namespace ardenvo
