#pragma once

#include <string>

namespace ardenvo {

// A project's identity across both programs: its absolute, cleaned path (relative paths taken
// against the current directory) with every symbolic link resolved while the file exists, so one
// house reached under two names is one project; lower-cased only when its folder lies on a file
// system that ignores case. Lower-casing on Linux would name another file.
std::string projectKey(const std::string& path);

// Whether two paths name the same file by the same rule.
bool sameFile(const std::string& a, const std::string& b);

// Whether the file system holding this path (or its nearest existing ancestor) ignores case.
bool isCaseInsensitivePath(const std::string& path);

} // namespace ardenvo
