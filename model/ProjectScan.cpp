#include "model/ProjectScan.h"

#include "model/Archive.h"
#include "model/ProjectRecords.h"
#include "model/ProjectWriter.h"

#include <new>

namespace ardenvo {
namespace {

using namespace records;

// Mirrors the reader of ProjectFile.cpp record by record; what it would build is only charged to
// the memory budget, so that a file too large for the reader is refused here too.
class ProjectScanner {
public:
    ProjectScanner(ArchiveReader& in, ProjectScanSink& sink) : m_in(in), m_sink(sink) {}

    void section() {
        m_sink.beginSection();
        m_in.readUInt32();
        const std::size_t blockCount = m_in.readCount(kMinBlockBytes);
        m_in.chargeMemory(blockCount, kBlockMemory);
        if (blockCount == 0)
            ArchiveReader::fail("a section without blocks");
        for (std::size_t i = 0; i < blockCount; ++i)
            block();
        m_in.readDouble();
        m_in.readInt32();
        m_in.readInt32();
        m_in.readInt32();
        m_sink.endSection(m_in.viewText(m_name));
    }

private:
    void block() {
        const std::int32_t kind = m_in.readInt32();
        if (kind != static_cast<std::int32_t>(BlockKind::Hall) &&
            kind != static_cast<std::int32_t>(BlockKind::Room))
            ArchiveReader::fail("an unknown block kind");
        m_sink.beginBlock();
        m_in.readInt32();
        const std::size_t objectCount = m_in.readCount(kMinObjectBytes);
        m_in.chargeMemory(objectCount, kObjectMemory);
        for (std::size_t i = 0; i < objectCount; ++i)
            object(1);
        m_in.readInt32();
        if (m_in.readInt32() != kind)
            ArchiveReader::fail("a block record of another kind than announced");
        fieldList(false);
        for (int i = 0; i < 4 * 3 + 1; ++i)
            m_in.readInt32(); // sides and colour
        m_in.readRect();
        m_sink.endBlock(m_in.viewText(m_name));
    }

    void object(int depth) {
        if (depth > kMaxObjectNesting)
            ArchiveReader::fail("objects nested too deep");
        m_sink.beginObject();
        m_in.readUInt32();
        const std::size_t categoryCount = m_in.readCount(kMinFieldListBytes);
        m_in.chargeMemory(categoryCount, kFieldListMemory);
        for (std::size_t i = 0; i < categoryCount; ++i)
            fieldList(m_sink.wantsFields);
        for (int pos = 0; pos < kNestPositionCount; ++pos) {
            const std::size_t childCount = m_in.readCount(kMinObjectBytes);
            m_in.chargeMemory(childCount, kObjectMemory);
            m_sink.beginChildren(static_cast<NestPosition>(pos));
            for (std::size_t i = 0; i < childCount; ++i)
                object(depth + 1);
        }
        m_in.readUInt32();
        m_in.readRect();
        const std::size_t reminderCount = m_in.readCount(kMinReminderBytes);
        m_in.chargeMemory(reminderCount, kReminderMemory);
        for (std::size_t i = 0; i < reminderCount; ++i)
            reminder();
        fieldList(false);
        m_in.skipText(); // reserved
        const std::string_view name = m_in.viewText(m_name);
        m_sink.endObject(name, m_in.viewText(m_notes));
    }

    void reminder() {
        for (int i = 0; i < 4; ++i)
            m_in.readUInt32(); // the repeat settings and the start
        m_in.skipText();
        for (int i = 0; i < 5; ++i)
            m_in.readInt32(); // both periodic modes, type and the repeat numbers
        m_in.skipText();
    }

    void fieldList(bool tell) {
        std::string_view title;
        if (tell)
            title = m_in.viewText(m_title);
        else
            m_in.skipText();
        const std::size_t count = m_in.readCount(kMinFieldBytes);
        m_in.chargeMemory(count, kFieldMemory);
        if (!tell) {
            m_in.skipTexts(3 * count); // category, name and value of each field
            return;
        }
        for (std::size_t i = 0; i < count; ++i) {
            m_in.skipText(); // the field's category text, which no report shows
            const std::string_view name = m_in.viewText(m_fieldName);
            m_sink.field(title, name, m_in.viewText(m_value));
        }
    }

    ArchiveReader& m_in;
    ProjectScanSink& m_sink;
    // Where wide texts are converted, one for each text that may be in use at once.
    std::string m_name, m_notes, m_title, m_fieldName, m_value;
};

} // namespace

FileError scanProject(std::string_view bytes, ProjectScanSink& sink) {
    ArchiveReader in(bytes);
    try {
        std::size_t sectionCount = 0;
        if (const FileError error = readProjectOpening(in, bytes.size(), sectionCount);
            error != FileError::None)
            return error;
        in.readInt32(); // the current section, which a scan does not show
        ProjectScanner scanner(in, sink);
        for (std::size_t i = 0; i < sectionCount; ++i)
            scanner.section();
        const std::int32_t unit = in.readInt32();
        if (unit < 0 || unit >= kUnitCount)
            return FileError::UnexpectedFormat;
    } catch (const ArchiveFormatError&) {
        return FileError::UnexpectedFormat;
    } catch (const std::bad_alloc&) {
        return FileError::UnexpectedFormat;
    }
    return FileError::None;
}

} // namespace ardenvo
