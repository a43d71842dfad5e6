// The search through its public interface: which objects a search lists, in which order and
// where, and the statistics of the aggregating comparisons.
#include "FixtureHouse.h"

#include "model/CBrenvikaDoc.h"
#include "search/engine/LocationText.h"
#include "search/engine/SearchEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ardenvo {
namespace {

using ::testing::ElementsAre;

class SearchEngineTest : public ::testing::Test {
protected:
    void SetUp() override { ardenvo::testing::buildSearchHouse(m_doc); }

    SearchResult search(const SearchCriteria& c) {
        return runSearch(m_doc, c, SearchScope::wholeHouse(m_doc));
    }
    std::vector<std::string> names(const SearchResult& r) {
        std::vector<std::string> out;
        for (const auto& row : r.rows)
            out.push_back(row.object->name);
        return out;
    }
    static SearchCriteria byField(const std::string& field, Comparison c,
                                  const std::string& value = {}) {
        SearchCriteria criteria;
        criteria.byField = true;
        criteria.fieldText = field;
        criteria.byValue = true;
        criteria.comparison = c;
        criteria.valueText = value;
        return criteria;
    }

    CBrenvikaDoc m_doc;
};

TEST_F(SearchEngineTest, NamesAndNotesMatchIgnoringCaseOfEveryLetter) {
    SearchCriteria c;
    c.byName = true;
    c.nameText = "lamp";
    EXPECT_THAT(names(search(c)), ElementsAre("Desk LAMP", "Lamp <script>"));

    // "kü" finds the UTF-8 capitals and the Windows-1252 capital Ü of an old file alike.
    c.nameText = "k\xC3\xBC";
    EXPECT_THAT(names(search(c)), ElementsAre("K\xC3\x9C"
                                              "CHENSCHRANK",
                                              "K\xDC"
                                              "HLSCHRANK"));

    c.byName = false;
    c.byNotes = true;
    c.notesText = "JERRY";
    EXPECT_THAT(names(search(c)), ElementsAre("Shoe rack"));

    // Either criterion lists the object, once.
    c.byName = true;
    c.nameText = "shoe";
    const SearchResult both = search(c);
    EXPECT_THAT(names(both), ElementsAre("Shoe rack"));
    EXPECT_TRUE(both.objectFound);
}

TEST_F(SearchEngineTest, VisitsFloorThenOnTopInsideUnderWithLocations) {
    SearchCriteria c;
    c.byName = true; // the empty text is in every name
    const SearchResult r = search(c);
    EXPECT_THAT(names(r), ElementsAre("Desk LAMP", "Shoe rack", "Table", "Lamp <script>", "Drawer",
                                      "Knife", "Cat basket",
                                      "K\xC3\x9C"
                                      "CHENSCHRANK",
                                      "K\xDC"
                                      "HLSCHRANK"));
    // The other locations are pinned by the golden reports; here the deepest one.
    ASSERT_EQ(r.rows.size(), 9u);
    EXPECT_EQ(r.rows[5].section->name + "|" + std::string(r.rows[5].location),
              "Ground floor|On the floor, inside the Table, inside the Drawer");
    EXPECT_EQ(r.rows[8].block->name, "Store");
}

TEST(SearchLocations, NameOnlyTheNearestContainers) {
    CBrenvikaDoc doc;
    doc.newHouse();
    auto chain = std::make_unique<CHouseObject>();
    chain->name = "A";
    CHouseObject* last = chain.get();
    const NestPosition positions[] = {NestPosition::OnTop, NestPosition::Inside,
                                      NestPosition::Under, NestPosition::Inside};
    for (int i = 0; i < 4; ++i) {
        auto child = std::make_unique<CHouseObject>();
        child->name = std::string(1, static_cast<char>('B' + i));
        last = &last->addChild(positions[i], std::move(child));
    }
    doc.currentSection()->blocks().front()->addFloorObject(std::move(chain));
    SearchCriteria c;
    c.byName = true;
    const SearchResult r = runSearch(doc, c, SearchScope::wholeHouse(doc));
    std::vector<std::string> locations;
    for (const SearchRow& row : r.rows)
        locations.emplace_back(row.location);
    EXPECT_THAT(locations, ElementsAre("On the floor", "On the floor, on the A",
                                       "On the floor, on the A, inside the B",
                                       "On the floor, on the A, inside the B, under the C",
                                       "..., inside the B, under the C, inside the D"));

    // A long name is cut (never inside a character), an old file's name read as Windows-1252.
    EXPECT_EQ(containerName(std::string(255, 'x') + "\xC3\xBC and more"),
              std::string(255, 'x') + "...");
    EXPECT_EQ(containerName(std::string(300, 'x')), std::string(256, 'x') + "...");
    EXPECT_EQ(containerName("K\xDC"
                            "HL"),
              "K\xC3\x9C"
              "HL");
}

TEST_F(SearchEngineTest, ScopeLimitsTheBlocksSearched) {
    SearchCriteria c;
    c.byName = true;
    SearchScope scope(m_doc);
    SearchResult r = runSearch(m_doc, c, scope);
    EXPECT_FALSE(r.blockSearched);
    EXPECT_TRUE(r.rows.empty());

    scope.setSearched(1, 0, true); // the cellar's store only
    r = runSearch(m_doc, c, scope);
    EXPECT_TRUE(r.blockSearched);
    EXPECT_THAT(names(r), ElementsAre("K\xDC"
                                      "HLSCHRANK"));

    // A scope made for another house shape never reaches past the house.
    scope.setSearched(7, 7, true);
    EXPECT_FALSE(scope.isSearched(7, 7));
}

TEST_F(SearchEngineTest, TreeSynchronisationCarriesSectionTicksToBlocks) {
    SearchScope scope(m_doc);
    std::vector<SearchScope::SectionTicks> ticks = {{true, {false, false}}, {false, {true}}};
    scope.synchronise(ticks);
    // Section 0 changed: its blocks follow it. Section 1 did not: its block follows its own mark.
    EXPECT_THAT(ticks[0].blocks, ElementsAre(true, true));
    EXPECT_TRUE(scope.isSearched(0, 0) && scope.isSearched(0, 1) && scope.isSearched(1, 0));
    EXPECT_TRUE(scope.isSectionTicked(0));

    ticks[0].blocks[1] = false; // one block unticked under a ticked section
    scope.synchronise(ticks);
    EXPECT_TRUE(scope.isSearched(0, 0));
    EXPECT_FALSE(scope.isSearched(0, 1));

    ticks[0].section = false;
    scope.synchronise(ticks);
    EXPECT_THAT(ticks[0].blocks, ElementsAre(false, false));
    EXPECT_FALSE(scope.isSearched(0, 0));
    EXPECT_TRUE(scope.anySearched());

    std::vector<SearchScope::SectionTicks> tooMany(5, {true, std::vector<bool>(9, true)});
    scope.synchronise(tooMany); // extra marks are ignored, never written past the house
    EXPECT_TRUE(scope.isSearched(0, 1));
    EXPECT_FALSE(scope.isSearched(0, 2));
}

TEST_F(SearchEngineTest, FieldCriterionUsesTheFirstMatchingField) {
    SearchCriteria c;
    c.byField = true;
    c.fieldText = "PAID";
    const SearchResult r = search(c);
    EXPECT_THAT(names(r),
                ElementsAre("Desk LAMP", "Shoe rack", "Table", "Lamp <script>", "Cat basket",
                            "K\xC3\x9C"
                            "CHENSCHRANK",
                            "K\xDC"
                            "HLSCHRANK"));
    ASSERT_NE(r.rows[0].field, nullptr);
    EXPECT_EQ(r.rows[0].field->value, "12.50");
    EXPECT_EQ(r.rows[0].category->title, "Value");

    c.fieldText = "e"; // "Price paid" comes before "Insurance value"
    const SearchResult first = search(c);
    EXPECT_EQ(first.rows[0].field->name, "Price paid");

    // A name match without any field still lists the object, with no field.
    c.byName = true;
    c.nameText = "knife";
    c.fieldText = "colour";
    const SearchResult mixed = search(c);
    EXPECT_THAT(names(mixed), ElementsAre("Drawer", "Knife"));
    EXPECT_EQ(mixed.rows[1].field, nullptr);
}

TEST_F(SearchEngineTest, TextComparisonsOnlyAddMatches) {
    EXPECT_THAT(names(search(byField("paid", Comparison::Contains, "BA"))),
                ElementsAre("Cat basket"));
    EXPECT_THAT(names(search(byField("paid", Comparison::BeginsWith, "1"))),
                ElementsAre("Desk LAMP", "Table"));
    EXPECT_THAT(names(search(byField("paid", Comparison::BeginsWith, "00"))), ElementsAre());

    // "abab" ending with "ab" is in the golden reports.
    EXPECT_THAT(names(search(byField("paid", Comparison::EndsWith, "0"))),
                ElementsAre("Desk LAMP", "Table",
                            "K\xC3\x9C"
                            "CHENSCHRANK",
                            "K\xDC"
                            "HLSCHRANK"));
    EXPECT_THAT(names(search(byField("paid", Comparison::EndsWith, "abc"))),
                ElementsAre("Shoe rack"));

    // A name match stays listed when the field fails the comparison.
    SearchCriteria c = byField("paid", Comparison::EndsWith, "zz");
    c.byName = true;
    c.nameText = "table";
    EXPECT_THAT(names(search(c)), ElementsAre("Table"));
}

TEST_F(SearchEngineTest, NumericComparisonsReadLeadingNumbers) {
    // 40abc is 40, abab is 0; the value text 12abc is 12.
    EXPECT_THAT(names(search(byField("paid", Comparison::GreaterThan, "12abc"))),
                ElementsAre("Desk LAMP", "Shoe rack", "Table",
                            "K\xC3\x9C"
                            "CHENSCHRANK",
                            "K\xDC"
                            "HLSCHRANK"));
    EXPECT_THAT(names(search(byField("paid", Comparison::LessThan, "12.5"))),
                ElementsAre("Lamp <script>", "Cat basket"));
}

TEST_F(SearchEngineTest, AggregatesKeepStatisticsAndListContributors) {
    // "abab" holds no number: the sum and average list the Cat basket but count it for nothing.
    SearchResult sum = search(byField("paid", Comparison::Sum));
    EXPECT_DOUBLE_EQ(sum.accumulator, 12.5 + 40 + 100 + 5 + 250 + 300);
    EXPECT_DOUBLE_EQ(sum.count, 6);
    EXPECT_EQ(sum.rows.size(), 7u);
    EXPECT_EQ(search(byField("paid", Comparison::Average)).rows.size(), 7u);

    // The maximum and minimum list the first value, then each value beyond all earlier ones;
    // a value holding no number sets neither and is not listed.
    SearchResult max = search(byField("paid", Comparison::Maximum));
    EXPECT_THAT(names(max), ElementsAre("Desk LAMP", "Shoe rack", "Table",
                                        "K\xC3\x9C"
                                        "CHENSCHRANK",
                                        "K\xDC"
                                        "HLSCHRANK"));
    EXPECT_DOUBLE_EQ(max.accumulator, 300);

    SearchResult min = search(byField("paid", Comparison::Minimum));
    EXPECT_THAT(names(min), ElementsAre("Desk LAMP", "Lamp <script>"));
    EXPECT_DOUBLE_EQ(min.accumulator, 5);

    // A value without a number before the first one with a number neither starts the minimum
    // nor is listed; the sum still lists it.
    m_doc.sections()[0]->blocks()[0]->floorObjects()[0]->categories()[0]->entries()[0]->value = "";
    SearchResult fromEmpty = search(byField("paid", Comparison::Minimum));
    EXPECT_THAT(names(fromEmpty), ElementsAre("Shoe rack", "Lamp <script>"));
    EXPECT_DOUBLE_EQ(fromEmpty.accumulator, 5);
    SearchResult sumFromEmpty = search(byField("paid", Comparison::Sum));
    EXPECT_DOUBLE_EQ(sumFromEmpty.count, 5);
    EXPECT_EQ(names(sumFromEmpty).front(), "Desk LAMP");

    // A name match stays listed even where its value sets no maximum.
    SearchCriteria named = byField("paid", Comparison::Maximum);
    named.byName = true;
    named.nameText = "basket";
    EXPECT_THAT(names(search(named)), ::testing::Contains("Cat basket"));

    // An object found by name still counts for the statistics.
    SearchCriteria c = byField("paid", Comparison::Average);
    c.byName = true;
    c.nameText = "table";
    SearchResult avg = search(c);
    EXPECT_DOUBLE_EQ(avg.accumulator / avg.count, 695.0 / 5);

    SearchResult none = search(byField("no such field", Comparison::Average));
    EXPECT_FALSE(none.objectFound);
    EXPECT_DOUBLE_EQ(none.count, 0);
}

} // namespace
} // namespace ardenvo
