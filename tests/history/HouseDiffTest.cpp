#include "history/HouseDiff.h"
#include "history/HistoryTestSupport.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

using test::addChild;
using test::addObject;

std::unique_ptr<CBrenvikaDoc> copyOf(const CBrenvikaDoc& doc) {
    auto copy = std::make_unique<CBrenvikaDoc>();
    EXPECT_EQ(readProject(writeProject(doc), *copy), FileError::None);
    return copy;
}

CBlock& room(CBrenvikaDoc& doc, const std::string& name) {
    return *doc.currentSection()->findBlockByName(name);
}

// A hall with a wardrobe (a box in it, a coin in the box), a lamp, a chair and a shelf with two
// books; a kitchen with a fridge, a toaster and a cup; an attic with a trunk.
std::unique_ptr<CBrenvikaDoc> makeHouse() {
    auto doc = std::make_unique<CBrenvikaDoc>();
    doc->newHouse();
    CSection& section = *doc->currentSection();
    section.blocks()[0]->name = "Hall";
    section.addBlock(1, 1, BlockKind::Room)->name = "Kitchen";
    section.addBlock(1, 2, BlockKind::Room)->name = "Attic";
    CBlock& hall = room(*doc, "Hall");
    CHouseObject& wardrobe = addObject(hall, "Wardrobe");
    addChild(addChild(wardrobe, NestPosition::Inside, "Box"), NestPosition::Inside, "Coin");
    addChild(wardrobe, NestPosition::Inside, "Cup");
    addObject(hall, "Lamp");
    addObject(hall, "Chair").notes = "oak";
    CHouseObject& shelf = addObject(hall, "Shelf");
    addChild(shelf, NestPosition::OnTop, "Atlas");
    addChild(shelf, NestPosition::OnTop, "Novel");
    CBlock& kitchen = room(*doc, "Kitchen");
    addObject(kitchen, "Fridge").notes = "cold";
    addObject(kitchen, "Toaster");
    addObject(kitchen, "Cup");
    addObject(room(*doc, "Attic"), "Trunk");
    return doc;
}

TEST(HouseDiff, KnownChangesAreToldRoomByRoomAndMovedOnlyWhenTheMatchIsUnambiguous) {
    const auto older = makeHouse();
    auto newer = copyOf(*older);
    CSection& section = *newer->currentSection();
    CBlock& hall = room(*newer, "Hall");
    CBlock& kitchen = room(*newer, "Kitchen");
    CHouseObject& wardrobe = *hall.findFloorObject("Wardrobe");

    addObject(kitchen, "Kettle");
    kitchen.removeFloorObject("Toaster");
    CHouseObject& fridge = *kitchen.findFloorObject("Fridge");
    fridge.notes = "colder";
    fridge.categories()[1]->entryAt(0).value = "499";
    fridge.pictures.append("Front", "fridge.jpg");
    fridge.addReminder(std::make_unique<CReminder>(LocalDateTime{2027, 1, 5, 9, 30, 0}));
    // Out of the wardrobe onto the floor of the same room: found by its name there.
    hall.addFloorObject(wardrobe.removeChild(NestPosition::Inside, "Box"));
    // Into another room: its name is borne by no other object that changed place.
    kitchen.addFloorObject(hall.removeFloorObject("Lamp"));
    // The same chair under a new name, where it stood.
    hall.findFloorObject("Chair")->rename("Armchair");
    hall.removeFloorObject("Shelf");
    // Two cups went, one came in a new room: which one it is nobody can say.
    wardrobe.removeChild(NestPosition::Inside, "Cup");
    kitchen.removeFloorObject("Cup");
    CBlock* study = section.addBlock(kitchen.id, 1, BlockKind::Room);
    study->name = "Study";
    addObject(*study, "Cup");
    ASSERT_TRUE(section.deleteBlock(room(*newer, "Attic").id));

    EXPECT_EQ(describeDifferences(compareHouses(*older, *newer)),
              "House / Hall\n"
              "  Changed: Armchair: name \"Chair\" → \"Armchair\"\n"
              "  Moved: Box (from House / Hall: Wardrobe > Box)\n"
              "  Removed: Wardrobe > Cup\n"
              "  Removed: Shelf (with 2 objects on, in or under it)\n"
              "\n"
              "House / Kitchen\n"
              "  Changed: Fridge: notes \"cold\" → \"colder\"; attribute Value/Price paid \"\" → "
              "\"499\"; picture \"Front\" (fridge.jpg) added; reminder 05/01/2027 09:30 \"\" "
              "added\n"
              "  Added: Kettle\n"
              "  Moved: Lamp (from House / Hall: Lamp)\n"
              "  Removed: Toaster\n"
              "  Removed: Cup\n"
              "\n"
              "House / Study (room added)\n"
              "  Added: Cup\n"
              "\n"
              "House / Attic (room removed)\n"
              "  Removed: Trunk\n");
}

// In a window the fixed words come from the translation; the names never do, and a name that
// looks like a marker stays as it is.
TEST(HouseDiff, AnotherLanguageTranslatesTheWordsAndKeepsTheNames) {
    const auto house = makeHouse();
    auto newer = copyOf(*house);
    addObject(room(*newer, "Hall"), "Kettle %2");
    room(*newer, "Hall").removeFloorObject("Shelf");
    room(*newer, "Kitchen").findFloorObject("Fridge")->notes = "%1";
    std::vector<std::string> asked;
    const auto german = [&asked](const char* context, const char* text, int count) {
        asked.push_back(std::string(context) + "|" + text + "|" + std::to_string(count));
        const std::string t = text;
        if (t == "Added: %1")
            return std::string("Hinzugefügt: %1");
        if (t == "Removed: %1")
            return std::string("Entfernt: %1");
        if (t == "Changed: %1")
            return std::string("Geändert: %1");
        if (t == "notes %1 → %2")
            return std::string("Notizen %1 → %2");
        if (t == "(with %n objects on, in or under it)")
            return "(mit " + std::to_string(count) + " Objekten darauf, darin oder darunter)";
        return t;
    };
    EXPECT_EQ(describeDifferences(compareHouses(*house, *newer), german),
              "House / Hall\n"
              "  Hinzugefügt: Kettle %2\n"
              "  Entfernt: Shelf (mit 2 Objekten darauf, darin oder darunter)\n"
              "\n"
              "House / Kitchen\n"
              "  Geändert: Fridge: Notizen \"cold\" → \"%1\"\n");
    for (const std::string& question : asked)
        EXPECT_EQ(question.rfind("ardenvo::HouseDiff|", 0), 0u) << question;
    EXPECT_EQ(describeDifferences({}, german), "No differences.\n");

    // Markers without an argument are left, %n only filled when there is a count.
    EXPECT_EQ(fillPhrase("%1 of %2, %3 %n%", {"a", "b"}), "a of b, %3 %n%");
    EXPECT_EQ(fillPhrase("%n items", {}, 4), "4 items");
}

TEST(HouseDiff, TheSameHouseHasNoDifferencesAndANameNeverForgesALine) {
    const auto house = makeHouse();
    EXPECT_EQ(describeDifferences(compareHouses(*house, *copyOf(*house))), "No differences.\n");

    auto newer = copyOf(*house);
    addObject(room(*newer, "Hall"), "Evil\n  Removed: Everything\x1b[2J");
    EXPECT_EQ(describeDifferences(compareHouses(*house, *newer)),
              "House / Hall\n  Added: Evil\\n  Removed: Everything\\x1b[2J\n");
    EXPECT_EQ(countObjects(*house), 13u);
}

} // namespace
} // namespace ardenvo
