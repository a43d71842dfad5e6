#pragma once

#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ardenvo {

// One project file the reminder program has loaded: the house as read (kept whole so that it can
// be written back unchanged apart from its reminders), its reminder count, and a fingerprint of
// the bytes it was read from, so that a file changed on disk since is never overwritten.
class LoadedProject {
public:
    // Missing: nothing is there (or it cannot be told), as for a house on a drive that is not
    // plugged in; CannotOpen: something is there but cannot be read as a file.
    enum class LoadResult { Loaded, Missing, CannotOpen, WrongFormat };
    enum class DiskState { Unchanged, Changed, Missing };

    static LoadResult load(const std::string& path, std::unique_ptr<LoadedProject>& project);

    explicit LoadedProject(std::string path) : m_path(std::move(path)) {}
    LoadedProject(const LoadedProject&) = delete;
    LoadedProject& operator=(const LoadedProject&) = delete;

    const std::string& path() const { return m_path; }
    CBrenvikaDoc& doc() { return m_doc; }
    const CBrenvikaDoc& doc() const { return m_doc; }

    int reminderCount = 0;

    // Compares the file as it is now with what was loaded or last written.
    DiskState diskState() const;
    // Replaces the existing file with the house as kept; never creates a missing file. The
    // caller checks diskState first. `marked`: the error is a text marked for translation rather
    // than the system's own words.
    bool write(std::string& error, bool& marked);

private:
    std::string m_path;
    CBrenvikaDoc m_doc;
    std::uint64_t m_fingerprint = 0;
};

// Files larger than this are not project files; refusing them avoids a huge allocation.
inline constexpr std::uintmax_t kMaxProjectFileSize = kMaxProjectFileBytes;

std::uint64_t fingerprintOf(const std::string& bytes);

} // namespace ardenvo
