#include "FixtureHouse.h"

#include <memory>

namespace ardenvo::testing {
namespace {

CHouseObject& addObject(CBlock& block, const std::string& name, const std::string& notes = {}) {
    auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    object->name = name;
    object->notes = notes;
    return block.appendFloorObjectAsStored(std::move(object));
}

CHouseObject& addChild(CHouseObject& parent, NestPosition pos, const std::string& name,
                       const std::string& notes = {}) {
    auto child = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    child->name = name;
    child->notes = notes;
    CHouseObject& ref = *child;
    parent.appendChildAsStored(pos, std::move(child));
    return ref;
}

void addPrice(CHouseObject& object, const std::string& price) {
    auto value = std::make_unique<CFieldList>("Value");
    value->append("Price paid", price);
    object.appendCategory(std::move(value));
}

// A room linked east of the section's first block.
CBlock& addRoom(CSection& section, const std::string& name) {
    auto room = CBlock::create(BlockKind::Room, Rect{250, 100, 400, 250});
    room->name = name;
    room->id = section.nextBlockId++;
    CBlock& first = *section.blocks().front();
    CBlock& added = section.appendBlockAsStored(std::move(room));
    first.linkNeighbour(East, added);
    added.linkNeighbour(West, first);
    return added;
}

} // namespace

void buildSearchHouse(CBrenvikaDoc& doc) {
    doc.clearSections();

    auto ground = std::make_unique<CSection>();
    ground->name = "Ground floor";
    ground->nextBlockId = 2;
    CBlock& hall = *ground->blocks().front();
    CHouseObject& lamp = addObject(hall, "Desk LAMP");
    auto value = std::make_unique<CFieldList>("Value");
    value->append("Price paid", "12.50");
    value->append("Insurance value", "20");
    lamp.appendCategory(std::move(value));
    addPrice(addObject(hall, "Shoe rack", "Tom & Jerry's shoes"), "40abc");

    CBlock& kitchen = addRoom(*ground, "K\xC3\xBC"
                                       "che");
    CHouseObject& table = addObject(kitchen, "Table", "oak <b>");
    addPrice(table, "100");
    addPrice(addChild(table, NestPosition::OnTop, "Lamp <script>"), "5");
    CHouseObject& drawer = addChild(table, NestPosition::Inside, "Drawer", "cutlery");
    auto extras = std::make_unique<CFieldList>("Extras");
    extras->append("Colour", "red");
    drawer.appendCategory(std::move(extras));
    addChild(drawer, NestPosition::Inside, "Knife");
    addPrice(addChild(table, NestPosition::Under, "Cat basket"), "abab");
    addPrice(addObject(kitchen, "K\xC3\x9C"
                                "CHENSCHRANK"),
             "250");
    doc.appendSection(std::move(ground));

    auto cellar = std::make_unique<CSection>();
    cellar->name = "Cellar";
    cellar->blocks().front()->name = "Store";
    cellar->nextBlockId = 2;
    addPrice(addObject(*cellar->blocks().front(),
                       "K\xDC"
                       "HLSCHRANK",
                       "cold"),
             "300");
    doc.appendSection(std::move(cellar));

    doc.setCurrentSection(doc.sectionAt(0));
}

} // namespace ardenvo::testing
