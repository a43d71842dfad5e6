#include "model/CBlock.h"

#include "model/UniqueName.h"

#include <algorithm>

namespace ardenvo {

namespace {

Rect orDefaultSize(const Rect& rect, std::int32_t size) {
    return rect.right == rect.left ? Rect{0, 0, size, size} : rect;
}

} // namespace

CBlock::~CBlock() {
    // The reverse of the order a reader builds a block in (see freeLastFirst).
    pictures.clear();
    freeLastFirst(m_floorObjects);
}

std::unique_ptr<CBlock> CBlock::create(BlockKind kind, const Rect& rect) {
    switch (kind) {
    case BlockKind::Hall:
        return std::make_unique<CHall>(rect);
    case BlockKind::Room:
        return std::make_unique<CRoom>(rect);
    }
    return nullptr;
}

CHall::CHall(const Rect& rect) : CBlock(BlockKind::Hall) {
    name = "I'm a hall";
    colorRect = {kHallColor, orDefaultSize(rect, 150)};
}

CRoom::CRoom(const Rect& rect) : CBlock(BlockKind::Room) {
    name = "I'm a room";
    colorRect = {kRoomColor, orDefaultSize(rect, 400)};
}

Size CBlock::minimumBlockSize() const {
    Size size{30, 30};
    for (const auto& o : m_floorObjects) {
        // 64-bit so that a damaged file's extreme coordinates cannot overflow.
        const long long w = static_cast<long long>(o->location.rect.right) + 10;
        const long long h = static_cast<long long>(o->location.rect.bottom) + 10;
        size.width = static_cast<std::int32_t>(
            std::min<long long>(std::max<long long>(size.width, w), INT32_MAX));
        size.height = static_cast<std::int32_t>(
            std::min<long long>(std::max<long long>(size.height, h), INT32_MAX));
    }
    return size;
}

std::string CBlock::nameFloorObject(const std::string& candidate) const {
    return uniqueSiblingNameIn(
        candidate, m_floorObjects, [](const CHouseObject& o) -> const auto& { return o.name; });
}

CHouseObject& CBlock::addFloorObject(std::unique_ptr<CHouseObject> object) {
    object->rename(nameFloorObject(object->name));
    return appendFloorObjectAsStored(std::move(object));
}

CHouseObject& CBlock::appendFloorObjectAsStored(std::unique_ptr<CHouseObject> object) {
    object->floorIndex = static_cast<std::int32_t>(m_floorObjects.size());
    m_floorObjects.push_back(std::move(object));
    return *m_floorObjects.back();
}

CHouseObject* CBlock::findFloorObject(const std::string& name) const {
    for (const auto& o : m_floorObjects)
        if (o->name == name)
            return o.get();
    return nullptr;
}

std::unique_ptr<CHouseObject> CBlock::removeFloorObject(const std::string& name) {
    const CHouseObject* found = findFloorObject(name);
    return found ? removeFloorObject(found) : nullptr;
}

std::unique_ptr<CHouseObject> CBlock::removeFloorObject(const CHouseObject* object) {
    auto it = std::find_if(m_floorObjects.begin(), m_floorObjects.end(),
                           [object](const auto& o) { return o.get() == object; });
    if (it == m_floorObjects.end())
        return nullptr;
    auto owned = std::move(*it);
    m_floorObjects.erase(it);
    for (auto& o : m_floorObjects)
        if (o->floorIndex > owned->floorIndex)
            --o->floorIndex;
    return owned;
}

void CBlock::bringToFront(const CHouseObject* object) {
    auto it = std::find_if(m_floorObjects.begin(), m_floorObjects.end(),
                           [object](const auto& o) { return o.get() == object; });
    if (it != m_floorObjects.end())
        std::rotate(it, it + 1, m_floorObjects.end());
}

void CBlock::markAllFloorObjects(std::uint8_t value) {
    for (auto& o : m_floorObjects)
        o->selected = value;
}

CHouseObject* CBlock::selectedFloorObject() const {
    for (const auto& o : m_floorObjects)
        if (o->selected)
            return o.get();
    return nullptr;
}

int CBlock::neighbourCount() const {
    return static_cast<int>(std::count_if(neighbours.begin(), neighbours.end(),
                                          [](std::int32_t id) { return id != 0; }));
}

void CBlock::linkNeighbour(int side, const CBlock& other) {
    if (side < 0 || side > 3)
        return;
    neighbours[static_cast<std::size_t>(side)] = other.id;
    alignments[static_cast<std::size_t>(side)] =
        other.alignments[static_cast<std::size_t>(oppositeSide(side))].reversed();
    changed = 1;
}

void CBlock::unlinkSide(int side) {
    if (side < 0 || side > 3)
        return;
    neighbours[static_cast<std::size_t>(side)] = 0;
    changed = 1;
}

} // namespace ardenvo
