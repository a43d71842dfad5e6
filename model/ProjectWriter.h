#pragma once

#include "model/Archive.h"
#include "model/CBrenvikaDoc.h"

#include <cstdint>
#include <optional>

namespace ardenvo {

inline constexpr std::int32_t kProjectFormatId = 1;
inline constexpr std::int32_t kProjectVersion = 2;

// Appends the project file's records of the whole house to `out` (the caller finishes it). The
// house must not change meanwhile: in a large house, the rooms are serialised on several threads
// at once, a few rooms ahead of the one being handed on, and joined in file order. `helpers` pins
// how many threads help the calling one, whatever the house and the machine (tests compare the
// bytes of each way); unset, the house's size and the machine's cores decide.
void writeHouse(const CBrenvikaDoc& doc, ArchiveWriter& out,
                std::optional<unsigned> helpers = std::nullopt);

} // namespace ardenvo
