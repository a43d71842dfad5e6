// The labels' texts, their QR texts, the sheets and the codes, without drawing anything.
#include "LabelHouse.h"
#include "labels/core/LabelCodes.h"
#include "labels/core/LabelSheet.h"
#include "labels/core/LabelSubjects.h"
#include "labels/core/QrCode.h"

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

class LabelCoreTest : public ::testing::Test {
protected:
    void SetUp() override { test::fillLabelHouse(m_doc, "/tmp/house.av"); }

    LabelSubject subject(const std::string& path, bool object = true) const {
        const auto found = findLabelSubject(m_doc, path, object);
        EXPECT_TRUE(found) << path;
        return found.value_or(LabelSubject{});
    }
    LabelContent content(const std::string& path, bool object = true) const {
        return makeLabelContent(subject(path, object));
    }

    CBrenvikaDoc m_doc;
};

TEST_F(LabelCoreTest, NamesAreEscapedSoTheyNeverBreakALine) {
    const std::pair<std::string, std::string> cases[] = {
        {test::kControls, "Line\\nbreak\\x1b[2J\\t\\x01"},
        {"a\rb\x7f", "a\\rb\\x7f"},
        {"left\xe2\x80\xa8right\xe2\x80\xae", "left\\u2028right\\u202e"}, // separator, override
        {"caf\xe9", "café"},                                              // Windows-1252
        {test::kScripts, test::kScripts},
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(labelName(name), shown) << name;
}

TEST_F(LabelCoreTest, PlaceAndContentsFollowTheTree) {
    const LabelContent box = content("Ground/Garage/Shelf/Box");
    EXPECT_EQ(box.name, "Box");
    EXPECT_EQ(box.place, "Garage, on the Shelf");
    EXPECT_EQ(contentLines(box, 10), (std::vector<std::string>{"- Tin", "  - Buttons", "- Scarf"}));
    EXPECT_EQ(content("Ground/Garage/Shelf/Box/Tin/Buttons").place,
              "Garage, on the Shelf, inside the Box, inside the Tin");

    const LabelContent shelf = content("Ground/Garage/Shelf");
    EXPECT_EQ(shelf.place, "Garage");
    EXPECT_EQ(contentLines(shelf, 3), (std::vector<std::string>{"- Box", "  - Tin", "and 3 more"}));
    EXPECT_EQ(contentLines(shelf, 1), (std::vector<std::string>{"and 5 more"}));
    EXPECT_TRUE(contentLines(content("Ground/Garage/Shelf/Empty box"), 5).empty());

    // A room shows its floor objects only.
    const LabelContent garage = content("Ground/Garage", false);
    EXPECT_EQ(garage.place, "Ground");
    EXPECT_EQ(garage.total, 4u);
    EXPECT_EQ(contentLines(garage, 2)[0], "- Shelf");

    // A box of 500 keeps the first names and counts the rest.
    const LabelContent big = content("Ground/Garage/Big box");
    EXPECT_EQ(big.total, 500u);
    EXPECT_EQ(big.contents.size(), kMaxContentLines);
    EXPECT_EQ(contentLines(big, 3).back(), "and 498 more");

    // What the last line stands for, so a printed label can say it in the user's words.
    EXPECT_EQ(leftOutLines(shelf, 3), 3u);
    EXPECT_EQ(leftOutLines(shelf, 1), 5u);
    EXPECT_EQ(leftOutLines(shelf, 5), 0u);
    EXPECT_EQ(leftOutLines(shelf, 0), 0u);
    EXPECT_EQ(leftOutLines(big, 3), 498u);
    // 400 names kept of 500: even room for all 500 lines ends with a count.
    EXPECT_EQ(leftOutLines(big, 1000), 100u);
    EXPECT_EQ(contentLines(big, 1000).back(), "and 100 more");
}

TEST_F(LabelCoreTest, QrTextShortensTheContentsFirst) {
    LabelContent box = content("Ground/Garage/Shelf/Box");
    EXPECT_EQ(qrPayload(box, "house", 77),
              "Box\nGarage, on the Shelf\n- Tin\n  - Buttons\n- Scarf\nhouse");
    box.code = "AV-0007";
    EXPECT_EQ(qrPayload(box, "house", 77),
              "Box\nGarage, on the Shelf\nAV-0007\n- Tin\n  - Buttons\n- Scarf\nhouse");
    // 33 modules hold 62 bytes: only part of the contents.
    EXPECT_EQ(qrPayload(box, "house", 33),
              "Box\nGarage, on the Shelf\nAV-0007\n- Tin\nand 2 more\nhouse");

    const LabelContent big = content("Ground/Garage/Big box");
    for (int modules : {45, 77, 177}) {
        const std::string text = qrPayload(big, "house", modules);
        EXPECT_LE(text.size(), qrCapacity(modules)) << modules;
        EXPECT_EQ(text.rfind("Big box\nGarage\n", 0), 0u) << modules;
        EXPECT_NE(text.find(" more\nhouse"), std::string::npos) << text;
        EXPECT_LE(encodeQr(text).width, modules);
    }
    // Only when even the name does not fit is it cut.
    LabelContent longName = box;
    longName.name = std::string(300, 'n');
    const std::string cut = qrPayload(longName, "house", 25);
    EXPECT_LE(cut.size(), qrCapacity(25));
    EXPECT_EQ(cut.substr(0, 4), "nnnn");
    EXPECT_EQ(qrCapacity(21), 11u); // 14 bytes less the mark of UTF-8
    EXPECT_EQ(qrCapacity(20), 0u);
    EXPECT_EQ(houseTitle("/home/me/family-house.av"), "family-house");
    EXPECT_EQ(houseTitle(""), "Untitled");
}

TEST_F(LabelCoreTest, QuickChoicesAndPathsFindTheirSubjects) {
    std::vector<std::string> names;
    for (const LabelSubject& s : containerSubjects(m_doc))
        names.push_back(s.object->name);
    EXPECT_EQ(names, (std::vector<std::string>{"Shelf", "Box", "Tin", "Big box", test::kScripts,
                                               test::kControls}));
    EXPECT_EQ(roomSubjects(m_doc).size(), 2u);
    EXPECT_FALSE(findLabelSubject(m_doc, "Ground/Garage/Shelf/Nothing", true));
    EXPECT_FALSE(findLabelSubject(m_doc, "Ground/Cellar", false));
    EXPECT_FALSE(findLabelSubject(m_doc, "Ground", false));
}

TEST_F(LabelCoreTest, SheetsPlaceTheirLabelsAndRefuseWhatDoesNotFit) {
    for (const LabelSheet& sheet : builtInSheets())
        EXPECT_EQ(sheetProblem(sheet), "") << sheet.name;
    EXPECT_EQ(builtInSheets().size(), 6u);

    const LabelSheet& twoBySeven = *findSheet("a4-2x7");
    const std::vector<LabelPlace> places = labelPlaces(twoBySeven, 20, 3);
    EXPECT_EQ(places[0].page, 0); // label 3: the second row's first
    EXPECT_DOUBLE_EQ(places[0].x, 4.65);
    EXPECT_DOUBLE_EQ(places[0].y, 15.15 + 38.1);
    EXPECT_DOUBLE_EQ(places[1].x, 4.65 + 101.6);
    EXPECT_EQ(places[11].page, 0);
    EXPECT_EQ(places[12].page, 1);
    EXPECT_DOUBLE_EQ(places[12].y, 15.15);
    EXPECT_EQ(startProblem(twoBySeven, 14), "");
    EXPECT_NE(startProblem(twoBySeven, 15), "");
    EXPECT_NE(startProblem(twoBySeven, 0), "");

    const std::pair<const char*, const char*> refused[] = {
        {"210x297 3x8 75x37 0,0 75x37", "columns end 225 mm from the left edge"},
        {"210x297 3x8 70x37 0,10 70x37", "rows end 306 mm from the top edge"},
        {"210x297 3x8 70x37 0,0 60x37", "overlap"},
        {"210x297 3x8 10x8 0,0 10x8", "at least 25 x 15 mm"},
        {"0x297 3x8 70x37 0,0 70x37", "more than 0"},
        {"210x297 0x8 70x37 0,0 70x37", "columns and rows"},
    };
    for (const auto& [text, reason] : refused) {
        const auto sheet = sheetFromText(text);
        ASSERT_TRUE(sheet) << text;
        EXPECT_NE(sheetProblem(*sheet).find(reason), std::string::npos) << sheetProblem(*sheet);
    }
    for (const char* bad : {"", "210x297", "210x297 3x8 70x37 0;0 70x37", "a x b c d e",
                            "210x297 2.5x8 70x37 0,0 70x37", "210xnan 3x8 70x37 0,0 70x37"})
        EXPECT_FALSE(sheetFromText(bad)) << bad;
    const LabelSheet custom = *sheetFromText(sheetToText(*findSheet("letter-3x10")));
    EXPECT_EQ(sheetToText(custom), "215.9x279.4 3x10 66.7x25.4 4.76,12.7 69.85x25.4");
}

TEST_F(LabelCoreTest, CodesAreKeptUniqueAndTheSameEveryTime) {
    const std::vector<LabelSubject> subjects = {
        subject("Ground/Garage", false), subject("Ground/Garage/Shelf/Box"),
        subject("Ground/Garage/Shelf/Box/Tin"), subject("Ground/Garage/Shelf/Box/Scarf"),
        subject("Ground/Garage/Big box")};
    storeLabelCodes({subjects[2], subjects[3]}, {"AV-0002", "av-0002"}); // a copied code
    const std::vector<std::string> codes = planLabelCodes(m_doc, subjects);
    EXPECT_EQ(codes, (std::vector<std::string>{"", "AV-0001", "AV-0002", "AV-0003", "AV-0004"}));
    EXPECT_EQ(planLabelCodes(m_doc, subjects), codes);

    EXPECT_EQ(storeLabelCodes(subjects, codes), 3u);
    EXPECT_EQ(storedCode(*subjects[1].object), "AV-0001");
    EXPECT_EQ(storedCode(*subjects[3].object), "AV-0003");
    EXPECT_EQ(subjects[1].object->categories().back()->title, "Label");
    EXPECT_EQ(planLabelCodes(m_doc, subjects), codes);
    EXPECT_EQ(storeLabelCodes(subjects, codes), 0u);
    EXPECT_EQ(labelCode(12345), "AV-12345");
}

} // namespace
} // namespace ardenvo
