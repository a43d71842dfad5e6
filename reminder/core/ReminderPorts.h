#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ardenvo {

// One registered project as the reminder program keeps it: the registry slot, the path as
// registered and the status (0 disabled, anything else enabled).
struct RegisteredProject {
    std::int32_t slot = 0;
    std::string path;
    std::int32_t status = 1;
    bool enabled() const { return status != 0; }
};

// What the reminder logic needs from the registry and the main program. The program uses the
// shared registry and table; tests answer from memory.
class ReminderEnvironment {
public:
    virtual ~ReminderEnvironment() = default;
    virtual std::vector<RegisteredProject> readProjectEntries() = 0;
    // Both do nothing when the path has no registry key.
    virtual void setProjectStatus(const std::string& path, bool enabled) = 0;
    virtual void deleteProjectEntry(const std::string& path) = 0;
    virtual bool isOpenInMainProgram(const std::string& path) = 0;
};

// The messages and questions the logic shows. The window answers with message boxes.
class ReminderPrompter {
public:
    virtual ~ReminderPrompter() = default;
    virtual void showError(const std::string& title, const std::string& text) = 0;
    virtual void showInformation(const std::string& title, const std::string& text) = 0;
    // A Yes/No question with an exclamation icon; true for Yes.
    virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
};

} // namespace ardenvo
