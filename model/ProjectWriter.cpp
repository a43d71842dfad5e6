#include "model/ProjectWriter.h"

#include "model/FieldFile.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace ardenvo {

namespace {

// Houses with fewer floor objects are written on the calling thread alone: starting a thread
// would cost more than it saves.
constexpr std::size_t kParallelFloorObjects = 2000;
// A block with more floor objects than this is written by the calling thread straight into the
// output, never collected in memory first.
constexpr std::size_t kLargeBlockObjects = 4000;
// How many blocks the helpers may run ahead of the one being handed on.
constexpr std::size_t kWindow = 32;
constexpr unsigned kMaxHelpers = 3;

// The time field is an unsigned count of seconds since 1970: every date from 1970 to 2106 fits.
// Earlier dates are stored as 0, later ones as the last representable second.
std::uint32_t encodeStart(const CReminder& reminder) {
    if (reminder.start().year < 1970)
        return 0;
    const std::int64_t instant = reminder.startInstant();
    if (instant <= 0)
        return 0;
    if (instant > std::numeric_limits<std::uint32_t>::max())
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(instant);
}

// The records of the house, in file order.
class RecordWriter {
public:
    explicit RecordWriter(ArchiveWriter& out) : m_out(out) {}

    void houseStart(const CBrenvikaDoc& doc) {
        m_out.writeInt32(kProjectFormatId);
        m_out.writeInt32(kProjectVersion);
        m_out.writeInt32(doc.sectionCount());
        m_out.writeInt32(doc.currentSectionIndex());
    }
    void houseEnd(const CBrenvikaDoc& doc) { m_out.writeInt32(doc.unitIndex()); }

    // A section's blocks, each preceded by its kind, lie between its start and its end.
    void sectionStart(const CSection& s) {
        m_out.writeUInt32(s.background);
        m_out.writeInt32(static_cast<std::int32_t>(s.blocks().size()));
    }
    void blockKind(const CBlock& b) { m_out.writeInt32(static_cast<std::int32_t>(b.kind())); }
    void sectionEnd(const CSection& s) {
        m_out.writeDouble(s.zoom);
        m_out.writeInt32(s.offsetX);
        m_out.writeInt32(s.offsetY);
        m_out.writeInt32(s.nextBlockId);
        m_out.writeText(s.name);
    }

    void block(const CBlock& b) {
        m_out.writeInt32(b.changed ? 1 : 0);
        objects(b.floorObjects());
        m_out.writeInt32(b.id);
        m_out.writeInt32(static_cast<std::int32_t>(b.kind()));
        writeFieldListRecord(m_out, b.pictures, b.pictures.saveValues != 0);
        for (std::size_t side = 0; side < 4; ++side) {
            m_out.writeInt32(b.neighbours[side]);
            m_out.writeInt32(b.alignments[side].shift);
            m_out.writeInt32(b.alignments[side].mode);
        }
        m_out.writeUInt32(b.colorRect.color);
        m_out.writeRect(b.colorRect.rect);
        m_out.writeText(b.name);
    }

private:
    // A house edited for a while has its objects wherever the heap put them: nested objects lie
    // apart from their parents, and the walk would wait on memory at every such step. An object's
    // own records (its categories and fields) are allocated with it and lie just after it, so
    // asking for the kilobyte from each object a few places ahead, and for the first of each list
    // of nested objects before going down into it, lets those waits overlap without chasing any
    // pointer ahead of time.
    void objects(const CHouseObject::List& list) {
        const std::size_t n = list.size();
        m_out.writeInt32(static_cast<std::int32_t>(n));
        for (std::size_t i = 0; i < n; ++i) {
            if (i + 4 < n)
                prefetchRecordsOf(list[i + 4].get());
            if (i + 2 < n) {
                const CHouseObject& ahead = *list[i + 2];
                for (int pos = 0; pos < kNestPositionCount; ++pos) {
                    const auto& children = ahead.children(static_cast<NestPosition>(pos));
                    if (!children.empty())
                        prefetch(children.data());
                }
            }
            for (int pos = 0; pos < kNestPositionCount; ++pos) {
                const auto& children = list[i]->children(static_cast<NestPosition>(pos));
                if (!children.empty())
                    prefetchRecordsOf(children.front().get());
            }
            object(*list[i]);
        }
    }

    static void prefetch(const void* address) { __builtin_prefetch(address); }
    static void prefetchRecordsOf(const CHouseObject* object) {
        const char* at = reinterpret_cast<const char*>(object);
        for (int line = 0; line < 16; ++line)
            prefetch(at + 64 * line);
    }

    void object(const CHouseObject& o) {
        m_out.writeUInt32(o.color);
        m_out.writeInt32(static_cast<std::int32_t>(o.categories().size()));
        // Project files always keep category values, whatever a field-file save left in the flag.
        for (const auto& c : o.categories())
            writeFieldListRecord(m_out, *c, true);
        for (int pos = 0; pos < kNestPositionCount; ++pos)
            objects(o.children(static_cast<NestPosition>(pos)));
        m_out.writeUInt32(o.location.color);
        m_out.writeRect(o.location.rect);
        m_out.writeInt32(static_cast<std::int32_t>(o.reminders().size()));
        for (const auto& r : o.reminders())
            reminder(*r);
        writeFieldListRecord(m_out, o.pictures, o.pictures.saveValues != 0);
        m_out.writeText(o.reserved);
        m_out.writeText(o.name);
        m_out.writeText(o.notes);
    }

