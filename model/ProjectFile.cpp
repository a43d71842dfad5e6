#include "model/ProjectFile.h"

#include "model/Archive.h"
#include "model/FieldFile.h"
#include "model/LocalTime.h"
#include "model/SafeFile.h"

#include <algorithm>
#include <limits>
#include <new>

namespace ardenvo {

namespace {

constexpr std::int32_t kFormatId = 1;
constexpr std::int32_t kVersion = 2;
constexpr std::int32_t kUnitCount = 5;

// The fewest bytes each record can take, to refuse counts the file cannot hold.
constexpr std::size_t kMinReminderBytes = 3 * 4 + 4 + 1 + 4 * 5 + 1;
constexpr std::size_t kMinObjectBytes = 4 + 4 + 3 * 4 + 4 + 16 + 4 + kMinFieldListBytes + 1 + 1 + 1;
constexpr std::size_t kMinBlockBytes = 4 + 4 + 4 + 4 + 4 + kMinFieldListBytes + 4 * 12 + 4 + 16 + 1;
constexpr std::size_t kMinSectionBytes = 4 + 4 + 8 + 4 + 4 + 4 + 1;

// What each record takes in memory once read, texts aside (their bytes are in the file).
constexpr std::size_t kFieldListMemory = sizeof(CFieldList) + 8 + kAllocationOverhead;
constexpr std::size_t kObjectMemory = sizeof(CHouseObject) + 8 + kAllocationOverhead;
constexpr std::size_t kReminderMemory = sizeof(CReminder) + 8 + kAllocationOverhead;
constexpr std::size_t kBlockMemory = sizeof(CBlock) + kFieldListMemory + 8 + kAllocationOverhead;
constexpr std::size_t kSectionMemory = sizeof(CSection) + 8 + kAllocationOverhead;

// A house may take 16 times its file in memory, and never more than 2 GB; small files get 1 MB.
std::size_t houseMemoryBudget(std::size_t fileBytes) {
    constexpr std::size_t kCeiling = std::size_t{2} << 30;
    const std::size_t scaled = fileBytes > kCeiling / 16 ? kCeiling : fileBytes * 16;
    return std::min(kCeiling, std::max<std::size_t>(scaled, std::size_t{1} << 20));
}

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

class ProjectWriter {
public:
    // Collects the whole file in `bytes`.
    explicit ProjectWriter(std::string& bytes) : m_out(bytes) {}
    // Hands the file to `sink` in pieces, so that a large house is written through a small buffer.
    explicit ProjectWriter(const ChunkWriter& sink) : m_out(sink) {}

    void house(const CBrenvikaDoc& doc) {
        m_out.writeInt32(kFormatId);
        m_out.writeInt32(kVersion);
        m_out.writeInt32(doc.sectionCount());
        m_out.writeInt32(doc.currentSectionIndex());
        for (const auto& s : doc.sections())
            section(*s);
        m_out.writeInt32(doc.unitIndex());
        m_out.finish();
    }

private:
    void section(const CSection& s) {
        m_out.writeUInt32(s.background);
        m_out.writeInt32(static_cast<std::int32_t>(s.blocks().size()));
        for (const auto& b : s.blocks()) {
            m_out.writeInt32(static_cast<std::int32_t>(b->kind()));
            block(*b);
        }
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

    // A house not read from a file has its records wherever the heap put them, each reached only
    // through the one before it, so the walk would wait on memory at every step. Asking for what
    // the objects a few places ahead will need lets those waits overlap: each stage reads only
    // what a stage further ahead asked for.
    void objects(const CHouseObject::List& list) {
        const std::size_t n = list.size();
        m_out.writeInt32(static_cast<std::int32_t>(n));
        for (std::size_t i = 0; i < n; ++i) {
            if (i + 8 < n) {
                const CHouseObject* ahead = list[i + 8].get();
                prefetch(&ahead->categories());
                prefetch(&ahead->name);
            }
            if (i + 6 < n) {
                const CHouseObject& ahead = *list[i + 6];
                prefetch(ahead.categories().data());
                for (int pos = 0; pos < kNestPositionCount; ++pos) {
                    const auto& children = ahead.children(static_cast<NestPosition>(pos));
                    if (!children.empty())
                        prefetch(children.data());
                }
            }
            if (i + 4 < n) {
                for (const auto& category : list[i + 4]->categories())
                    prefetch(category.get());
            }
            if (i + 2 < n) {
                for (const auto& category : list[i + 2]->categories())
                    prefetch(category->entries().data());
            }
            if (i + 1 < n) {
                for (const auto& category : list[i + 1]->categories())
                    for (const auto& field : category->entries())
                        prefetch(field.get());
            }
            object(*list[i]);
        }
    }

    static void prefetch(const void* address) { __builtin_prefetch(address); }

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

    ArchiveWriter m_out;
};

class ProjectReader {
public:
    explicit ProjectReader(ArchiveReader& in) : m_in(in) {}

