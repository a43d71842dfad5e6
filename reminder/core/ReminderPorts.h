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

// A message of the session: an English text marked for translation, with %1, %2... standing for
// its arguments, so the window can show it in the user's language.
struct SessionText {
    struct Arg {
        std::string text;    // in the system's code page
        bool marked = false; // itself a marked text (a reason), not a path or a name
    };
    const char* source = "";
    std::vector<Arg> args;

    // The English text with its arguments filled in.
    std::string english() const;
};

// `pattern` with each %1..%9 replaced by its argument, in one pass: an argument holding "%2" is
// left as it is.
std::string fillPlaceholders(const std::string& pattern, const std::vector<std::string>& args);

// What the session tells the user; it never asks (the pages do, through the program's prompter).
// The window shows these as the prompter's boxes.
class SessionMessages {
public:
    // The box's title: the program's name or "Error".
    enum class Title { Application, Error };
    virtual ~SessionMessages() = default;
    virtual void showError(Title title, const SessionText& text) = 0;
    // Titled with the program's name.
    virtual void showInformation(const SessionText& text) = 0;
};

} // namespace ardenvo
