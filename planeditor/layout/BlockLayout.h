#pragma once

#include "model/CBlock.h"
#include "model/CBrenvikaDoc.h"
#include "model/CSection.h"
#include "model/Geometry.h"

#include <cstdint>

namespace ardenvo {

// Computes the neighbour's rectangle from the anchor's, as seen through the anchor's alignment
// record on `side`; the neighbour's facing record becomes the reversed anchor record. Missing
// blocks: nothing changes.
void placeNeighbor(CSection& section, std::int32_t anchorId, std::int32_t neighbourId, int side);

// Re-places every block reachable from `blockId` (North, East, South, West, depth first); the
// start block keeps its rectangle. `side` is the side the block was reached by (-1 from outside).
// Each block is visited at most once, so damaged links in a file cannot make it run forever.
void relayoutFrom(CSection& section, std::int32_t blockId, int side = -1);

// Creates, links, names and places a new block in the current section, marks the document
// modified and tells the views AddBlockView. nullptr (nothing changes) for a missing anchor, a
// side outside 0-3 or an unknown kind.
CBlock* addNeighbor(CBrenvikaDoc& doc, std::int32_t anchorId, int side, BlockKind kind);

// Makes CBrenvikaDoc::addBlock place the blocks it adds.
void installLayout(CBrenvikaDoc& doc);

enum class DeleteBlockResult { Deleted, NotFound, InitialBlock, InBetween };

// Deletes a block with exactly one neighbour; the refusals change nothing.
DeleteBlockResult deleteBlock(CSection& section, std::int32_t id);

// "Can't delete the initial block!", "Can't delete blocks that are in between!"; "" otherwise.
const char* deleteRefusalMessage(DeleteBlockResult result);

// (width, height) no smaller than 30 and keeping 10 cm east and south of every floor object.
Size minimumBlockSize(const CBlock& block);

} // namespace ardenvo
