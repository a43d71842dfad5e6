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

// What the session tells the user; it never asks (the pages do, through the program's prompter).
// The window shows these as the prompter's boxes; the texts are in the system's code page.
class SessionMessages {
public:
    // The box's title: the program's name or "Error".
    enum class Title { Application, Error };
    virtual ~SessionMessages() = default;
    virtual void showError(Title title, const std::string& text) = 0;
    // Titled with the program's name.
    virtual void showInformation(const std::string& text) = 0;
};

} // namespace ardenvo
