#pragma once

// The limits both readers of a project file (ProjectFile.h, ProjectScan.h) hold it to, so that
// they accept and refuse exactly the same files.

#include "model/CBlock.h"
#include "model/CFieldList.h"
#include "model/CHouseObject.h"
#include "model/CReminder.h"
#include "model/CSection.h"
#include "model/FieldFile.h"
#include "model/ProjectFile.h"
#include "model/ProjectWriter.h"

#include <algorithm>
#include <cstddef>
#include <memory>

namespace ardenvo::records {

inline constexpr std::int32_t kUnitCount = 5;

// The fewest bytes each record can take, to refuse counts the file cannot hold.
inline constexpr std::size_t kMinReminderBytes = 3 * 4 + 4 + 1 + 4 * 5 + 1;
inline constexpr std::size_t kMinObjectBytes =
    4 + 4 + 3 * 4 + 4 + 16 + 4 + kMinFieldListBytes + 1 + 1 + 1;
inline constexpr std::size_t kMinBlockBytes =
    4 + 4 + 4 + 4 + 4 + kMinFieldListBytes + 4 * 12 + 4 + 16 + 1;
inline constexpr std::size_t kMinSectionBytes = 4 + 4 + 8 + 4 + 4 + 4 + 1;

// What each record takes in memory once read, texts aside (their bytes are in the file).
inline constexpr std::size_t kFieldMemory =
    sizeof(CField) + sizeof(std::unique_ptr<CField>) + kAllocationOverhead;
inline constexpr std::size_t kFieldListMemory = sizeof(CFieldList) + 8 + kAllocationOverhead;
inline constexpr std::size_t kObjectMemory = sizeof(CHouseObject) + 8 + kAllocationOverhead;
inline constexpr std::size_t kReminderMemory = sizeof(CReminder) + 8 + kAllocationOverhead;
inline constexpr std::size_t kBlockMemory =
    sizeof(CBlock) + kFieldListMemory + 8 + kAllocationOverhead;
inline constexpr std::size_t kSectionMemory = sizeof(CSection) + 8 + kAllocationOverhead;

// A house may take 16 times its file in memory, and never more than 2 GB; small files get 1 MB.
inline std::size_t houseMemoryBudget(std::size_t fileBytes) {
    constexpr std::size_t kCeiling = std::size_t{2} << 30;
    const std::size_t scaled = fileBytes > kCeiling / 16 ? kCeiling : fileBytes * 16;
    return std::min(kCeiling, std::max<std::size_t>(scaled, std::size_t{1} << 20));
}

// Reads what opens a project file: its marks, then its section count, with the memory budget of
// a house of `fileBytes`; the count, or the error that ends the reading there. The reader and
// the scan both start here, so they refuse the same files.
inline FileError readProjectOpening(ArchiveReader& in, std::size_t fileBytes,
                                    std::size_t& sectionCount) {
    const std::int32_t formatId = in.readInt32();
    const std::int32_t version = in.readInt32();
    // Either mark is enough: older files carry one of them.
    if (formatId != kProjectFormatId && version != kProjectVersion)
        return FileError::WrongVersion;
    in.setMemoryBudget(houseMemoryBudget(fileBytes));
    sectionCount = in.readCount(kMinSectionBytes);
    in.chargeMemory(sectionCount, kSectionMemory);
    return sectionCount == 0 ? FileError::UnexpectedFormat : FileError::None;
}

} // namespace ardenvo::records
