#include "coordination/LoadedProjectTable.h"

#include "platform/PresenceLock.h"
#include "platform/ProcessLiveness.h"

#include <cstring>

namespace ardenvo {

namespace {
// Held in shared by every main program that has the table open.
const std::string presenceName = std::string(LoadedProjectTable::mappingName) + ".users";
const char ownerMagic[4] = {'A', 'V', 'o', 'w'};

// The owner written behind an entry's path, or none.
std::optional<ProcessLiveness::Owner> ownerOf(const unsigned char* entry) {
    const auto* text = reinterpret_cast<const char*>(entry);
    if (strnlen(text, LoadedProjectTable::ownerOffset) >=
            static_cast<std::size_t>(LoadedProjectTable::ownerOffset) ||
        std::memcmp(entry + LoadedProjectTable::ownerOffset, ownerMagic, 4) != 0)
        return std::nullopt;
    ProcessLiveness::Owner owner;
    std::memcpy(&owner.pid, entry + LoadedProjectTable::ownerOffset + 4, 4);
    std::memcpy(&owner.token, entry + LoadedProjectTable::ownerOffset + 8, 4);
    return owner;
}

void writeOwner(unsigned char* entry, const ProcessLiveness::Owner& owner) {
    std::memcpy(entry + LoadedProjectTable::ownerOffset, ownerMagic, 4);
    std::memcpy(entry + LoadedProjectTable::ownerOffset + 4, &owner.pid, 4);
    std::memcpy(entry + LoadedProjectTable::ownerOffset + 8, &owner.token, 4);
}
} // namespace

LoadedProjectTable::LoadedProjectTable() = default;

LoadedProjectTable::~LoadedProjectTable() {
    close();
}

bool LoadedProjectTable::openOrCreate() {
    close();
    m_lock = std::make_unique<NamedLock>(lockName);
    if (!m_lock->isValid()) {
        m_lock.reset();
        return false;
    }
    bool opened = false;
    {
        NamedLockGuard guard(*m_lock);
        m_presence = std::make_unique<PresenceLock>(presenceName);
        // When no main program has the table, whatever is in the file was left by programs that
        // have ended or crashed: start afresh, as a table living only while open would.
        const bool alone = m_presence->tryExclusive();
        bool created = false;
        opened =
            m_memory.open(mappingName, capacity, SharedMemoryFile::Mode::OpenOrCreate, &created);
        if (opened && (created || alone))
            writeHeader(0);
        if (opened)
            m_presence->holdShared();
    }
    if (!opened) {
        m_presence.reset();
        m_lock.reset();
    }
    return opened;
}

bool LoadedProjectTable::open() {
    close();
    m_lock = std::make_unique<NamedLock>(lockName);
    if (!m_lock->isValid()) {
        m_lock.reset();
        return false;
    }
    bool opened = false;
    {
        NamedLockGuard guard(*m_lock);
        PresenceLock presence(presenceName);
        if (presence.isValid() && presence.tryExclusive())
            presence.unlock(); // no main program has it: the table counts as absent
        else
            opened = m_memory.open(mappingName, capacity, SharedMemoryFile::Mode::OpenExisting);
    }
    if (!opened)
        m_lock.reset();
    return opened;
}

void LoadedProjectTable::close() {
    if (m_lock) {
        while (m_lock->heldCount() > 0)
            m_lock->release();
    }
    m_memory.close();
    m_presence.reset();
    m_lock.reset();
}

bool LoadedProjectTable::acquire() {
    if (!isOpen() || !m_lock->acquire())
        return false;
    // Only on the first acquire, so the indexes a caller found while holding the lock stay valid.
    if (m_lock->heldCountInProcess() == 1)
        dropEntriesOfGoneOwners();
    return true;
}

void LoadedProjectTable::dropEntriesOfGoneOwners() {
    const ProcessLiveness liveness(ownersName);
    std::int32_t count = validCount();
    unsigned char* base = m_memory.data() + headerSize;
    for (std::int32_t i = count - 1; i >= 0; --i) {
        const auto owner = ownerOf(base + entrySize * i);
        if (!owner || liveness.isAlive(*owner))
            continue;
        std::memmove(base + entrySize * i, base + entrySize * (i + 1),
                     static_cast<std::size_t>(entrySize) * (count - i - 1));
        std::memset(base + entrySize * (count - 1), 0, entrySize);
        writeHeader(--count);
    }
}

void LoadedProjectTable::release() {
    if (m_lock)
        m_lock->release();
}

std::int32_t LoadedProjectTable::validCount() const {
    std::int32_t count = 0;
    std::memcpy(&count, m_memory.data(), sizeof count);
    return count >= 0 && count <= maxEntries ? count : 0;
}

void LoadedProjectTable::writeHeader(std::int32_t count) {
    const std::int32_t header[3] = {count, -1, capacity};
    std::memcpy(m_memory.data(), header, sizeof header);
}

std::int32_t LoadedProjectTable::entryCount() {
    if (!acquire())
        return 0;
    const std::int32_t count = validCount();
    release();
    return count;
}

std::optional<std::string> LoadedProjectTable::entryAt(std::int32_t i) {
    if (!acquire())
        return std::nullopt;
    std::optional<std::string> entry;
    if (i >= 0 && i < validCount()) {
        const char* p = reinterpret_cast<const char*>(m_memory.data() + headerSize + entrySize * i);
        const std::size_t length = strnlen(p, entrySize);
        // An entry without its terminating zero is damaged and names no file.
        entry =
            length < static_cast<std::size_t>(entrySize) ? std::string(p, length) : std::string();
    }
    release();
    return entry;
}

std::optional<std::uint32_t> LoadedProjectTable::entryOwner(std::int32_t i) {
    if (!acquire())
        return std::nullopt;
    std::optional<std::uint32_t> pid;
    if (i >= 0 && i < validCount())
        if (const auto owner = ownerOf(m_memory.data() + headerSize + entrySize * i))
            pid = owner->pid;
    release();
    return pid;
}

bool LoadedProjectTable::appendEntry(const std::string& path) {
    if (path.empty() || path.size() >= static_cast<std::size_t>(entrySize) ||
        path.find('\0') != std::string::npos)
        return false;
    if (!acquire())
        return false;
    const std::int32_t count = validCount();
    const bool fits = headerSize + entrySize * (count + 1) <= capacity;
    if (fits) {
        unsigned char* p = m_memory.data() + headerSize + entrySize * count;
        std::memset(p, 0, entrySize);
        std::memcpy(p, path.data(), path.size());
        const auto owner = ProcessLiveness::self(ownersName);
        if (owner && path.size() < static_cast<std::size_t>(ownerOffset))
            writeOwner(p, *owner);
        writeHeader(count + 1);
    }
    release();
    return fits;
}

bool LoadedProjectTable::removeEntry(std::int32_t i) {
    if (!acquire())
        return false;
    const std::int32_t count = validCount();
    const bool inRange = i >= 0 && i < count;
    if (inRange) {
        unsigned char* base = m_memory.data() + headerSize;
        std::memmove(base + entrySize * i, base + entrySize * (i + 1),
                     static_cast<std::size_t>(entrySize) * (count - i - 1));
        std::memset(base + entrySize * (count - 1), 0, entrySize);
        writeHeader(count - 1);
    }
    release();
    return inRange;
}

std::int32_t LoadedProjectTable::findEntry(const std::string& path) {
    return findMatching(path, false);
}

std::int32_t LoadedProjectTable::findOwnEntry(const std::string& path) {
    return findMatching(path, true);
}

std::int32_t LoadedProjectTable::findMatching(const std::string& path, bool ownOnly) {
    if (!acquire())
        return -1;
    const auto self = ownOnly ? ProcessLiveness::self(ownersName) : std::nullopt;
    const bool stamped = self && path.size() < static_cast<std::size_t>(ownerOffset);
    std::int32_t found = -1;
    const std::int32_t count = validCount();
    for (std::int32_t i = 0; i < count && found < 0; ++i) {
        const unsigned char* entry = m_memory.data() + headerSize + entrySize * i;
        const char* p = reinterpret_cast<const char*>(entry);
        const std::size_t length = strnlen(p, entrySize);
        if (length >= static_cast<std::size_t>(entrySize) || path != std::string_view(p, length))
            continue;
        const auto owner = ownerOf(entry);
        if (!ownOnly || (stamped ? owner == self : !owner))
            found = i;
    }
    release();
    return found;
}

} // namespace ardenvo
