#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ardenvo {

// Milliseconds since 1970; tests give a clock of their own.
using VersionClock = std::function<std::int64_t()>;
std::int64_t systemClockMs();

// <XDG_DATA_HOME, else ~/.local/share>/Ardenvo/versions.
std::string versionsRoot();
// The folder of one house's versions in `root`: named after the house's file and a hash of its
// key (the project key), so a moved or linked house keeps its history apart and the name stays
// readable.
std::string versionsFolderFor(const std::string& houseKey, const std::string& root = {});

// One earlier version of a house.
struct HouseVersion {
    std::string path;        // the file in the versions folder
    std::int64_t timeMs = 0; // when that house was saved, from the file's name
    std::uint64_t size = 0;
};

// What became of the house a save is about to replace.
struct KeepOutcome {
    enum class Result { Kept, SameAsNewest, NoHouse, Failed };
    Result result = Result::Failed;
    std::string file;  // the version written, for Kept
    std::string error; // why, for Failed
};

// The earlier versions of one house, kept in a folder of their own: each a plain copy of the
// house file (a reflink where the file system shares blocks, never a hard link, since a house
// with several names is written in place), named by the time that house was saved.
class VersionStore {
public:
    explicit VersionStore(std::string folder, VersionClock clock = systemClockMs);

    const std::string& folder() const { return m_folder; }

    // Keeps the house at `housePath` as it is now, unless it is the newest version already, then
    // thins the versions. Two programs keeping at once take turns (a lock in the folder), so
    // each version is kept once. Never throws; a folder that is a link, not a folder, another
    // user's, unwritable or full gives Failed and the reason.
    KeepOutcome keep(const std::string& housePath);

    // The versions, newest first; only files of the names this store writes.
    std::vector<HouseVersion> versions() const;

    // Removes what the thinning rules drop; `houseSize` is the house's size now.
    void thin(std::uint64_t houseSize);

    // Whether the folder can hold versions: created (mode 0700) when missing, refused with the
    // reason when it or the folder above is a link, not a folder, another user's or unwritable.
    bool usable(std::string* error = nullptr) const;

    // The file name of a version saved at that moment (UTC, "2026-12-09T10-15-30.123Z.av");
    // the time of a name, or false for a name this store does not write.
    static std::string nameFor(std::int64_t timeMs);
    static bool timeOfName(const std::string& name, std::int64_t& timeMs);

private:
    std::string m_folder;
    VersionClock m_clock;
};

// Keeps the house at `housePath`, whose project key is `houseKey`, as an earlier version in its
// folder under `root` (versionsRoot() when empty), as every program does before it replaces a
// house. Never throws: a failure comes back as Failed with the reason.
KeepOutcome keepEarlierVersion(const std::string& housePath, const std::string& houseKey,
                               const std::string& root = {});

} // namespace ardenvo
