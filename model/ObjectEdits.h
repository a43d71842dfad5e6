#pragma once

#include "model/CBrenvikaDoc.h"
#include "model/ObjectProperties.h"
#include "model/TreeOrder.h"

#include <functional>
#include <string>

// What the "Objects inside" dialog does to the model, without widgets: every command resolves its
// tree item to an ObjectPlace and calls one of these.
namespace ardenvo {

// The name `wanted` made unique among `siblings`, the object `self` not counting against itself.
std::string uniqueNameAmong(const std::string& wanted, const CHouseObject::List& siblings,
                            const CHouseObject* self);

// The Object properties dialog's values: colour; width and length from the object's left and top;
// the name made unique among the block's floor objects (also for nested objects).
void applyObjectProperties(CHouseObject& object, const ObjectProperties& values,
                           const CBlock& block);

// A new object with the defaults and `values`, appended to `parent`'s list at `position`, or to
// the block's floor when `parent` is null; its name made unique there.
CHouseObject& addObject(CBlock& block, CHouseObject* parent, NestPosition position,
                        const ObjectProperties& values);
// A new object with the defaults alone ("Object", "Object 2", ...), appended likewise.
CHouseObject& addDefaultObject(CBlock& block, CHouseObject* parent, NestPosition position);

// "Modify": the values applied; a nested object whose position changes moves, with everything in
// it, to the end of that list of the same parent; the name made unique in the list it ends in.
void modifyObject(CBlock& block, const ObjectPlace& place, const ObjectProperties& values);
// The context menu's "Move": the nested object to the end of another list of the same parent.
void moveWithinParent(const ObjectPlace& place, NestPosition to);
// In-place rename: the name made unique among its siblings. An empty text changes nothing.
void renameObject(CBlock& block, const ObjectPlace& place, const std::string& text);
// Removes the object with everything it owns; floor indexes above it close the gap.
void deleteObject(CBlock& block, const ObjectPlace& place);

// Where "Move object" puts an object: a list of the destination object, or the floor.
enum class MoveTarget { Under = 0, Inside = 1, OnTop = 2, Floor = 3 };
// Moves the object at `place` in `source`, with everything in it, into `destination`: into
// `target`'s list at `to`, or onto the floor for Floor or no target. Into another block its
// top-left corner goes to (10, 10), its size kept. The name is made unique where it lands. A move
// into itself or into an object it holds is refused (false) and changes nothing.
bool moveObjectTo(CBlock& source, const ObjectPlace& place, CBlock& destination,
                  CHouseObject* target, MoveTarget to);

// "Change room": the section named by the sections list (the first section holding a block of
// that room name when `allSections`) and its first block of that name; either may be null.
struct RoomChoice {
    CSection* section = nullptr;
    CBlock* block = nullptr;
};
// Whether a stored name is the one chosen in a list; the lists compare names as they show them.
using NameMatch = std::function<bool(const std::string& name)>;
RoomChoice findRoom(const CBrenvikaDoc& doc, bool allSections, const NameMatch& isSection,
                    const NameMatch& isRoom);

} // namespace ardenvo
