#include "importer/core/HouseImport.h"
#include "importer/core/CsvReader.h"
#include "importer/core/ImportMapping.h"
#include "model/CBlock.h"
#include "model/CBrenvikaDoc.h"
#include "model/CSection.h"
#include "model/ProjectFile.h"
#include "model/ProjectWriter.h"

#include <gtest/gtest.h>

using namespace ardenvo;

namespace {

struct Imported {
    CsvTable table;
    ImportMapping mapping;
    ImportPlan plan;
};

Imported plan(CBrenvikaDoc& doc, const std::string& csv, ImportTarget target = {}) {
    Imported i;
    i.table = readCsv(csv);
    i.mapping = guessMapping(i.table.header, i.table.format.header);
    i.plan = planImport(doc, i.table, i.mapping, target);
    return i;
}

std::vector<std::size_t> notTakenLines(const ImportPlan& plan) {
    std::vector<std::size_t> lines;
    for (const CsvProblem& p : plan.notTaken)
        lines.push_back(p.line);
    return lines;
}

const CField* attribute(const CHouseObject& o, const std::string& category,
                        const std::string& name) {
    for (const auto& c : o.categories())
        if (c->title == category)
            for (const auto& f : c->entries())
                if (f->name.str() == name)
                    return f.get();
    return nullptr;
}

class HouseImportTest : public testing::Test {
protected:
    HouseImportTest() { doc.newHouse(); }
    CSection& house() { return *doc.sectionAt(0); }
    CBlock& hall() { return *house().blockAt(0); }
    CBrenvikaDoc doc;
};

TEST_F(HouseImportTest, GuessesTheMappingFromTheHeader) {
    const auto m = guessMapping(
        {"Item", "Location", "Description", "Inside", "Value/Price paid", "Colour", "Name"}, true,
        "Mine");
    EXPECT_EQ(m.format, KnownFormat::None);
    const std::vector<ColumnTarget> expected = {
        {TargetKind::Name},
        {TargetKind::Room},
        {TargetKind::Notes},
        {TargetKind::Inside},
        {TargetKind::Attribute, "Value", "Price paid"},
        {TargetKind::Attribute, "Mine", "Colour"},
        // A second name column is only an attribute.
        {TargetKind::Attribute, "Mine", "Name"},
    };
    EXPECT_EQ(m.columns, expected);
    EXPECT_EQ(guessMapping({"Section", "Room", "Where", "Name", "Notes", "Value/Price paid"}, true)
                  .format,
              KnownFormat::Ardenvo);
    EXPECT_EQ(parseTarget("On top of")->kind, TargetKind::OnTop);
    EXPECT_EQ(parseTarget("Leave out")->kind, TargetKind::LeaveOut);
    EXPECT_FALSE(parseTarget("somewhere"));
}

TEST_F(HouseImportTest, MakesMissingRoomsBesideTheLastBlockAndLeavesTheHouseUntilApplied) {
    const auto before = writeProject(doc);
    const Imported i = plan(doc, "Name,Room,Section\n"
                                 "Lamp,Study,\n"
                                 "Vase,I'm a hall,\n"
                                 "Bed,Bedroom,Upstairs\n"
                                 "Shelf,Study,\n"
                                 "Cup,,\n");
    EXPECT_EQ(writeProject(doc), before);
    ASSERT_EQ(i.plan.rooms.size(), 3u);
    EXPECT_EQ(i.plan.newRoomCount(), 2u);
    EXPECT_EQ(i.plan.items.size(), 5u);
    applyImport(doc, i.plan);
    EXPECT_TRUE(doc.isModified());

    // The study east of the hall, one unit apart and linked both ways, by the neighbour rules.
    CBlock* study = house().findBlockByName("Study");
    ASSERT_NE(study, nullptr);
    EXPECT_EQ(study->rect(), (Rect{251, -25, 651, 375}));
    EXPECT_EQ(hall().neighbours[1], study->id);
    EXPECT_EQ(study->floorObjects().size(), 2u);
    // The hall is the room of the rows that name none.
    EXPECT_EQ(hall().floorObjects().size(), 2u);
    // A new section gets its hall, and the room beside it.
    ASSERT_EQ(doc.sectionCount(), 2);
    EXPECT_EQ(doc.sectionAt(1)->name, "Upstairs");
    EXPECT_NE(doc.sectionAt(1)->findBlockByName("Bedroom"), nullptr);

    // A second room goes beside the last one, not over the first.
    applyImport(doc, plan(doc, "Name,Room\nPot,Kitchen\n").plan);
    CBlock* kitchen = house().findBlockByName("Kitchen");
    ASSERT_NE(kitchen, nullptr);
    EXPECT_EQ(study->neighbours[1], kitchen->id);
}

TEST_F(HouseImportTest, EverythingInOneRoomAndRowsWithoutARoom) {
    CBlock& room = *doc.addBlock(hall().id, 2, BlockKind::Room);
    ImportTarget target{&house(), &room, true};
    const Imported i = plan(doc, "Name,Room\nLamp,Study\nVase,\n", target);
    EXPECT_EQ(i.plan.newRoomCount(), 0u);
    applyImport(doc, i.plan);
    EXPECT_EQ(room.floorObjects().size(), 2u);
    EXPECT_EQ(house().findBlockByName("Study"), nullptr);
}

TEST_F(HouseImportTest, ParentsMayComeAfterTheirChildrenAndBadChainsAreRefused) {
    const Imported i = plan(doc, "Name,Inside,On top of\n"
                                 "Ring,Box,\n"         // 2: its parent comes later
                                 "Box,,Dresser\n"      // 3
                                 "Dresser,,\n"         // 4
                                 "Sock,Drawer,\n"      // 5: no such object
                                 "Egg,Hen,\n"          // 6: a circle
                                 "Hen,Egg,\n"          // 7
                                 "Chick,Hen,\n"        // 8: its parent is refused
                                 "Pin,Box,Dresser\n"); // 9: two parents
    EXPECT_EQ(notTakenLines(i.plan), (std::vector<std::size_t>{5, 6, 7, 8, 9}));
    EXPECT_NE(i.plan.notTaken[0].reason.find("no object named \"Drawer\""), std::string::npos);
    EXPECT_NE(i.plan.notTaken[1].reason.find("lead back to itself"), std::string::npos);
    EXPECT_NE(i.plan.notTaken[3].reason.find("(line 7) is not taken"), std::string::npos);
    // In a window each reason is one sentence to translate, the names and lines put in after.
    const auto marked = [](const char*, const char* text, int) {
        return "<" + std::string(text) + ">";
    };
    EXPECT_EQ(phraseText(i.plan.notTaken[0].why, marked),
              "<there is no object named \"Drawer\" in House/I'm a hall>");
    EXPECT_EQ(phraseText(i.plan.notTaken[3].why, marked),
              "<the object it lies in, on or under (line 7) is not taken>");
    for (const CsvProblem& p : i.plan.notTaken)
        EXPECT_EQ(phraseText(p.why), p.reason);
    applyImport(doc, i.plan);
    CHouseObject* dresser = hall().findFloorObject("Dresser");
    ASSERT_NE(dresser, nullptr);
    CHouseObject* box = dresser->findChild(NestPosition::OnTop, "Box");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->findChild(NestPosition::Inside, "Ring"), nullptr);
    EXPECT_EQ(hall().floorObjects().size(), 1u);

