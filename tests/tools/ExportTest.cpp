// json and csv: the shape a script relies on, texts in UTF-8 whatever wrote them, RFC 4180 quoting.
#include "ToolRunner.h"

#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <memory>
#include <set>

namespace ardenvo::test {
namespace {

using nlohmann::json;

std::set<std::string> keysOf(const json& object) {
    std::set<std::string> keys;
    for (const auto& item : object.items())
        keys.insert(item.key());
    return keys;
}

std::unique_ptr<CHouseObject> object(const std::string& name) {
    auto o = std::make_unique<CHouseObject>();
    o->name = name;
    return o;
}

// A room with a table; on it a box (Windows-1252 name), inside that a ring with a reminder after
// 2038; under the table a basket.
std::string saveJsonHouse(const TempDir& dir) {
    CBrenvikaDoc doc;
    doc.newHouse();
    doc.setUnitIndex(3);
    CSection& section = *doc.currentSection();
    section.name = "Ground floor";
    section.zoom = 0.5;
    CBlock* room = doc.addBlock(1, East, BlockKind::Room);
    room->name = "K\xFC"
                 "che"; // Windows-1252 "Küche"
    room->alignments[South] = {2, -15};
    room->changed = 0;
    room->pictures.append("Door", "door.jpg");

    auto table = object("Table");
    table->color = 0x00332211;
    table->location.rect = {10, 20, 110, 80};
    table->notes = "Caf\xC3\xA9 \"corner\" \\ line\nnext\ttab"; // UTF-8 with JSON specials
    table->categoryAt(1)->entryAt(0).value = "129.50";
    auto box = object("Box \x80 \x81 \xC0\xAF"); // euro, an undefined byte, an overlong slash
    auto ring = object("Ring");
    auto reminder = std::make_unique<CReminder>(LocalDateTime{2040, 2, 29, 10, 20, 30});
    reminder->type = 1;
    reminder->periodicMode = 1;
    reminder->repeatEachCount = 2;
    reminder->repeatEachUnit = 3;
    reminder->repeatOnNumber = 4;
    reminder->repeatOnAnchor = 1;
    reminder->repeatOnUnit = 0;
    reminder->notes = "Polish it";
    reminder->objectName = "Ring";
    ring->addReminder(std::move(reminder));
    box->addChild(NestPosition::Inside, std::move(ring));
    table->addChild(NestPosition::OnTop, std::move(box));
    table->addChild(NestPosition::Under, object("Basket"));
    room->addFloorObject(std::move(table));

    const std::string path = dir.file("json.av");
    EXPECT_EQ(saveProject(path, doc), FileError::None);
    return path;
}

TEST(ToolJson, WholeHouseInTheDocumentedShape) {
    TempDir dir;
    ToolResult r = runTool({"json", saveJsonHouse(dir)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const json house = json::parse(r.out); // throws (fails the test) on anything but valid JSON

    EXPECT_EQ(keysOf(house),
              (std::set<std::string>{"formatId", "version", "currentSection", "unit", "sections"}));
    EXPECT_EQ(house["formatId"], 1);
    EXPECT_EQ(house["version"], 2);
    EXPECT_EQ(house["unit"], 3);

    ASSERT_EQ(house["sections"].size(), 1u);
    const json& section = house["sections"][0];
    EXPECT_EQ(keysOf(section), (std::set<std::string>{"name", "background", "zoom", "offsetX",
                                                      "offsetY", "nextBlockId", "blocks"}));
    EXPECT_EQ(section["name"], "Ground floor");
    EXPECT_EQ(section["zoom"], 0.5);
    EXPECT_EQ(section["nextBlockId"], 3);

    ASSERT_EQ(section["blocks"].size(), 2u);
    const json& hall = section["blocks"][0];
    const json& room = section["blocks"][1];
    EXPECT_EQ(keysOf(room),
              (std::set<std::string>{"id", "kind", "name", "colour", "rect", "changed",
                                     "neighbours", "alignments", "pictures", "objects"}));
    EXPECT_EQ(hall["neighbours"], json::parse("[0, 2, 0, 0]"));
    EXPECT_EQ(room["kind"], 2);
    EXPECT_EQ(room["name"], "K\xC3\xBC"
                            "che");
    EXPECT_EQ(room["changed"], false);
    EXPECT_EQ(room["neighbours"], json::parse("[0, 0, 0, 1]"));
    ASSERT_EQ(room["alignments"].size(), 4u);
    EXPECT_EQ(room["alignments"][2], json::parse(R"({"mode": 2, "shift": -15})"));
    EXPECT_EQ(room["pictures"], json::parse(R"([{"name": "Door", "file": "door.jpg"}])"));

    ASSERT_EQ(room["objects"].size(), 1u);
    const json& table = room["objects"][0];
    EXPECT_EQ(keysOf(table),
              (std::set<std::string>{"name", "notes", "colour", "rect", "categories", "pictures",
                                     "reminders", "under", "inside", "onTop"}));
    EXPECT_EQ(table["colour"], 0x00332211);
    EXPECT_EQ(table["rect"], json::parse("[10, 20, 110, 80]"));
    EXPECT_EQ(table["notes"], "Caf\xC3\xA9 \"corner\" \\ line\nnext\ttab");
    ASSERT_EQ(table["categories"].size(), 3u);
    EXPECT_EQ(table["categories"][1]["title"], "Value");
    EXPECT_EQ(table["categories"][1]["fields"][0],
              json::parse(R"({"category": "", "name": "Price paid", "value": "129.50"})"));
    EXPECT_EQ(table["inside"], json::array());
    ASSERT_EQ(table["under"].size(), 1u);
    EXPECT_EQ(table["under"][0]["name"], "Basket");

    ASSERT_EQ(table["onTop"].size(), 1u);
    const json& box = table["onTop"][0];
    // Not UTF-8, so each byte is a Windows-1252 character; the undefined 0x81 keeps its value.
    EXPECT_EQ(box["name"], "Box \xE2\x82\xAC \xC2\x81 \xC3\x80\xC2\xAF");
    ASSERT_EQ(box["inside"].size(), 1u);
    const json& ring = box["inside"][0];
    ASSERT_EQ(ring["reminders"].size(), 1u);
    EXPECT_EQ(ring["reminders"][0], json::parse(R"({
        "type": 1, "start": "2040-02-29T10:20:30", "notes": "Polish it", "objectName": "Ring",
        "periodicMode": 1, "repeatEachCount": 2, "repeatEachUnit": 3, "repeatOnNumber": 4,
        "repeatOnAnchor": 1, "repeatOnUnit": 0})"));
}

TEST(ToolJson, FormatIdAndVersionAreShownAsStored) {
    // Either number alone admits a file; a script may want to know which one it had.
    TempDir dir;
    CBrenvikaDoc doc;
    doc.newHouse();
    std::string bytes = writeProject(doc);
    bytes[4] = 7;
    const std::string path = dir.file("v7.av");
    writeBytes(path, bytes);
    ToolResult r = runTool({"json", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const json house = json::parse(r.out);
    EXPECT_EQ(house["formatId"], 1);
    EXPECT_EQ(house["version"], 7);
}

TEST(ToolCsv, OneQuotedRowPerObjectWithItsPlaceAndAttributeColumns) {
    TempDir dir;
    CBrenvikaDoc doc;
    doc.newHouse();
    doc.currentSection()->name = "Flat, upstairs";
    CBlock* hall = doc.currentSection()->blocks().front().get();
    hall->name = "Hall";

    auto table = object("Table");
    table->clearCategories();
    table->appendCategory(std::make_unique<CFieldList>("Value")).append("Price paid", "1,200.00");
    auto box = object("Box \"old\"");
    box->clearCategories();
    box->appendCategory(std::make_unique<CFieldList>("Notes")).append("Colour", "red\r\nand blue");
    auto ring = object("Ring");
    ring->notes = "Gold";
    ring->clearCategories();
    auto& value = ring->appendCategory(std::make_unique<CFieldList>("Value"));
    value.append("Price paid", "300");
    value.append("Price paid", "320"); // the same attribute twice: both values kept
    box->addChild(NestPosition::Inside, std::move(ring));
    table->addChild(NestPosition::OnTop, std::move(box));
    hall->addFloorObject(std::move(table));
    auto chest = object("Caf\xE9 chest"); // Windows-1252
    chest->clearCategories();
    auto rug = object("Rug");
    rug->clearCategories();
    chest->addChild(NestPosition::Under, std::move(rug));
    hall->addFloorObject(std::move(chest));

    const std::string path = dir.file("csv.av");
    ASSERT_EQ(saveProject(path, doc), FileError::None);
    ToolResult r = runTool({"csv", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");

    const std::string expected =
        "Section,Room,Where,Name,Notes,Value/Price paid,Notes/Colour\r\n"
        "\"Flat, upstairs\",Hall,On the floor,Table,,\"1,200.00\",\r\n"
        "\"Flat, upstairs\",Hall,on the Table,\"Box \"\"old\"\"\",,,\"red\r\nand blue\"\r\n"
        "\"Flat, upstairs\",Hall,\"inside the Box \"\"old\"\", on the Table\",Ring,Gold,"
        "300; 320,\r\n"
        "\"Flat, upstairs\",Hall,On the floor,Caf\xC3\xA9 chest,,,\r\n"
        "\"Flat, upstairs\",Hall,under the Caf\xC3\xA9 chest,Rug,,,\r\n";
    EXPECT_EQ(r.out, expected);
}

TEST(ToolCsv, EmptyHouseGivesTheHeaderOnly) {
    TempDir dir;
    const std::string path = dir.file("empty.av");
    ASSERT_EQ(runTool({"new", path}).exitCode, 0);
    ToolResult r = runTool({"csv", path});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Section,Room,Where,Name,Notes\r\n");
}

} // namespace
} // namespace ardenvo::test
