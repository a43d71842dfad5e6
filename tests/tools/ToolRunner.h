#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace ardenvo::test {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    long peakKilobytes = 0; // the most memory the program held at once (its peak resident set)
};

// Runs a program with the arguments, no shell between, and collects its exit code and both
// streams. `stdoutPath` sends its standard output to that file instead (e.g. "/dev/full").
ToolResult runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& stdoutPath = {});

inline ToolResult runTool(const std::vector<std::string>& args,
                          const std::string& stdoutPath = {}) {
    return runProgram(ARDENVO_TOOL, args, stdoutPath);
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

} // namespace ardenvo::test
