// The search of a house file without the house gives the report of the house read from it, byte
// for byte, whatever the house and the criteria.
#include "FixtureHouse.h"
#include "model/FileTestHouse.h"

#include "model/ProjectFile.h"
#include "search/engine/FileSearch.h"
#include "search/engine/ReportWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace ardenvo {
namespace {

SearchCriteria criteria(bool names, const char* nameText, bool notes, const char* notesText,
                        const char* field = nullptr, int comparison = -1, const char* value = "") {
    SearchCriteria c;
    c.title = "Found <all>";
    c.byName = names;
    c.nameText = nameText;
    c.byNotes = notes;
    c.notesText = notesText;
    c.byField = field != nullptr;
    c.fieldText = field ? field : "";
    c.byValue = comparison >= 0;
    c.comparison = static_cast<Comparison>(comparison < 0 ? 0 : comparison);
    c.valueText = value;
    return c;
}

const std::vector<SearchCriteria>& everyKindOfSearch() {
    static const std::vector<SearchCriteria> all = [] {
        std::vector<SearchCriteria> c = {criteria(true, "lamp", false, ""),
                                         criteria(true, "", false, ""),
                                         criteria(true, "k\xC3\xBC", false, ""),
                                         criteria(false, "", true, "o"),
                                         criteria(true, "zzz", true, "zzz"),
                                         criteria(false, "", false, "", "paid"),
                                         criteria(true, "drawer", true, "shoes", "colour"),
                                         criteria(false, "", false, "", "nowhere", 6)};
        for (int comparison = 0; comparison < kComparisonCount; ++comparison)
            for (const char* value : {"1", "ab", "20"})
                c.push_back(criteria(true, "knife", false, "", "paid", comparison, value));
        return c;
    }();
    return all;
}

// The report of the house read from `bytes`, and the one of the same search of the bytes.
void expectSameReports(const std::string& bytes, const std::string& what) {
    CBrenvikaDoc doc;
    ASSERT_EQ(readProject(bytes, doc), FileError::None) << what;
    std::vector<std::size_t> shape;
    for (const auto& section : doc.sections())
        shape.push_back(section->blocks().size());
    SearchScope firstBlock(shape);
    firstBlock.setSearched(0, 0, true);
    SearchScope lastSection(shape);
    for (std::size_t b = 0; b < shape.back(); ++b)
        lastSection.setSearched(shape.size() - 1, b, true);
    const SearchScope scopes[] = {SearchScope::wholeHouse(shape), firstBlock, lastSection,
                                  SearchScope(shape)};
    for (const SearchCriteria& c : everyKindOfSearch()) {
        for (const SearchScope& scope : scopes) {
            FileSearch search(c);
            ASSERT_EQ(search.scan(bytes), FileError::None);
            ASSERT_EQ(search.shape(), shape);
            const std::string fromFile = writeReport(search.report(scope));
            ASSERT_EQ(fromFile, writeReport(searchReport(doc, c, scope)))
                << what << ", names '" << c.nameText << "', notes '" << c.notesText << "', field '"
                << c.fieldText << "' " << static_cast<int>(c.comparison) << " '" << c.valueText
                << "'";
        }
    }
}

std::unique_ptr<CHouseObject> object(std::string name, std::string notes = {},
                                     std::string price = {}) {
    auto o = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    o->name = std::move(name);
    o->notes = std::move(notes);
    if (!price.empty()) {
        auto value = std::make_unique<CFieldList>("Value <&>");
        value->append("Colour", "red");
        value->append("Price paid", price);
        o->appendCategory(std::move(value));
    }
    return o;
}

// Nesting to the limit, odd bytes everywhere and texts past every length limit.
std::string awkwardHouse() {
    CBrenvikaDoc doc;
    CSection& section = *doc.currentSection();
    section.name = "Floor \x1b[31m \xE9t\xE9";
    CBlock& hall = *section.blocks().front();
    hall.name = std::string(300, 'h') + " \xC2\x85";
    // A chain as deep as a file may nest, lamps at some depths, every nest position used.
    auto root = object("Lamp root", "", "10");
    CHouseObject* deepest = root.get();
    for (int level = 1; level < kMaxObjectNesting; ++level) {
        auto child = object(level % 7 == 0 ? "LAMP " + std::to_string(level) : "box",
                            level % 5 == 0 ? "notes" : "", level % 3 == 0 ? "5" : "");
        CHouseObject* next = child.get();
        deepest->appendChildAsStored(static_cast<NestPosition>(level % 3), std::move(child));
        deepest = next;
    }
    hall.addFloorObject(std::move(root));
    // Siblings in every list, some matching, under an object that does not.
    auto shelf = object("Shelf");
    for (int pos = 0; pos < kNestPositionCount; ++pos) {
        for (const char* name : {"lamp a", "vase", "lamp <b>", ""})
            shelf->appendChildAsStored(static_cast<NestPosition>(pos),
                                       object(name, "o", pos == 1 ? "abab" : "1e3"));
    }
    hall.addFloorObject(std::move(shelf));
    hall.addFloorObject(object(std::string(70000, 'l') + "amp", std::string(300, 'o'), "99"));
    hall.addFloorObject(object("\xFF\xFE lamp \xC0\x80 \x01",
                               "K\xDC"
                               "CHE & <i>",
                               "-3"));
    hall.addFloorObject(object("Knife", "", "20 kr"));
    CSection& cellar = doc.appendSection(std::make_unique<CSection>());
    cellar.name = "Cellar";
    cellar.blocks().front()->addFloorObject(object("lamp in the cellar", "", "40"));
    return writeProject(doc);
}

TEST(FileSearch, ReportsAsTheSearchOfTheHouseReadFromTheFile) {
    for (const char* house : {"family-house.av", "small-flat.av"}) {
        std::ifstream in(std::string(ARDENVO_SOURCE_DIR "/data/") + house, std::ios::binary);
        expectSameReports(std::string(std::istreambuf_iterator<char>(in), {}), house);
    }
    CBrenvikaDoc fixture;
    testing::buildSearchHouse(fixture);
    expectSameReports(writeProject(fixture), "the fixture house");
    expectSameReports(writeProject(*test::makeFileTestHouse()), "the file test house");
    expectSameReports(awkwardHouse(), "the awkward house");
}

TEST(FileSearch, WideTextsAndDamagedFiles) {
    // Names and notes stored wide, as older writers did: "Lämp" and "Ö" in UTF-16LE.
    CBrenvikaDoc doc;
    doc.currentSection()->blocks().front()->addFloorObject(object("WIDENAME", "WIDENOTE", "7"));
    std::string bytes = writeProject(doc);
    const auto widen = [&bytes](const std::string& narrow, const std::string& wide) {
        const std::size_t at = bytes.find(narrow);
        ASSERT_NE(at, std::string::npos);
        bytes.replace(at, narrow.size(), wide);
    };
    widen("\x08WIDENAME", std::string("\xFF\xFE\xFF\x04L\0\xE4\0m\0p\0", 12));
    widen("\x08WIDENOTE", std::string("\xFF\xFE\xFF\x01\xD6\0", 6));
    expectSameReports(bytes, "a house of wide texts");

    // A damaged file gives the reader's error and no report.
    FileSearch search(criteria(true, "lamp", false, ""));
    EXPECT_EQ(search.scan(bytes.substr(0, bytes.size() - 3)), FileError::UnexpectedFormat);
    EXPECT_EQ(search.scan(std::string("\x09\0\0\0\x07\0\0\0", 8)), FileError::WrongVersion);
}

} // namespace
} // namespace ardenvo
