#include "coordination/ProjectRegistry.h"

#include "platform/NamedLock.h"
#include "platform/ProjectKey.h"
#include "platform/Settings.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <set>

namespace ardenvo {

namespace {

const char* const registrationLockName = "ArdenvoProjectRegistration";

std::string slotKey(std::int32_t slot) {
    return std::string(settingskeys::files) + "\\File" + std::to_string(slot);
}

std::int32_t readCount(SettingsFile& settings) {
    const auto count = settings.readDword(settingskeys::files, "Count");
    return count && *count >= 0 ? *count : -1;
}

// The slot number of a key named "File<n>" (n written as the slot key spells it), or none.
std::optional<std::int32_t> slotOf(const std::string& name) {
    if (name.size() < 5 || name.compare(0, 4, "File") != 0 || name.size() > 14)
        return std::nullopt;
    const std::string digits = name.substr(4);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        (digits.size() > 1 && digits[0] == '0'))
        return std::nullopt;
    const long long n = std::stoll(digits);
    if (n > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(n);
}

// The slots that exist, up to `limit`. Listing the keys, rather than trying every number up to
// "Count", keeps a damaged huge "Count" from turning into billions of look-ups.
std::set<std::int32_t> existingSlots(SettingsFile& settings, std::int64_t limit) {
    std::set<std::int32_t> slots;
    for (const auto& name : settings.childGroups(settingskeys::files)) {
        const auto slot = slotOf(name);
        if (slot && *slot <= limit)
            slots.insert(*slot);
    }
    return slots;
}

} // namespace

namespace {

// Every stored registration, duplicates included.
std::vector<ProjectEntry> readStoredEntries(SettingsFile& settings) {
    std::vector<ProjectEntry> entries;
    const std::int32_t count = readCount(settings);
    if (count < 0)
        return entries;
    for (const std::int32_t slot : existingSlots(settings, count)) {
        const std::string key = slotKey(slot);
        const auto index = settings.readDword(key, "index");
        const auto status = settings.readDword(key, "status");
        const auto path = settings.readString(key, "path", maxRegisteredPathLength);
        if (!path && settings.valueExists(key, "path"))
            continue; // too long to be held: left out rather than cut to another file's name
        if (!index && !status && !path)
            continue;
        // The slot is taken from the key's name, so a damaged "index" value cannot send a later
        // status change or delete to another project's key.
        entries.push_back({slot, path.value_or(std::string()), status.value_or(0)});
    }
    return entries;
}

// Splits the stored registrations into the first of each project and the later ones for a
// project already listed (left by programs that registered it at the same moment).
std::vector<ProjectEntry> firstOfEachProject(std::vector<ProjectEntry> entries,
                                             std::vector<ProjectEntry>* later = nullptr) {
    std::set<std::string> seen;
    std::vector<ProjectEntry> first;
    for (auto& e : entries) {
        const std::string key = e.path.empty() ? std::string() : projectKey(e.path);
        if (key.empty() || seen.insert(key).second)
            first.push_back(std::move(e));
        else if (later)
            later->push_back(std::move(e));
    }
    return first;
}

// Writers hold this lock, so that testing for a registration and adding one is a single step
// and two programs never take the same slot or register one house twice.
class RegistrationLock {
public:
    explicit RegistrationLock(SettingsFile& settings)
        : m_lock(registrationLockName), m_guard(m_lock) {
        std::vector<ProjectEntry> later;
        firstOfEachProject(readStoredEntries(settings), &later);
        for (const auto& e : later)
            settings.deleteKey(slotKey(e.index));
    }

private:
    NamedLock m_lock;
    NamedLockGuard m_guard;
};

} // namespace

std::vector<ProjectEntry> readProjectEntries(SettingsFile& settings) {
    return firstOfEachProject(readStoredEntries(settings));
}

void writeProjectEntries(const std::vector<ProjectEntry>& entries, SettingsFile& settings) {
    for (const auto& e : entries) {
        if (e.index < 0 || e.path.size() > maxRegisteredPathLength)
            continue;
        const std::string key = slotKey(e.index);
        settings.writeDword(key, "index", e.index);
        settings.writeString(key, "path", e.path);
        settings.writeDword(key, "status", e.status);
    }
}

std::int32_t newProjectSlot(SettingsFile& settings) {
    const std::int32_t count = readCount(settings);
    const auto slots = existingSlots(settings, std::numeric_limits<std::int32_t>::max());
    for (std::int32_t i = 0; i <= count; ++i) {
        if (!slots.count(i))
            return i;
    }
    // Past "Count"; a key beyond it (a damaged "Count") is stepped over, never overwritten.
    std::int64_t next = static_cast<std::int64_t>(count) + 1;
    while (slots.count(static_cast<std::int32_t>(next)))
        ++next;
    if (next > std::numeric_limits<std::int32_t>::max())
        return -1;
    settings.writeDword(settingskeys::files, "Count", static_cast<std::int32_t>(next));
    return static_cast<std::int32_t>(next);
}

void registerProject(const std::string& path, SettingsFile& settings) {
    if (path.empty() || path.size() > maxRegisteredPathLength)
        return;
    RegistrationLock lock(settings);
    // Registered already: the status the user chose is kept.
    if (!findProjectKey(path, settings).empty())
        return;
    const std::int32_t slot = newProjectSlot(settings);
    if (slot < 0)
        return;
    // Only the new slot is written: rewriting the others from an earlier read could undo a status
    // change the reminder program made in between.
    writeProjectEntries({{slot, path, projectEnabled}}, settings);
}

std::string findProjectKey(const std::string& path, SettingsFile& settings) {
    const std::string key = projectKey(path);
    if (key.empty())
        return {};
    const auto entries = readProjectEntries(settings);
    // The entry with this very path first: where an older version registered one house under
    // two names, a status change or delete then reaches the entry the user chose.
    for (const auto& e : entries) {
        if (e.path == path)
            return slotKey(e.index);
    }
    for (const auto& e : entries) {
        if (!e.path.empty() && projectKey(e.path) == key)
            return slotKey(e.index);
    }
    return {};
}

void setProjectStatus(const std::string& path, bool enabled, SettingsFile& settings) {
    RegistrationLock lock(settings);
    const std::string key = findProjectKey(path, settings);
    if (!key.empty())
        settings.writeDword(key, "status", enabled ? projectEnabled : projectDisabled);
}

void deleteProjectEntry(const std::string& path, std::vector<ProjectEntry>& entries,
                        SettingsFile& settings) {
    RegistrationLock lock(settings);
    const std::string key = findProjectKey(path, settings);
    if (!key.empty())
        settings.deleteKey(key);
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const ProjectEntry& e) { return e.path == path; });
    if (it != entries.end())
        entries.erase(it);
}

} // namespace ardenvo
