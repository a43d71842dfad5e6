#pragma once

#include <string>

namespace ardenvo {

// The reminder program's start at log-on: the XDG autostart entry
// <config>/autostart/ardenvoreminder.desktop. It exists exactly when "Run on startup" is on.
class Autostart {
public:
    static std::string entryPath();
    static bool exists();
    // Writes the entry starting `program` (default: the running executable). False when the path
    // cannot be written into an entry (control characters, not UTF-8) or the file cannot be saved.
    static bool write(const std::string& program = {});
    static bool remove();

    // The Exec value that runs `program` with no arguments, quoted and escaped for an entry.
    static std::string execValue(const std::string& program);
    // A plain string value of an entry (TryExec): only the backslash is escaped.
    static std::string stringValue(const std::string& text);
};

} // namespace ardenvo
