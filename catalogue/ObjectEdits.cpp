#include "catalogue/ObjectEdits.h"

#include "model/UniqueName.h"
#include "planeditor/layout/PlanGeometry.h"
#include "platform/TextCodec.h"

namespace ardenvo {

namespace {

const CHouseObject::List& siblingsOf(const CBlock& block, const ObjectPlace& place) {
    return place.parent ? place.parent->children(place.position) : block.floorObjects();
}

CHouseObject& append(CBlock& block, CHouseObject* parent, NestPosition position,
                     std::unique_ptr<CHouseObject> object) {
    return parent ? parent->addChild(position, std::move(object))
                  : block.addFloorObject(std::move(object));
}

} // namespace

std::string uniqueNameAmong(const std::string& wanted, const CHouseObject::List& siblings,
                            const CHouseObject* self) {
    return uniqueSiblingName(wanted, [&](const std::string& name) {
        for (const auto& s : siblings)
            if (s.get() != self && s->name == name)
                return true;
        return false;
    });
}

void applyObjectProperties(CHouseObject& object, const ObjectProperties& values,
                           const CBlock& block) {
    object.color = values.color;
    object.location.rect = withExtent(object.location.rect, values.width, values.length);
    object.rename(uniqueNameAmong(values.name, block.floorObjects(), &object));
}

CHouseObject& addObject(CBlock& block, CHouseObject* parent, NestPosition position,
                        const ObjectProperties& values) {
    auto object = std::make_unique<CHouseObject>();
    applyObjectProperties(*object, values, block);
    return append(block, parent, position, std::move(object));
}

CHouseObject& addDefaultObject(CBlock& block, CHouseObject* parent, NestPosition position) {
    return append(block, parent, position, std::make_unique<CHouseObject>());
}

void modifyObject(CBlock& block, const ObjectPlace& place, const ObjectProperties& values) {
    if (!place.object)
        return;
    CHouseObject& object = *place.object;
    applyObjectProperties(object, values, block);
    const auto wanted = static_cast<NestPosition>(values.position);
    if (place.parent && wanted != place.position && static_cast<int>(wanted) >= 0 &&
        static_cast<int>(wanted) < kNestPositionCount) {
        moveWithinParent(place, wanted);
        return; // the move made the name unique in the new list
    }
    object.rename(uniqueNameAmong(object.name, siblingsOf(block, place), &object));
}

void moveWithinParent(const ObjectPlace& place, NestPosition to) {
    if (!place.object || !place.parent || place.position == to)
        return;
    if (auto owned = place.parent->removeChild(place.position, place.object))
        place.parent->addChild(to, std::move(owned));
}

void renameObject(CBlock& block, const ObjectPlace& place, const std::string& text) {
    if (!place.object || text.empty())
        return;
    place.object->rename(uniqueNameAmong(text, siblingsOf(block, place), place.object));
}

void deleteObject(CBlock& block, const ObjectPlace& place) {
    if (!place.object)
        return;
    if (place.parent)
        place.parent->removeChild(place.position, place.object);
    else
        block.removeFloorObject(place.object);
}

bool holdsOrIs(const CHouseObject& object, const CHouseObject* other) {
    if (&object == other)
        return true;
    for (const TreeChild& c : childrenInTreeOrder(object))
        if (holdsOrIs(*c.object, other))
            return true;
    return false;
}

bool moveObjectTo(CBlock& source, const ObjectPlace& place, CBlock& destination,
                  CHouseObject* target, MoveTarget to) {
    if (!place.object)
        return false;
    if (to == MoveTarget::Floor)
        target = nullptr;
    if (target && holdsOrIs(*place.object, target))
        return false;
    std::unique_ptr<CHouseObject> owned =
        place.parent ? place.parent->removeChild(place.position, place.object)
                     : source.removeFloorObject(place.object);
    if (!owned)
        return false;
    if (&destination != &source) {
        const Size size = sizeOf(owned->location.rect);
        owned->location.rect = withExtent(Rect{10, 10, 10, 10}, size.width, size.height);
    }
    append(destination, target, static_cast<NestPosition>(to), std::move(owned));
    return true;
}

RoomChoice findRoom(const CBrenvikaDoc& doc, bool allSections, const QString& sectionText,
                    const QString& roomText) {
    const auto blockNamed = [&](const CSection& section) -> CBlock* {
        for (const auto& b : section.blocks())
            if (displayText(b->name) == roomText)
                return b.get();
        return nullptr;
    };
    for (const auto& s : doc.sections()) {
        if (allSections ? blockNamed(*s) != nullptr : displayText(s->name) == sectionText)
            return {s.get(), blockNamed(*s)};
    }
    return {};
}

} // namespace ardenvo
