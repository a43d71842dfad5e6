#include "model/ProjectFile.h"

#include "model/Archive.h"
#include "model/FieldFile.h"
#include "model/LocalTime.h"
#include "model/ProjectRecords.h"
#include "model/ProjectWriter.h"
#include "model/Translatable.h"
#include "platform/posix/SafeFile.h"

#include <algorithm>
#include <limits>
#include <new>

namespace ardenvo {

namespace {

using namespace records;

class ProjectReader {
public:
    ProjectReader(ArchiveReader& in, const ConsumedBytes& consumed)
        : m_in(in), m_consumed(consumed) {}

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
        for (std::size_t i = 0; i < objectCount; ++i) {
            b->appendFloorObjectAsStored(object(1));
            tellConsumed();
        }
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

    void tellConsumed() {
        if (m_consumed && m_in.offset() >= m_nextTold) {
            m_consumed(m_in.offset());
            m_nextTold = m_in.offset() + kConsumedStep;
        }
    }

    ArchiveReader& m_in;
    const ConsumedBytes& m_consumed;
    std::size_t m_nextTold = kConsumedStep;
};

} // namespace

const char* fileErrorMessage(FileError error) {
    switch (error) {
    case FileError::None:
        return "";
    case FileError::WrongVersion:
        return AV_TRANSLATE_NOOP("ardenvo::ProjectFile", "Wrong version of Ardenvo project");
    case FileError::UnexpectedFormat:
        return AV_TRANSLATE_NOOP("ardenvo::ProjectFile", "Unexpected file format.");
    case FileError::OpenFailed:
        return AV_TRANSLATE_NOOP("ardenvo::ProjectFile", "Failed to open document.");
    case FileError::SaveFailed:
        return AV_TRANSLATE_NOOP("ardenvo::ProjectFile", "Failed to save document.");
    }
    return "";
}

FileError readProject(std::string_view bytes, CBrenvikaDoc& doc, const ConsumedBytes& consumed) {
    doc.newHouse();
    ArchiveReader in(bytes);
    CBrenvikaDoc::SectionList sections;
    std::int32_t current = 0;
    std::int32_t unit = 0;
    try {
        std::size_t sectionCount = 0;
        if (const FileError error = readProjectOpening(in, bytes.size(), sectionCount);
            error != FileError::None)
            return error;
        current = in.readInt32();
        sections.reserve(sectionCount);
        ProjectReader reader(in, consumed);
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
    // The programs that load a house this way change it: a save killed while copying it in place
    // is finished first. Should that fail, the house is read as it is.
    finishInterruptedCopy(path);
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
    ArchiveWriter out(bytes);
    writeHouse(doc, out);
    out.finish();
    return bytes;
}

bool writeProjectInPieces(const CBrenvikaDoc& doc, const ChunkWriter& write) {
    try {
        ArchiveWriter out(write);
        writeHouse(doc, out);
        out.finish();
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
