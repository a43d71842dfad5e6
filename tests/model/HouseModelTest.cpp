#include "model/CBrenvikaDoc.h"

#include <gtest/gtest.h>

using namespace ardenvo;

TEST(HouseModel, NewHouseHasOneSectionWithTheFirstHall) {
    CBrenvikaDoc doc;
    ASSERT_EQ(doc.sectionCount(), 1);
    const CSection* s = doc.currentSection();
    EXPECT_EQ(s->nextBlockId, 2);
    ASSERT_EQ(s->blocks().size(), 1u);
    const CBlock& hall = *s->blocks().front();
    EXPECT_EQ(hall.kind(), BlockKind::Hall);
    EXPECT_EQ(hall.id, 1);
    EXPECT_EQ(hall.rect(), (Rect{100, 100, 250, 250}));
    EXPECT_FALSE(doc.isModified());
}

TEST(HouseModel, NewHouseTellsTheViewsResetThenEachBlock) {
    CBrenvikaDoc doc;
    std::vector<long long> hints;
    doc.addViewListener([&](ViewHint h, int id) { hints.push_back(encodeViewHint(h, id)); });
    doc.newHouse();
    EXPECT_EQ(hints, (std::vector<long long>{1, 1 * 256 + 2}));
}

TEST(HouseModel, AddedRoomsTakeNumberedNamesAndIdsAreNeverReused) {
    CBrenvikaDoc doc;
    CSection& s = *doc.currentSection();
    CBlock* r1 = s.addBlock(1, East, BlockKind::Room);
    CBlock* r2 = s.addBlock(r1->id, East, BlockKind::Room);
    CBlock* r3 = s.addBlock(r2->id, South, BlockKind::Room);
    EXPECT_EQ(r1->name, "I'm a room");
    EXPECT_EQ(r2->name, "I'm a room 2");
    EXPECT_EQ(r3->name, "I'm a room 3");
    // r3 is a leaf: it has one neighbour and can go; its suffix is free again, its id is not.
    const int r3Id = r3->id;
    EXPECT_FALSE(s.deleteBlock(r2->id)) << "two neighbours";
    EXPECT_FALSE(CBrenvikaDoc{}.currentSection()->deleteBlock(1)) << "the only block";
    ASSERT_TRUE(s.deleteBlock(r3Id));
    CBlock* r4 = s.addBlock(r2->id, South, BlockKind::Room);
    EXPECT_EQ(r4->name, "I'm a room 3");
    EXPECT_GT(r4->id, r3Id);
}

TEST(HouseModel, ObjectsHaveDefaultCategoriesAndUniqueNamesPerList) {
    CHall hall;
    auto& a = hall.addFloorObject(std::make_unique<CHouseObject>());
    auto& b = hall.addFloorObject(std::make_unique<CHouseObject>());
    EXPECT_EQ(a.name, "Object");
    EXPECT_EQ(b.name, "Object 2");
    ASSERT_EQ(a.categories().size(), 3u);
    EXPECT_EQ(a.categories()[2]->title, "Guarantee");
    EXPECT_EQ(a.categories()[2]->entryAt(1).value, "... months");
    auto& under = a.addChild(NestPosition::Under, std::make_unique<CHouseObject>());
    EXPECT_EQ(under.name, "Object") << "another list";
    EXPECT_EQ(hall.minimumBlockSize(), (Size{80, 80}));
}

TEST(HouseModel, RemovingAFloorObjectRenumbersTheOthers) {
    CHall hall;
    for (const char* n : {"a", "b", "c"}) {
        auto o = std::make_unique<CHouseObject>();
        o->name = n;
        hall.addFloorObject(std::move(o));
    }
    ASSERT_NE(hall.removeFloorObject("b"), nullptr);
    EXPECT_EQ(hall.findFloorObject("a")->floorIndex, 0);
    EXPECT_EQ(hall.findFloorObject("c")->floorIndex, 1);
    EXPECT_EQ(hall.removeFloorObject("zzz"), nullptr);
}

TEST(HouseModel, DeletingTheLastCurrentCategoryMovesTheCurrentIndexBack) {
    CHouseObject o;
    o.categoryAt(2);
    o.deleteCategory(-1);
    EXPECT_EQ(o.currentCategory(), 1);
    EXPECT_EQ(o.categories().size(), 2u);
}
