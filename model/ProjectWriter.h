#pragma once

#include "model/Archive.h"
#include "model/CBrenvikaDoc.h"

#include <cstdint>

namespace ardenvo {

inline constexpr std::int32_t kProjectFormatId = 1;
inline constexpr std::int32_t kProjectVersion = 2;

// Appends the project file's records of the whole house to `out` (the caller finishes it). The
// house must not change meanwhile: in a large house, the rooms are serialised on several threads
// at once, a few rooms ahead of the one being handed on, and joined in file order.
void writeHouse(const CBrenvikaDoc& doc, ArchiveWriter& out);

} // namespace ardenvo