    void reminder(const CReminder& r) {
        m_out.writeInt32(r.repeatEachUnit);
        m_out.writeInt32(r.repeatOnAnchor);
        m_out.writeInt32(r.repeatOnUnit);
        m_out.writeUInt32(encodeStart(r));
        m_out.writeText(r.notes);
        // The mode is stored twice; readers keep the second copy.
        m_out.writeInt32(r.periodicMode);
        m_out.writeInt32(r.periodicMode);
        m_out.writeInt32(r.type);
        m_out.writeInt32(r.repeatEachCount);
        m_out.writeInt32(r.repeatOnNumber);
        m_out.writeText(r.objectName);
    }

    ArchiveWriter& m_out;
};

// Serialises the blocks of a house on helper threads, ahead of the block being handed on, each
// into a slot of a small ring, so that at most kWindow blocks wait in memory. The calling thread
// writes a block nobody has taken yet straight into the output, and while it waits for a helper
// it takes the next block itself. Without helpers, every block is written straight through.
class BlockPipeline {
public:
    BlockPipeline(std::vector<const CBlock*> blocks, unsigned helpers)
        : m_blocks(std::move(blocks)), m_slots(helpers == 0 ? 0 : kWindow) {
        try {
            for (unsigned i = 0; i < helpers; ++i)
                m_helpers.emplace_back([this] { helperLoop(); });
        } catch (const std::system_error&) {
            // No more threads to be had: the ones started, or the calling thread alone, do it all.
        }
    }
    ~BlockPipeline() {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        for (auto& helper : m_helpers)
            helper.join();
    }
    BlockPipeline(const BlockPipeline&) = delete;
    BlockPipeline& operator=(const BlockPipeline&) = delete;

    // Writes block `index` into `out`; blocks must be written in order.
    void write(std::size_t index, ArchiveWriter& out) {
        std::unique_lock lock(m_mutex);
        if (m_nextClaim == index || m_helpers.empty() || writtenInPlace(index)) {
            m_nextClaim = std::max(m_nextClaim, index + 1);
            lock.unlock();
            RecordWriter(out).block(*m_blocks[index]);
            lock.lock();
        } else {
            Slot& slot = slotOf(index);
            while (!slot.ready) {
                if (claimable()) {
                    const std::size_t ahead = m_nextClaim++;
                    if (!writtenInPlace(ahead)) {
                        lock.unlock();
                        serialise(ahead);
                        lock.lock();
                        slotOf(ahead).ready = true;
                    }
                    continue;
                }
                m_changed.wait(lock);
            }
            lock.unlock();
            slot.ready = false; // nobody else touches the slot until the window moves on
            if (slot.error)
                std::rethrow_exception(std::exchange(slot.error, nullptr));
            out.writeBytes(slot.bytes);
            lock.lock();
        }
        m_written = index + 1;
        lock.unlock();
        m_changed.notify_all();
    }

private:
    struct Slot {
        std::string bytes;
        std::exception_ptr error;
        bool ready = false;
    };

    bool writtenInPlace(std::size_t index) const {
        return m_blocks[index]->floorObjects().size() > kLargeBlockObjects;
    }
    // With the lock held: whether a block may be taken without overrunning the ring.
    bool claimable() const {
        return m_nextClaim < m_blocks.size() && m_nextClaim < m_written + kWindow;
    }
    Slot& slotOf(std::size_t index) { return m_slots[index % kWindow]; }

    // Without the lock: the slot belongs to whoever took the block until it is marked ready.
    void serialise(std::size_t index) {
        Slot& slot = slotOf(index);
        try {
            slot.bytes.clear();
            ArchiveWriter out(slot.bytes);
            RecordWriter(out).block(*m_blocks[index]);
            out.finish();
        } catch (...) {
            slot.error = std::current_exception();
        }
    }

    void helperLoop() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] {
                return m_stopping || claimable() || m_nextClaim >= m_blocks.size();
            });
            if (m_stopping || m_nextClaim >= m_blocks.size())
                return;
            const std::size_t index = m_nextClaim++;
            if (writtenInPlace(index))
                continue;
            lock.unlock();
            serialise(index);
            lock.lock();
            slotOf(index).ready = true;
            m_changed.notify_all();
        }
    }

    const std::vector<const CBlock*> m_blocks;
    std::vector<Slot> m_slots;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_nextClaim = 0; // blocks below it are taken
    std::size_t m_written = 0;   // blocks below it are in the output
    bool m_stopping = false;
    std::vector<std::thread> m_helpers;
};

unsigned helpersFor(const std::vector<const CBlock*>& blocks) {
    std::size_t floorObjects = 0;
    for (const CBlock* b : blocks)
        floorObjects += b->floorObjects().size();
    if (blocks.size() < 2 || floorObjects < kParallelFloorObjects)
        return 0;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? std::min(cores - 1, kMaxHelpers) : 0;
}

} // namespace

void writeHouse(const CBrenvikaDoc& doc, ArchiveWriter& out, std::optional<unsigned> helpers) {
    std::vector<const CBlock*> blocks;
    for (const auto& s : doc.sections())
        for (const auto& b : s->blocks())
            blocks.push_back(b.get());
    const unsigned count = helpers ? *helpers : helpersFor(blocks);
    BlockPipeline pipeline(std::move(blocks), count);
    RecordWriter records(out);
    records.houseStart(doc);
    std::size_t index = 0;
    for (const auto& s : doc.sections()) {
        records.sectionStart(*s);
        for (const auto& b : s->blocks()) {
            records.blockKind(*b);
            pipeline.write(index++, out);
        }
        records.sectionEnd(*s);
    }
    records.houseEnd(doc);
}

} // namespace ardenvo
