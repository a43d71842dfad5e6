#pragma once

#include "model/CFieldList.h"
#include "model/CHouseObject.h"
#include "model/Geometry.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ardenvo {

enum class BlockKind : std::int32_t { Hall = 1, Room = 2 };

// A rectangular block of a section: a hall or a room, with the objects on its floor.
class CBlock {
public:
    using ObjectList = CHouseObject::List;

    virtual ~CBlock();
    CBlock(const CBlock&) = delete;
    CBlock& operator=(const CBlock&) = delete;

    // A block of the given kind: its default name and colour, and its default size when `rect` is
    // empty (right == left). Kinds other than Hall and Room give nullptr.
    static std::unique_ptr<CBlock> create(BlockKind kind, const Rect& rect = {});

    CFieldList pictures;
    std::string name;
    CColorRect colorRect;
    std::int32_t id = 0;
    std::uint8_t changed = 1;
    std::array<std::int32_t, 4> neighbours{0, 0, 0, 0}; // by BlockSide; 0 = none
    std::array<SideAlignment, 4> alignments{};          // by BlockSide
    std::uint8_t selected = 0;                          // set by the plan view; not stored

    BlockKind kind() const { return m_kind; }
    const Rect& rect() const { return colorRect.rect; }
    void setRect(const Rect& r) { colorRect.rect = r; }

    // Width and height no smaller than 30 and keeping a 10 cm margin east and south of every
    // floor object.
    virtual Size minimumBlockSize() const;

    const ObjectList& floorObjects() const { return m_floorObjects; }
    // Makes the name unique among the floor objects, sets the floor index, appends.
    CHouseObject& addFloorObject(std::unique_ptr<CHouseObject> object);
    // Appends as stored (name kept), with the floor index of its position: for readers.
    CHouseObject& appendFloorObjectAsStored(std::unique_ptr<CHouseObject> object);
    CHouseObject* findFloorObject(const std::string& name) const;
    // Unlinks the first floor object of that name and renumbers the rest; nullptr when none.
    std::unique_ptr<CHouseObject> removeFloorObject(const std::string& name);
    // The same for that very object, so one of two equally named objects (a damaged file) can go.
    std::unique_ptr<CHouseObject> removeFloorObject(const CHouseObject* object);
    // Moves an object to the end of the drawing order; floor indexes stay as they are.
    void bringToFront(const CHouseObject* object);
    void markAllFloorObjects(std::uint8_t value);
    CHouseObject* selectedFloorObject() const;

    int neighbourCount() const;
    void linkNeighbour(int side, const CBlock& other);
    void unlinkSide(int side);

protected:
    explicit CBlock(BlockKind kind) : m_kind(kind) {}
    virtual std::string nameFloorObject(const std::string& candidate) const;

private:
    BlockKind m_kind;
    ObjectList m_floorObjects;
};

class CHall : public CBlock {
public:
    explicit CHall(const Rect& rect = {});
    ~CHall() override = default;
};

class CRoom : public CBlock {
public:
    explicit CRoom(const Rect& rect = {});
    ~CRoom() override = default;
};

inline constexpr ColorRef kHallColor = rgb(218, 218, 218);
inline constexpr ColorRef kRoomColor = rgb(255, 188, 121);

} // namespace ardenvo