    // A parent already in the room is found too.
    applyImport(doc, plan(doc, "Name,Under\nDust,Dresser\n").plan);
    EXPECT_NE(dresser->findChild(NestPosition::Under, "Dust"), nullptr);
}

TEST_F(HouseImportTest, AChainDeeperThanAHouseFileHoldsIsRefusedWithItsReason) {
    std::string csv = "Name,Inside\nO0,\n";
    for (int n = 1; n < kMaxObjectNesting + 5; ++n)
        csv += "O" + std::to_string(n) + ",O" + std::to_string(n - 1) + "\n";
    const Imported i = plan(doc, csv);
    EXPECT_EQ(i.plan.items.size(), static_cast<std::size_t>(kMaxObjectNesting));
    ASSERT_EQ(i.plan.notTaken.size(), 5u);
    EXPECT_NE(i.plan.notTaken[0].reason.find("at most 256 deep"), std::string::npos);
    applyImport(doc, i.plan);
    // What was taken reads back.
    CBrenvikaDoc again;
    EXPECT_EQ(readProject(writeProject(doc), again), FileError::None);
}

TEST_F(HouseImportTest, TheSameFileTwiceWarnsAndNumbersTheNames) {
    const std::string csv = "Name,Inside\nBox,\nRing,Box\nLamp,\nLamp,\n";
    Imported first = plan(doc, csv);
    EXPECT_FALSE(first.plan.looksImportedBefore());
    applyImport(doc, first.plan);
    // Names that clash in one list get the usual number.
    EXPECT_NE(hall().findFloorObject("Lamp 2"), nullptr);

    Imported second = plan(doc, csv);
    EXPECT_TRUE(second.plan.looksImportedBefore());
    applyImport(doc, second.plan);
    for (const char* name : {"Box", "Box 2", "Lamp", "Lamp 2", "Lamp 3", "Lamp 4"})
        EXPECT_NE(hall().findFloorObject(name), nullptr) << name;
    // A parent's name means the file's own object first: the new ring lies in the new box.
    EXPECT_NE(hall().findFloorObject("Box 2")->findChild(NestPosition::Inside, "Ring"), nullptr);
}

