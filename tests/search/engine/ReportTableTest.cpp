// The report as data: the cells of each row with their blanks, the statistic, why there are no
// rows, and the text a reader of the written page sees in a cell.
#include "FixtureHouse.h"

#include "search/engine/ReportWriter.h"

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

TEST(ReportTable, RowsHoldTheHouseTextsWithBlanksWhereThePageHasNone) {
    CBrenvikaDoc doc;
    testing::buildSearchHouse(doc);
    SearchCriteria c;
    c.byNotes = true;
    c.notesText = "o"; // the shoe rack, the table and the cold one
    c.byField = true;
    c.fieldText = "colour";
    const ReportTable table = searchReport(doc, c, SearchScope::wholeHouse(doc));
    ASSERT_EQ(table.body(), ReportTable::Body::Rows);
    ASSERT_EQ(table.rowCount(), 4u);

    const ReportCells shoes = table.cells(0);
    EXPECT_EQ(shoes.text[0], "Shoe rack");
    EXPECT_EQ(shoes.text[1], "Ground floor");
    EXPECT_EQ(shoes.text[3], "On the floor");
    EXPECT_EQ(shoes.text[4], "Tom & Jerry's shoes"); // as stored, not escaped
    EXPECT_FALSE(shoes.blank[4]);
    EXPECT_TRUE(shoes.blank[5] && shoes.blank[6] && shoes.blank[7]); // no matching field

    const ReportCells drawer = table.cells(2);
    EXPECT_EQ(drawer.text[3], "On the floor, inside the Table");
    EXPECT_EQ(drawer.text[5], "Extras");
    EXPECT_EQ(drawer.text[6], "Colour");
    EXPECT_EQ(drawer.text[7], "red");
    EXPECT_FALSE(drawer.blank[5]);
    EXPECT_FALSE(table.statistic()); // no value criterion

    // The rows' HTML is the file's, a piece at a time.
    const std::string page = writeReport(table);
    EXPECT_NE(page.find(reportRowsHtml(table, 1, 3)), std::string::npos);
    EXPECT_EQ(reportRowsHtml(table, 0, 4),
              reportRowsHtml(table, 0, 2) + reportRowsHtml(table, 2, 9));
    EXPECT_NE(page.find(reportTableHead()), std::string::npos);
}

TEST(ReportTable, TheStatisticAndTheBodiesWithoutRows) {
    CBrenvikaDoc doc;
    testing::buildSearchHouse(doc);
    SearchCriteria c;
    c.byField = true;
    c.fieldText = "no such field";
    c.byValue = true;
    c.comparison = Comparison::Average;
    ReportTable table = searchReport(doc, c, SearchScope::wholeHouse(doc));
    EXPECT_EQ(table.body(), ReportTable::Body::NothingFound);
    EXPECT_EQ(table.rowCount(), 0u);
    ASSERT_TRUE(table.statistic());
    EXPECT_FALSE(table.statistic()->value); // nothing to average

    c.fieldText = "paid";
    c.comparison = Comparison::Maximum;
    table = searchReport(doc, c, SearchScope(doc));
    EXPECT_EQ(table.body(), ReportTable::Body::NoBlockSearched);
    table = searchReport(doc, c, SearchScope::wholeHouse(doc));
    ASSERT_TRUE(table.statistic());
    EXPECT_EQ(table.statistic()->comparison, Comparison::Maximum);
    EXPECT_EQ(table.statistic()->value, 300.0);
    c.comparison = Comparison::EndsWith;
    c.valueText = "0";
    EXPECT_FALSE(searchReport(doc, c, SearchScope::wholeHouse(doc)).statistic());
}

TEST(ReportTable, ACellShowsAsThePageReadsIt) {
    EXPECT_EQ(shownCellText("a & <b>", false), "a & <b>");
    EXPECT_EQ(shownCellText("  two\r\nlines  and\ttabs ", false), "two lines and tabs ");
    EXPECT_EQ(shownCellText("K\xDCHL\x1b", false), "K\xC3\x9CHL\\x1b"); // Windows-1252, a control
    EXPECT_EQ(shownCellText("anything", true), "\xC2\xA0");
    EXPECT_EQ(shownCellText("", false), "");
}

} // namespace
} // namespace ardenvo
