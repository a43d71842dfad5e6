#pragma once

#include "platform/NamedLock.h"
#include "platform/SharedMemoryFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ardenvo {

class PresenceLock;

// The projects open in main programs, shared by every running instance: a 10 000-byte named
// table {count, -1, capacity} followed by 256-byte zero-terminated paths, at most 39, kept packed.
// Only main programs write it; the reminder program reads it. Every access holds the named lock
// (re-entrant, so callers may hold it around several calls). A header whose count is out of range
// reads as an empty table and is rewritten by the next writer.
// Each entry also names its owner, behind the path's terminating zero where readers of the path
// never look: bytes 244-255 hold "AVow", the owner's process id and its liveness token. Entries
// whose owner has died are dropped whenever the lock is first taken; entries without an owner
// (written by older versions, or paths too long to leave room) stay as before.
class LoadedProjectTable {
public:
    static constexpr const char* mappingName = "ArdenvoLoadedFile";
    static constexpr const char* lockName = "AccessMutex_ArdenvoLoadedFile";
    static constexpr std::int32_t capacity = 10000;
    static constexpr std::int32_t headerSize = 12;
    static constexpr std::int32_t entrySize = 256;
    static constexpr std::int32_t maxEntries = (capacity - headerSize) / entrySize; // 39
    static constexpr std::int32_t ownerOffset = entrySize - 12;
    static constexpr const char* ownersName = "ArdenvoLoadedFile.owners";

    LoadedProjectTable();
    ~LoadedProjectTable(); // close()
    LoadedProjectTable(const LoadedProjectTable&) = delete;
    LoadedProjectTable& operator=(const LoadedProjectTable&) = delete;

    // Main program: opens the table, creating it when no main program has it open.
    bool openOrCreate();
    // Reminder program: opens the table only when a main program has it; never creates it.
    bool open();
    bool isOpen() const { return m_memory.isOpen(); }
    // Releases what this object holds of the lock and unmaps the table.
    void close();

    bool acquire();
    void release();

    std::int32_t entryCount();
    // Entry i, or none when i is out of range.
    std::optional<std::string> entryAt(std::int32_t i);
    // The process id of the main program that appended entry i (alive, since entries of gone
    // owners are dropped), or none for an entry without an owner or out of range.
    std::optional<std::uint32_t> entryOwner(std::int32_t i);
    // False when the table is full or the path does not fit an entry (it is never cut).
    bool appendEntry(const std::string& path);
    bool removeEntry(std::int32_t i);
    // The index of the first entry equal to the path byte for byte, or -1.
    std::int32_t findEntry(const std::string& path);
    // The same among the entries this process appended: those carrying its owner stamp, or, where
    // no stamp could be written (a path too long to leave room), those without one. Another
    // program with the same house open keeps its own entry.
    std::int32_t findOwnEntry(const std::string& path);

private:
    std::int32_t findMatching(const std::string& path, bool ownOnly);
    std::int32_t validCount() const;
    void dropEntriesOfGoneOwners();
    void writeHeader(std::int32_t count);

    SharedMemoryFile m_memory;
    std::unique_ptr<NamedLock> m_lock;
    std::unique_ptr<PresenceLock> m_presence;
};

} // namespace ardenvo
