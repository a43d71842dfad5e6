#pragma once

#include "model/CBlock.h"
#include "model/Geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ardenvo {

inline constexpr ColorRef kDefaultSectionBackground = rgb(0, 120, 60);

// A storey or wing: a set of blocks linked side by side.
class CSection {
public:
    using BlockList = std::vector<std::unique_ptr<CBlock>>;

    // A section with its first hall, id 1, at (100, 100, 250, 250).
    CSection();
    virtual ~CSection() { freeLastFirst(m_blocks); }
    CSection(const CSection&) = delete;
    CSection& operator=(const CSection&) = delete;

    std::string name = "New Section";
    ColorRef background = kDefaultSectionBackground;
    std::int32_t nextBlockId = 1;
    // Never shown before the plan view fits it, but saved sections need defined values.
    double zoom = 1.0;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;

    const BlockList& blocks() const { return m_blocks; }
    CBlock* findBlockById(std::int32_t id) const;
    CBlock* findBlockByName(const std::string& name) const;
    CBlock* blockAt(int index) const;
    int indexOf(const CBlock* block) const; // -1 when not in this section

    // Creates a block of `kind`, links it to the anchor on `side` and names and appends it. The
    // caller places it (the layout rules). Missing anchor or unknown kind: nullptr, nothing
    // changes.
    CBlock* addBlock(std::int32_t anchorId, int side, BlockKind kind);
    // Deletes a block that has exactly one neighbour; false (nothing changes) otherwise.
    bool deleteBlock(std::int32_t id);

    // For readers: drop every block, then append blocks as stored.
    void clearBlocks() { freeLastFirst(m_blocks); }
    CBlock& appendBlockAsStored(std::unique_ptr<CBlock> block);

    Rect boundingBox() const;
    void markAllBlocks(std::uint8_t value);
    CBlock* selectedBlock() const;

private:
    BlockList m_blocks;
};

} // namespace ardenvo
