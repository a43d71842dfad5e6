#include "model/FieldFile.h"

#include "model/ProjectRecords.h"

#include "platform/posix/SafeFile.h"

#include <algorithm>
#include <new>
#include <vector>

namespace ardenvo {

namespace {
constexpr std::size_t kReserveCap = 256;
}

void writeFieldListRecord(ArchiveWriter& out, const CFieldList& list, bool withValues) {
    out.writeText(list.title);
    out.writeInt32(static_cast<std::int32_t>(list.size()));
    for (const auto& field : list.entries()) {
        out.writeText(field->category);
        out.writeText(field->name);
        if (withValues)
            out.writeText(field->value);
        else
            out.writeText(std::string_view());
    }
}

void readFieldListRecord(ArchiveReader& in, CFieldList& list) {
    in.readText(list.title);
    const std::size_t count = in.readCount(kMinFieldBytes);
    // An empty attribute takes 3 bytes in the file and fifty times that in memory.
    in.chargeMemory(count, records::kFieldMemory);
    list.clear();
    // The count is already checked against the bytes left; the cap keeps a lying count from
    // reserving much more than the entries that really follow.
    list.reserve(std::min<std::size_t>(count, kReserveCap));
    for (std::size_t i = 0; i < count; ++i) {
        auto field = std::make_unique<CField>();
        in.readText(field->category);
        in.readText(field->name);
        in.readText(field->value);
        list.append(std::move(field));
    }
}

FileError readFieldList(std::string_view bytes, CFieldList& list) {
    CFieldList read;
    try {
        ArchiveReader in(bytes);
        readFieldListRecord(in, read);
        // The file is this one record; anything after it means it is some other kind of file.
        if (!in.atEnd())
            return FileError::UnexpectedFormat;
    } catch (const ArchiveFormatError&) {
        return FileError::UnexpectedFormat;
    } catch (const std::bad_alloc&) {
        return FileError::UnexpectedFormat;
    }
    list.title = std::move(read.title);
    // Taken from the back, so that each unlink is cheap, then appended in file order.
    std::vector<std::unique_ptr<CField>> entries;
    entries.reserve(read.size());
    while (!read.empty())
        entries.push_back(read.unlinkEntry(read.entries().back().get()));
    list.clear();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        list.append(std::move(*it));
    return FileError::None;
}

std::string writeFieldList(const CFieldList& list) {
    std::string bytes;
    ArchiveWriter out(bytes);
    writeFieldListRecord(out, list, list.saveValues != 0);
    return bytes;
}

FileError readFieldFile(const std::string& path, CFieldList& list) {
    std::string bytes;
    if (!readWholeFile(path, bytes, nullptr))
        return FileError::OpenFailed;
    return readFieldList(bytes, list);
}

FileError writeFieldFile(const std::string& path, const CFieldList& list) {
    return replaceFileSafely(path, writeFieldList(list), false, nullptr) ? FileError::None
                                                                         : FileError::SaveFailed;
}

} // namespace ardenvo
