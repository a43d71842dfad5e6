#pragma once

#include "reminder/core/ReminderPorts.h"

namespace ardenvo {

class SettingsFile;

// The reminder program's view of the shared registry list and of the main program's table of
// open projects.
class SystemEnvironment : public ReminderEnvironment {
public:
    explicit SystemEnvironment(SettingsFile& settings);

    std::vector<RegisteredProject> readProjectEntries() override;
    void setProjectStatus(const std::string& path, bool enabled) override;
    void deleteProjectEntry(const std::string& path) override;
    bool isOpenInMainProgram(const std::string& path) override;

private:
    SettingsFile& m_settings;
};

} // namespace ardenvo