    std::unique_ptr<CSection> section() {
        auto s = std::make_unique<CSection>();
        s->clearBlocks();
        s->background = m_in.readUInt32();
        const std::size_t blockCount = m_in.readCount(kMinBlockBytes);
        m_in.chargeMemory(blockCount, kBlockMemory);
        // A section without blocks is nothing the editor can show or produce.
        if (blockCount == 0)
            ArchiveReader::fail("a section without blocks");
        for (std::size_t i = 0; i < blockCount; ++i)
            s->appendBlockAsStored(block());
        s->zoom = m_in.readDouble();
        s->offsetX = m_in.readInt32();
        s->offsetY = m_in.readInt32();
        s->nextBlockId = m_in.readInt32();
        m_in.readText(s->name);
        return s;
    }

private:
    std::unique_ptr<CBlock> block() {
        const std::int32_t kind = m_in.readInt32();
        if (kind != static_cast<std::int32_t>(BlockKind::Hall) &&
            kind != static_cast<std::int32_t>(BlockKind::Room))
            ArchiveReader::fail("an unknown block kind");
        auto b = CBlock::create(static_cast<BlockKind>(kind));
        b->changed = m_in.readInt32() != 0 ? 1 : 0;
        const std::size_t objectCount = m_in.readCount(kMinObjectBytes);
        m_in.chargeMemory(objectCount, kObjectMemory);
        for (std::size_t i = 0; i < objectCount; ++i)
            b->appendFloorObjectAsStored(object(1));
        b->id = m_in.readInt32();
        if (m_in.readInt32() != kind)
            ArchiveReader::fail("a block record of another kind than announced");
        readFieldListRecord(m_in, b->pictures);
        for (std::size_t side = 0; side < 4; ++side) {
            b->neighbours[side] = m_in.readInt32();
            b->alignments[side].shift = m_in.readInt32();
            b->alignments[side].mode = m_in.readInt32();
        }
        b->colorRect.color = m_in.readUInt32();
        b->colorRect.rect = m_in.readRect();
        m_in.readText(b->name);
        return b;
    }

    std::unique_ptr<CHouseObject> object(int depth) {
        if (depth > kMaxObjectNesting)
            ArchiveReader::fail("objects nested too deep");
        auto o = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        o->color = m_in.readUInt32();
        const std::size_t categoryCount = m_in.readCount(kMinFieldListBytes);
        m_in.chargeMemory(categoryCount, kFieldListMemory);
        o->reserveCategories(std::min<std::size_t>(categoryCount, 256));
        for (std::size_t i = 0; i < categoryCount; ++i) {
            auto category = std::make_unique<CFieldList>();
            readFieldListRecord(m_in, *category);
            o->appendCategory(std::move(category));
        }
        for (int pos = 0; pos < kNestPositionCount; ++pos) {
            const std::size_t childCount = m_in.readCount(kMinObjectBytes);
            m_in.chargeMemory(childCount, kObjectMemory);
            for (std::size_t i = 0; i < childCount; ++i)
                o->appendChildAsStored(static_cast<NestPosition>(pos), object(depth + 1));
        }
        o->location.color = m_in.readUInt32();
        o->location.rect = m_in.readRect();
        const std::size_t reminderCount = m_in.readCount(kMinReminderBytes);
        m_in.chargeMemory(reminderCount, kReminderMemory);
        for (std::size_t i = 0; i < reminderCount; ++i)
            o->addReminder(reminder());
        readFieldListRecord(m_in, o->pictures);
        m_in.readText(o->reserved);
        m_in.readText(o->name);
        m_in.readText(o->notes);
        return o;
    }

    std::unique_ptr<CReminder> reminder() {
        // Built with a fixed start: the stored one replaces it, and asking the clock is not free.
        auto r = std::make_unique<CReminder>(LocalDateTime{});
        r->repeatEachUnit = m_in.readInt32();
        r->repeatOnAnchor = m_in.readInt32();
        r->repeatOnUnit = m_in.readInt32();
        const std::uint32_t stored = m_in.readUInt32();
        r->setStart(fromInstant(stored), stored);
        m_in.readText(r->notes);
        m_in.readInt32(); // the first copy of the periodic mode; the second one counts
        r->periodicMode = m_in.readInt32();
        r->type = m_in.readInt32();
        r->repeatEachCount = m_in.readInt32();
        r->repeatOnNumber = m_in.readInt32();
        m_in.readText(r->objectName);
        return r;
    }

