// The object tree's order and the dialog's model edits, without widgets.
#include "model/ObjectEdits.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace ardenvo;

namespace {

std::unique_ptr<CHouseObject> named(const std::string& name) {
    auto o = std::make_unique<CHouseObject>();
    o->name = name;
    return o;
}

std::vector<std::string> namesOf(const std::vector<CHouseObject*>& objects) {
    std::vector<std::string> names;
    for (const CHouseObject* o : objects)
        names.push_back(o->name);
    return names;
}

std::vector<std::string> childNames(const CHouseObject& o) {
    std::vector<std::string> names;
    for (const TreeChild& c : childrenInTreeOrder(o))
        names.push_back(c.object->name);
    return names;
}

ObjectProperties values(const std::string& name, NestPosition position = NestPosition::OnTop,
                        double width = 50, double length = 40) {
    ObjectProperties p;
    p.name = name;
    p.position = position;
    p.color = rgb(1, 2, 3);
    p.width = width;
    p.length = length;
    return p;
}

} // namespace

TEST(TreeOrderTest, FloorByIndexChildrenOnTopInsideUnderAndBringToFrontKeepsTheOrder) {
    CHall hall;
    CHouseObject& a = hall.addFloorObject(named("A"));
    hall.addFloorObject(named("B"));
    hall.addFloorObject(named("C"));
    a.addChild(NestPosition::Under, named("u"));
    a.addChild(NestPosition::Inside, named("i"));
    a.addChild(NestPosition::OnTop, named("t"));
    a.addChild(NestPosition::Under, named("u2"));
    EXPECT_EQ(childNames(a), (std::vector<std::string>{"t", "i", "u", "u2"}));

    hall.bringToFront(&a);
    EXPECT_EQ(hall.floorObjects().back().get(), &a);
    EXPECT_EQ(namesOf(floorObjectsInTreeOrder(hall)), (std::vector<std::string>{"A", "B", "C"}));

    // Deleting index 0 of three renumbers the others and keeps their order.
    deleteObject(hall, placeAt(hall, {0}));
    EXPECT_EQ(namesOf(floorObjectsInTreeOrder(hall)), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(hall.floorObjects()[0]->floorIndex, 0);
    EXPECT_EQ(hall.floorObjects()[1]->floorIndex, 1);
}

TEST(TreeOrderTest, PlacesReachEveryObjectEvenWithTwoSiblingsOfOneName) {
    CHall hall;
    CHouseObject& first = hall.appendFloorObjectAsStored(named("Box"));
    CHouseObject& second = hall.appendFloorObjectAsStored(named("Box"));
    CHouseObject& inner = second.addChild(NestPosition::Inside, named("Key"));

    EXPECT_EQ(placeAt(hall, {0}).object, &first);
    EXPECT_EQ(placeAt(hall, {1}).object, &second);
    const ObjectPlace key = placeAt(hall, {1, 0});
    EXPECT_EQ(key.object, &inner);
    EXPECT_EQ(key.parent, &second);
    EXPECT_EQ(key.position, NestPosition::Inside);
    EXPECT_EQ(pathOf(hall, &inner), (TreePath{1, 0}));
    EXPECT_EQ(placeAt(hall, {2}).object, nullptr);
    EXPECT_EQ(placeAt(hall, {}).object, nullptr);

    // The second one can be deleted without touching the first.
    deleteObject(hall, placeAt(hall, {1}));
    ASSERT_EQ(hall.floorObjects().size(), 1u);
    EXPECT_EQ(hall.floorObjects()[0].get(), &first);
}

TEST(ObjectEditsTest, SizesTruncateToWholeCentimetresAndSaturateFarOut) {
    CRoom room;
    CHouseObject& box =
        addObject(room, nullptr, NestPosition::OnTop, values("Box", {}, 80.9, 30.2));
    EXPECT_EQ(box.location.rect, (Rect{10, 10, 90, 40}));

    // A damaged file's far-out object: the ends stop at the largest coordinate, no extent is
    // negative, and NaN is no extent at all.
    box.location.rect = {INT32_MAX - 5, -20, INT32_MAX - 1, -10};
    modifyObject(room, placeAt(room, {0}), values("Box", {}, 1e300, std::nan("")));
    EXPECT_EQ(box.location.rect, (Rect{INT32_MAX - 5, -20, INT32_MAX, -20}));
    modifyObject(room, placeAt(room, {0}), values("Box", {}, -3, 5));
    EXPECT_EQ(box.location.rect, (Rect{INT32_MAX - 5, -20, INT32_MAX - 5, -15}));
}

TEST(ObjectEditsTest, NamesAreUniquePerListAndNestedObjectsAvoidFloorNames) {
    CRoom room;
    CHouseObject& table = addObject(room, nullptr, NestPosition::OnTop, values("Table"));
    EXPECT_EQ(table.location.rect, (Rect{10, 10, 60, 50}));
    EXPECT_EQ(table.color, rgb(1, 2, 3));

    // "Add" on a floor object with a floor object's name gets the suffix.
    CHouseObject& nested = addObject(room, &table, NestPosition::OnTop, values("Table"));
    EXPECT_EQ(nested.name, "Table 2");

    // Default objects: "Object", "Object 2" in one list, "Object" again in another.
    EXPECT_EQ(addDefaultObject(room, &table, NestPosition::Inside).name, "Object");
    EXPECT_EQ(addDefaultObject(room, &table, NestPosition::Inside).name, "Object 2");
    EXPECT_EQ(addDefaultObject(room, &table, NestPosition::Under).name, "Object");

    // Renaming to a sibling's name in the same list takes the suffix, another list's name not.
    CHouseObject& second = *table.children(NestPosition::Inside)[1];
    const auto placeOfSecond = [&] {
        return placeAt(room, *pathOf(room, &second));
    };
    renameObject(room, placeOfSecond(), "Object");
    EXPECT_EQ(second.name, "Object 2");
    renameObject(room, placeOfSecond(), "Table 2");
    EXPECT_EQ(second.name, "Table 2");
    renameObject(room, placeOfSecond(), "");
    EXPECT_EQ(second.name, "Table 2");
}

TEST(ObjectEditsTest, ModifyMovesANestedObjectWithEverythingInItToTheEndOfTheChosenList) {
    CRoom room;
    CHouseObject& desk = addObject(room, nullptr, NestPosition::OnTop, values("Desk"));
    CHouseObject& box = desk.addChild(NestPosition::OnTop, named("Box"));
    box.addChild(NestPosition::Inside, named("Letters"));
    desk.addChild(NestPosition::Inside, named("Pen"));
    desk.addChild(NestPosition::Inside, named("Box"));

    const ObjectPlace place = placeAt(room, *pathOf(room, &box));
    modifyObject(room, place, values("Box", NestPosition::Inside, 30, 20));
    ASSERT_EQ(desk.children(NestPosition::OnTop).size(), 0u);
    ASSERT_EQ(desk.children(NestPosition::Inside).size(), 3u);
    EXPECT_EQ(desk.children(NestPosition::Inside)[2].get(), &box);
    EXPECT_EQ(box.name, "Box 2");
    EXPECT_EQ(box.children(NestPosition::Inside)[0]->name, "Letters");
    EXPECT_EQ(box.location.rect, (Rect{10, 10, 40, 30}));

    // Keeping the position but taking a sibling's name gives the suffix there.
    modifyObject(room, placeAt(room, *pathOf(room, &box)), values("Pen", NestPosition::Inside));
    EXPECT_EQ(box.name, "Pen 2");

    moveWithinParent(placeAt(room, *pathOf(room, &box)), NestPosition::Under);
    EXPECT_EQ(desk.children(NestPosition::Under)[0].get(), &box);
}

TEST(ObjectEditsTest, RenameAndModifyCarryTheNewNameIntoTheObjectsReminders) {
    CRoom room;
    CHouseObject& sofa = addObject(room, nullptr, NestPosition::OnTop, values("Sofa"));
    CHouseObject& cushion = sofa.addChild(NestPosition::OnTop, named("Cushion"));
    for (CHouseObject* o : {&sofa, &sofa, &cushion}) {
        auto& r = o->addReminder(std::make_unique<CReminder>(LocalDateTime{2030, 1, 1}));
        r.objectName = o->name;
    }
    const auto copies = [](const CHouseObject& o) {
        std::vector<std::string> names;
        for (const auto& r : o.reminders())
            names.push_back(r->objectName);
        return names;
    };

    renameObject(room, placeAt(room, {0}), "Couch");
    EXPECT_EQ(copies(sofa), (std::vector<std::string>{"Couch", "Couch"}));
    modifyObject(room, placeAt(room, {0}), values("Settee"));
    EXPECT_EQ(copies(sofa), (std::vector<std::string>{"Settee", "Settee"}));
    EXPECT_EQ(copies(cushion), std::vector<std::string>{"Cushion"}); // its own name stays

    // A nested object moved by "Modify" into a list holding its name takes the suffix there.
    sofa.addChild(NestPosition::Inside, named("Cushion"));
    modifyObject(room, placeAt(room, *pathOf(room, &cushion)),
                 values("Cushion", NestPosition::Inside));
    EXPECT_EQ(cushion.name, "Cushion 2");
    EXPECT_EQ(copies(cushion), std::vector<std::string>{"Cushion 2"});
}

TEST(ObjectEditsTest, ChangeRoomFindsTheSectionAndBlockByTheChosenNames) {
    const auto is = [](const std::string& wanted) -> NameMatch {
        return [wanted](const std::string& name) {
            return name == wanted;
        };
    };
    CBrenvikaDoc doc;
    doc.newHouse();
    doc.sections()[0]->blocks()[0]->name = "Hall";
    auto upstairs = std::make_unique<CSection>();
    upstairs->name = "Upper floor";
    upstairs->blocks()[0]->name = "Bath";
    CSection& upper = doc.appendSection(std::move(upstairs));

    RoomChoice c = findRoom(doc, true, is("All sections"), is("Bath"));
    EXPECT_EQ(c.section, &upper);
    EXPECT_EQ(c.block, upper.blocks()[0].get());
    c = findRoom(doc, false, is("House"), is("Bath"));
    EXPECT_EQ(c.section, doc.sections()[0].get());
    EXPECT_EQ(c.block, nullptr);
    c = findRoom(doc, false, is("Cellar"), is("Hall"));
    EXPECT_EQ(c.section, nullptr);
}
