#pragma once

#include "model/CBlock.h"
#include "model/CHouseObject.h"

#include <optional>
#include <utility>
#include <vector>

// The order in which the object tree shows a block's objects, and the object behind a place in it.
// No widgets here: the tree, the move dialog and the tests share it.
namespace ardenvo {

// Floor objects in ascending floor index; equal indexes keep their floor-list order.
std::vector<CHouseObject*> floorObjectsInTreeOrder(const CBlock& block);

struct TreeChild {
    NestPosition position;
    CHouseObject* object;
};
// An object's children as the tree lists them: On top, then Inside, then Under, each in list order.
std::vector<TreeChild> childrenInTreeOrder(const CHouseObject& object);

// Where an object stands: its parent (null on the floor) and the parent's list it is in.
struct ObjectPlace {
    CHouseObject* object = nullptr;
    CHouseObject* parent = nullptr;
    NestPosition position = NestPosition::OnTop; // floor objects show the On top icon
    bool onFloor() const { return object && !parent; }
};

// A tree item below the root "Floor", as its row among its siblings at each level. Resolving by
// place rather than by name keeps every object reachable when a damaged file holds two siblings
// of one name; with unique names it finds the same object the name would.
using TreePath = std::vector<int>;
// The object at `path`; an empty place when the path leads nowhere (or is empty: the root).
ObjectPlace placeAt(const CBlock& block, const TreePath& path);
// The path of `object` in the block's tree, nullopt when it is not in the block.
std::optional<TreePath> pathOf(const CBlock& block, const CHouseObject* object);
// The block's objects depth first from the root, in tree order.
template <typename Visit> void visitInTreeOrder(const CBlock& block, Visit&& visit);

// ---- implementation ---------------------------------------------------------------------------

namespace detail {
template <typename Visit> void visitChildren(CHouseObject& object, Visit& visit) {
    for (const TreeChild& c : childrenInTreeOrder(object)) {
        visit(ObjectPlace{c.object, &object, c.position});
        visitChildren(*c.object, visit);
    }
}
} // namespace detail

template <typename Visit> void visitInTreeOrder(const CBlock& block, Visit&& visit) {
    for (CHouseObject* o : floorObjectsInTreeOrder(block)) {
        visit(ObjectPlace{o, nullptr, NestPosition::OnTop});
        detail::visitChildren(*o, visit);
    }
}

} // namespace ardenvo
