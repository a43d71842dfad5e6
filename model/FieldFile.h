#pragma once

#include "model/Archive.h"
#include "model/CFieldList.h"
#include "model/ProjectFile.h"

#include <string>
#include <string_view>

namespace ardenvo {

// A field file holds exactly one field-list record and nothing else.

// Replaces the title and entries of `list` with the file's; on failure `list` is unchanged.
// UnexpectedFormat for a file that ends early, carries trailing bytes or is no field list;
// OpenFailed when it cannot be opened.
FileError readFieldFile(const std::string& path, CFieldList& list);
// Writes the list with its saveValues flag (0: every value written empty), replacing the file
// safely. SaveFailed when that fails.
FileError writeFieldFile(const std::string& path, const CFieldList& list);

// The same on bytes in memory.
FileError readFieldList(std::string_view bytes, CFieldList& list);
std::string writeFieldList(const CFieldList& list);

// The field-list record inside the project and field files. The reader replaces title and entries
// and throws ArchiveFormatError on bad input.
void writeFieldListRecord(ArchiveWriter& out, const CFieldList& list, bool withValues);
void readFieldListRecord(ArchiveReader& in, CFieldList& list);

// The fewest bytes a field-list record and one of its entries can take.
inline constexpr std::size_t kMinFieldListBytes = 1 + 4;
inline constexpr std::size_t kMinFieldBytes = 3;
// What the allocator adds to each record built while reading, for the memory budget.
inline constexpr std::size_t kAllocationOverhead = 16;

} // namespace ardenvo
