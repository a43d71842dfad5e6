// Feeds arbitrary bytes as the shared table of open houses, as a crashed or hostile program could
// leave it, then reads, searches, adds to and removes from it as the programs do. Whatever the
// bytes, the table must read as at most 39 zero-free paths of under 256 bytes, never past its end.
#include "coordination/LoadedProjectTable.h"
#include "platform/SharedMemoryFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Table {
    Table() {
        char dir[] = "/tmp/ardenvo-fuzz-table-XXXXXX";
        if (!::mkdtemp(dir))
            std::abort();
        ::setenv("XDG_RUNTIME_DIR", dir, 1);
        if (!table.openOrCreate() || !raw.open(ardenvo::LoadedProjectTable::mappingName,
                                               ardenvo::LoadedProjectTable::capacity,
                                               ardenvo::SharedMemoryFile::Mode::OpenExisting))
            std::abort();
    }
    ardenvo::LoadedProjectTable table;
    ardenvo::SharedMemoryFile raw;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Table shared;
    auto& table = shared.table;
    std::memset(shared.raw.data(), 0, shared.raw.size());
    std::memcpy(shared.raw.data(), data, std::min(size, shared.raw.size()));

    const std::int32_t count = table.entryCount();
    if (count < 0 || count > ardenvo::LoadedProjectTable::maxEntries)
        std::abort();
    for (std::int32_t i = 0; i < count; ++i) {
        const auto entry = table.entryAt(i);
        if (!entry || entry->size() >= 256 || entry->find('\0') != std::string::npos)
            std::abort();
        table.findEntry(*entry);
    }
    if (table.entryAt(count))
        std::abort();
    const bool added = table.appendEntry("/fuzz/house.av");
    if (added && table.findEntry("/fuzz/house.av") < 0)
        std::abort();
    table.removeEntry(0);
    return 0;
}