    ArchiveReader& m_in;
};

} // namespace

const char* fileErrorMessage(FileError error) {
    switch (error) {
    case FileError::None:
        return "";
    case FileError::WrongVersion:
        return "Wrong version of Ardenvo project";
    case FileError::UnexpectedFormat:
        return "Unexpected file format.";
    case FileError::OpenFailed:
        return "Failed to open document.";
    case FileError::SaveFailed:
        return "Failed to save document.";
    }
    return "";
}

FileError readProject(std::string_view bytes, CBrenvikaDoc& doc) {
    doc.newHouse();
    ArchiveReader in(bytes);
    CBrenvikaDoc::SectionList sections;
    std::int32_t current = 0;
    std::int32_t unit = 0;
    try {
        const std::int32_t formatId = in.readInt32();
        const std::int32_t version = in.readInt32();
        // Either mark is enough: older files carry one of them.
        if (formatId != kFormatId && version != kVersion)
            return FileError::WrongVersion;
        in.setMemoryBudget(houseMemoryBudget(bytes.size()));
        const std::size_t sectionCount = in.readCount(kMinSectionBytes);
        in.chargeMemory(sectionCount, kSectionMemory);
        if (sectionCount == 0)
            return FileError::UnexpectedFormat;
        current = in.readInt32();
        sections.reserve(sectionCount);
        ProjectReader reader(in);
        for (std::size_t i = 0; i < sectionCount; ++i)
            sections.push_back(reader.section());
        unit = in.readInt32();
        if (unit < 0 || unit >= kUnitCount)
            return FileError::UnexpectedFormat;
        // Bytes after the unit are ignored: a file rewritten shorter in place keeps its old tail.
    } catch (const ArchiveFormatError&) {
        return FileError::UnexpectedFormat;
    } catch (const std::bad_alloc&) {
        return FileError::UnexpectedFormat;
    }

    // The house is complete; only now does it replace the new one.
    doc.clearSections();
    doc.notifyViews(ViewHint::Reset);
    for (auto& s : sections)
        doc.appendSection(std::move(s));
    CSection* shown = doc.sectionAt(current);
    if (!shown)
        shown = doc.sectionAt(0);
    doc.setCurrentSection(shown);
    doc.setUnitIndex(unit);
    for (const auto& b : shown->blocks())
        doc.notifyViews(ViewHint::AddBlockView, b->id);
    return FileError::None;
}

FileError loadProject(const std::string& path, CBrenvikaDoc& doc, FileOutcome* outcome) {
    std::string bytes;
    FileOutcome ignored;
    FileOutcome& out = outcome ? *outcome : ignored;
    if (const FileStamp size = statOfFile(path); size.known && size.size > kMaxProjectFileBytes)
        return FileError::UnexpectedFormat;
    if (!readWholeFile(path, bytes, nullptr, outcome ? &out.stamp : nullptr, &out.systemError))
        return FileError::OpenFailed;
    return readProject(bytes, doc);
}

std::string writeProject(const CBrenvikaDoc& doc) {
    // Written in chunks, then copied once into an exact allocation: cheaper than a sizing pass,
    // which would walk the whole house (cache misses on every object) a second time.
    std::string bytes;
    ProjectWriter(bytes).house(doc);
    return bytes;
}

bool writeProjectInPieces(const CBrenvikaDoc& doc, const ChunkWriter& write) {
    try {
        ProjectWriter(write).house(doc);
    } catch (const ArchiveSinkFailed&) {
        return false;
    }
    return true;
}

FileError saveProject(const std::string& path, const CBrenvikaDoc& doc, FileOutcome* outcome) {
    // Streamed through a small buffer: saving needs no second copy of the house in memory.
    const auto produce = [&doc](const ChunkWriter& write) {
        return writeProjectInPieces(doc, write);
    };
    FileOutcome ignored;
    FileOutcome& out = outcome ? *outcome : ignored;
    return replaceFileSafelyWith(path, false, produce, nullptr, outcome ? &out.stamp : nullptr,
                                 &out.systemError)
               ? FileError::None
               : FileError::SaveFailed;
}

} // namespace ardenvo
