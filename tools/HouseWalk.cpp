#include "tools/HouseWalk.h"

namespace ardenvo::tool {

namespace {

void walk(const CHouseObject& object, ObjectPlace& place,
          const std::function<void(const CHouseObject&, const ObjectPlace&)>& visit) {
    visit(object, place);
    for (int p = 0; p < kNestPositionCount; ++p) {
        const auto pos = static_cast<NestPosition>(p);
        for (const auto& child : object.children(pos)) {
            place.parents.emplace_back(pos, &object);
            walk(*child, place, visit);
            place.parents.pop_back();
        }
    }
}

} // namespace

void forEachObject(const CBrenvikaDoc& doc,
                   const std::function<void(const CHouseObject&, const ObjectPlace&)>& visit) {
    for (const auto& section : doc.sections()) {
        for (const auto& block : section->blocks()) {
            ObjectPlace place{section.get(), block.get(), {}};
            for (const auto& object : block->floorObjects())
                walk(*object, place, visit);
        }
    }
}

} // namespace ardenvo::tool