TEST_F(HouseImportTest, HomeBoxColumnsFillTheDefaultAttributes) {
    const Imported i =
        plan(doc, "HB.import_ref,HB.location,HB.name,HB.description,HB.quantity,HB.purchase_price,"
                  "HB.purchase_time,HB.purchase_from,HB.warranty_expires,HB.serial_number,"
                  "HB.manufacturer,HB.notes,HB.field.Colour\n"
                  "r1,Home / Office,Laptop,Work machine,1,999.00,2023-04-05,Shop,2026-04-05,SN1,"
                  "Acme,Keep the box,grey\n");
    EXPECT_EQ(i.mapping.format, KnownFormat::HomeBox);
    applyImport(doc, i.plan);
    ASSERT_EQ(doc.sectionCount(), 2);
    CBlock* office = doc.sectionAt(1)->findBlockByName("Office");
    ASSERT_NE(office, nullptr);
    EXPECT_EQ(doc.sectionAt(1)->name, "Home");
    const CHouseObject& laptop = *office->floorObjects().at(0);
    EXPECT_EQ(laptop.name, "Laptop");
    EXPECT_EQ(laptop.notes, "Work machine\nKeep the box");
    const std::vector<std::tuple<std::string, std::string, std::string>> expected = {
        {"Value", "Price paid", "999.00"},    {"Guarantee", "When bought", "20230405"},
        {"Location", "Where bought", "Shop"}, {"Guarantee", "Guarantee", "until 2026-04-05"},
        {"Imported", "Serial number", "SN1"}, {"Imported", "Manufacturer", "Acme"},
        {"Imported", "Quantity", "1"},        {"Imported", "Colour", "grey"},
        {"Imported", "Import ref", "r1"},     {"Value", "Insurance value", ""},
    };
    for (const auto& [category, name, value] : expected) {
        const CField* f = attribute(laptop, category, name);
        ASSERT_NE(f, nullptr) << category << "/" << name;
        EXPECT_EQ(f->value.str(), value) << category << "/" << name;
    }
}

} // namespace
