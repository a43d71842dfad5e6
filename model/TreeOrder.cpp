#include "model/TreeOrder.h"

#include <algorithm>

namespace ardenvo {

std::vector<CHouseObject*> floorObjectsInTreeOrder(const CBlock& block) {
    std::vector<CHouseObject*> order;
    order.reserve(block.floorObjects().size());
    for (const auto& o : block.floorObjects())
        order.push_back(o.get());
    std::stable_sort(order.begin(), order.end(), [](const CHouseObject* a, const CHouseObject* b) {
        return a->floorIndex < b->floorIndex;
    });
    return order;
}

std::vector<TreeChild> childrenInTreeOrder(const CHouseObject& object) {
    std::vector<TreeChild> children;
    for (NestPosition pos : {NestPosition::OnTop, NestPosition::Inside, NestPosition::Under})
        for (const auto& c : object.children(pos))
            children.push_back({pos, c.get()});
    return children;
}

ObjectPlace placeAt(const CBlock& block, const TreePath& path) {
    if (path.empty())
        return {};
    const auto floor = floorObjectsInTreeOrder(block);
    if (path[0] < 0 || path[0] >= static_cast<int>(floor.size()))
        return {};
    ObjectPlace place{floor[static_cast<std::size_t>(path[0])], nullptr, NestPosition::OnTop};
    for (std::size_t level = 1; level < path.size(); ++level) {
        const auto children = childrenInTreeOrder(*place.object);
        const int row = path[level];
        if (row < 0 || row >= static_cast<int>(children.size()))
            return {};
        const TreeChild& c = children[static_cast<std::size_t>(row)];
        place = {c.object, place.object, c.position};
    }
    return place;
}

namespace {

bool findPath(const CHouseObject& parent, const CHouseObject* wanted, TreePath& path) {
    const auto children = childrenInTreeOrder(parent);
    for (std::size_t i = 0; i < children.size(); ++i) {
        path.push_back(static_cast<int>(i));
        if (children[i].object == wanted || findPath(*children[i].object, wanted, path))
            return true;
        path.pop_back();
    }
    return false;
}

} // namespace

std::optional<TreePath> pathOf(const CBlock& block, const CHouseObject* object) {
    if (!object)
        return std::nullopt;
    const auto floor = floorObjectsInTreeOrder(block);
    TreePath path;
    for (std::size_t i = 0; i < floor.size(); ++i) {
        path.assign(1, static_cast<int>(i));
        if (floor[i] == object || findPath(*floor[i], object, path))
            return path;
    }
    return std::nullopt;
}

} // namespace ardenvo
