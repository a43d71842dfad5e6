// The rows of the "Picture" group without widgets: what is listed, rows that outlive their
// owner or record, and the edits of its commands.
#include "catalogue/pictures/PictureRows.h"

#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

class PictureRowsTest : public testing::Test {
protected:
    // A room with a door picture; a wardrobe with a box under, a lamp on top and a coat inside;
    // a chair without pictures.
    void SetUp() override {
        room->pictures.append("Door", "door.png");
        wardrobe = &add(room->addFloorObject(object("Wardrobe")), "wardrobe.png");
        lamp = &add(wardrobe->addChild(NestPosition::OnTop, object("Lamp")), "shade.png");
        add(wardrobe->addChild(NestPosition::Under, object("Box")), "box.png");
        add(wardrobe->addChild(NestPosition::Inside, object("Coat")), "coat.png");
        chair = &room->addFloorObject(object("Chair"));
        rows.fill(*room, {});
    }
    static std::unique_ptr<CHouseObject> object(const char* name) {
        auto o = std::make_unique<CHouseObject>();
        o->name = name;
        return o;
    }
    static CHouseObject& add(CHouseObject& o, const char* file) {
        o.pictures.append(o.name + " photo", file);
        return o;
    }
    std::vector<std::string> listed() const {
        std::vector<std::string> texts;
        for (const PictureRow& row : rows.rows())
            texts.push_back(PictureRows::labelOf(row) + "|" + row.field->value.str());
        return texts;
    }

    std::unique_ptr<CBlock> room = CBlock::create(BlockKind::Room);
    CHouseObject *wardrobe = nullptr, *lamp = nullptr, *chair = nullptr;
    PictureRows rows;
};

TEST_F(PictureRowsTest, ListsTheBlockThenEachObjectBeforeWhatLiesUnderInsideAndOnTop) {
    using Rows = std::vector<std::string>;
    EXPECT_EQ(listed(), (Rows{"Room|door.png", "Wardrobe|wardrobe.png", "Box|box.png",
                              "Coat|coat.png", "Lamp|shade.png"}));
    EXPECT_EQ(rows.selected(), 0);
    EXPECT_TRUE(rows.isBlockRow(0));
    EXPECT_FALSE(rows.isBlockRow(1));

    rows.fill(*room, {false, true, nullptr});
    EXPECT_EQ(listed(), Rows{"Room|door.png"});
    rows.fill(*room, {false, false, lamp});
    EXPECT_EQ(listed(), Rows{"Lamp|shade.png"});
    EXPECT_EQ(rows.selectedPicture().owner, lamp);
    rows.fill(*room, {false, false, chair});
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(rows.selected(), -1);
    EXPECT_EQ(rows.selectedPicture().field, nullptr);
}

TEST_F(PictureRowsTest, ARowWhoseOwnerOrRecordLeftTheBlockNamesNothing) {
    rows.select(4); // the lamp's
    std::unique_ptr<CHouseObject> gone = wardrobe->removeChild(NestPosition::OnTop, lamp);
    EXPECT_EQ(rows.selectedPicture().field, nullptr);
    EXPECT_FALSE(rows.fillKeepingSelection(*room, {}));
    EXPECT_EQ(rows.count(), 4);
    EXPECT_EQ(rows.selected(), 0);

    rows.select(1);
    std::unique_ptr<CField> record = wardrobe->pictures.unlinkEntry(&wardrobe->pictures.entryAt(0));
    EXPECT_EQ(rows.pictureAt(1).field, nullptr);
    EXPECT_NE(rows.pictureAt(2).field, nullptr);
    // A renamed owner keeps its rows and the selection.
    rows.select(2);
    wardrobe->rename("Cupboard");
    EXPECT_TRUE(rows.fillKeepingSelection(*room, {}));
    EXPECT_EQ(rows.selectedPicture().field->value, "box.png");
}

TEST_F(PictureRowsTest, AddEditAndDeleteChangeTheListThatHoldsThePicture) {
    // Added to the selected object, or to the block with the root selected.
    CField& seat = rows.add(std::make_unique<CField>("Seat", "seat.png"), {true, false, chair});
    ASSERT_EQ(chair->pictures.size(), 1u);
    EXPECT_EQ(rows.selectedPicture().field, &seat);
    EXPECT_EQ(rows.selectedPicture().owner, chair);
    rows.add(std::make_unique<CField>("Plan", "plan.png"), {true, true, chair});
    EXPECT_EQ(room->pictures.size(), 2u);
    EXPECT_EQ(rows.selected(), 1);

    // A record left nameless is named; the row stays selected.
    seat.name.clear();
    rows.select(6);
    rows.edited(seat, {});
    EXPECT_EQ(seat.name, "picture with no name");
    EXPECT_EQ(rows.selectedPicture().field, &seat);

    // With all shown and the root selected, the lamp's picture still goes from the lamp.
    rows.select(5);
    EXPECT_TRUE(rows.removeSelected({true, true, nullptr}));
    EXPECT_TRUE(lamp->pictures.empty());
    EXPECT_EQ(rows.count(), 6);
    EXPECT_EQ(rows.selected(), 0);
    rows.fill(*room, {false, false, lamp});
    EXPECT_FALSE(rows.removeSelected({false, false, lamp}));
}

} // namespace
} // namespace ardenvo::test
