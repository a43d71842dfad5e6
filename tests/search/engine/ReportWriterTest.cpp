// The report's bytes: heading, table, paragraphs and statistics, with every inserted text escaped.
#include "FixtureHouse.h"

#include "search/engine/ReportWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace ardenvo {
namespace {

std::string report(const CBrenvikaDoc& doc, const SearchCriteria& c) {
    return writeReport(c, runSearch(doc, c, SearchScope::wholeHouse(doc)));
}

TEST(ReportHeading, JoinsTheTickedCriteria) {
    SearchCriteria c;
    c.title = "Inventory";
    c.byName = true;
    c.nameText = "lamp";
    EXPECT_EQ(reportHeading(c), "<center><b><font size='+2'>Inventory</font></b></center>"
                                "<p><b>Searching for objects with names containing "
                                "<i>'lamp'</i> .</b></p>\r\n");
    c.byNotes = true;
    c.notesText = "old";
    c.byField = true;
    c.fieldText = "price";
    c.byValue = true;
    c.comparison = Comparison::GreaterThan;
    c.valueText = "10";
    EXPECT_EQ(reportHeading(c),
              "<center><b><font size='+2'>Inventory</font></b></center>"
              "<p><b>Searching for objects with names containing <i>'lamp'</i> or with notes "
              "containing <i>'old'</i> or with fields containing <i>'price'</i> and value that is "
              "greater than <i>'10'</i>.</b></p>\r\n");
    // Aggregates take no value text; the value part needs the field criterion.
    c.byName = false;
    c.comparison = Comparison::Sum;
    EXPECT_NE(reportHeading(c).find("with notes containing <i>'old'</i> or with fields containing "
                                    "<i>'price'</i> and value that adds to the sum.</b>"),
              std::string::npos);
    c.byField = false;
    EXPECT_NE(reportHeading(c).find("<i>'old'</i> .</b>"), std::string::npos);
}

TEST(ReportEscaping, EveryInsertedTextIsEscaped) {
    EXPECT_EQ(htmlEscape("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&#39;f");
    EXPECT_EQ(htmlEscape("K\xC3\xBC"
                         "che"),
              "K\xC3\xBC"
              "che");

    CBrenvikaDoc doc;
    ardenvo::testing::buildSearchHouse(doc);
    SearchCriteria c;
    c.title = "<script>alert(1)</script>";
    c.byName = true;
    c.nameText = "<";
    c.byField = true;
    c.fieldText = "'";
    c.byValue = true;
    c.comparison = Comparison::Sum;
    const std::string text = report(doc, c);
    EXPECT_EQ(text.find("<script"), std::string::npos);
    EXPECT_EQ(text.find("<b>\t"), std::string::npos);
    EXPECT_NE(text.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(text.find("<i>'&lt;'</i>"), std::string::npos);
    EXPECT_NE(text.find("<i>'&#39;'</i>"), std::string::npos);

    c.nameText = "";
    const std::string all = report(doc, c);
    EXPECT_NE(all.find("<td>Lamp &lt;script&gt;</td>"), std::string::npos);
    EXPECT_NE(all.find("<td>Tom &amp; Jerry&#39;s shoes</td>"), std::string::npos);
    EXPECT_NE(all.find("<td>oak &lt;b&gt;</td>"), std::string::npos);
    EXPECT_NE(all.find("<td>I&#39;m a hall</td>"), std::string::npos);
}

TEST(ReportBody, RowsAndTableAsWritten) {
    CBrenvikaDoc doc;
    ardenvo::testing::buildSearchHouse(doc);
    SearchCriteria c;
    c.byName = true;
    c.nameText = "desk";
    const std::string text = report(doc, c);
    const std::string head = "<table width='0%' border=1>\r\n    <tr bgColor=#eeeeee>\r\n";
    ASSERT_NE(text.find(head), std::string::npos);
    const std::string tail = "  </tr><tr>\t<td>Desk LAMP</td>\r\n\t<td>Ground floor</td>\r\n"
                             "\t<td>I&#39;m a hall</td>\r\n\t<td>On the floor</td>\r\n"
                             "\t<td>&nbsp;</td>\r\n\t<td>&nbsp;</td>\r\n"
                             "\t<td>&nbsp;</td><td>&nbsp;</td>\r\n</tr>\r\n</table>\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);

    c.byField = true;
    c.fieldText = "insurance";
    EXPECT_NE(report(doc, c).find("\t<td>Value</td>\r\n\t<td>Insurance value</td><td>20</td>\r\n"),
              std::string::npos);
    // No byte-order mark, nothing before the heading.
    EXPECT_EQ(text.rfind("<center>", 0), 0u);
}

TEST(ReportBody, ParagraphsReplaceAnEmptyTable) {
    CBrenvikaDoc doc;
    ardenvo::testing::buildSearchHouse(doc);
    SearchCriteria c;
    c.byName = true;
    c.nameText = "nothing like this";
    const std::string heading = reportHeading(c);
    EXPECT_EQ(report(doc, c), heading + "<p>No objects found</p>");
    EXPECT_EQ(writeReport(c, runSearch(doc, c, SearchScope(doc))),
              heading + "<p>In order for the tobrin to find what you want you must tell him "
                        "where to look \t\t(select at least one room/hall)</p>");
}

TEST(ReportStatistics, ParagraphsPrintFixedNumbers) {
    CBrenvikaDoc doc;
    ardenvo::testing::buildSearchHouse(doc);
    SearchCriteria c;
    c.byField = true;
    c.fieldText = "Paid";
    c.byValue = true;
    const auto ending = [&](Comparison cmp) {
        c.comparison = cmp;
        const std::string text = report(doc, c);
        return text.substr(text.rfind("</table>\r\n") + 10);
    };
    EXPECT_EQ(ending(Comparison::Sum),
              "<p>The <b>sum</b> for the custom field containing <i>'Paid'</i> is 707.500000</p>");
    EXPECT_EQ(ending(Comparison::Average), "<p>The <b>average</b> value for the custom field "
                                           "containing <i>'Paid'</i> is 101.071429</p>");
    EXPECT_EQ(ending(Comparison::Maximum), "<p>The <b>maximum</b> value for the custom field "
                                           "containing <i>'Paid'</i> is 300.000000</p>");
    EXPECT_EQ(ending(Comparison::Minimum), "<p>The <b>minimum</b> value for the custom field "
                                           "containing <i>'Paid'</i> is 0.000000</p>");
    EXPECT_EQ(ending(Comparison::Contains), ""); // text comparisons have no statistics

    c.fieldText = "warranty";
    c.comparison = Comparison::Average;
    EXPECT_EQ(report(doc, c), reportHeading(c) +
                                  "<p>No objects found</p><p>No object to compute the average "
                                  "value for the custom field containing <i>'warranty'</i></p>");
}

TEST(ReportFile, WritesBytesAndReportsFailures) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("ardenvo-report-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / kReportFileName).string();
    std::string error;
    ASSERT_TRUE(saveReport(path, "old content that is longer", error));
    ASSERT_TRUE(saveReport(path, std::string("a\r\n\0b", 5), error)); // truncates, keeps bytes
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("a\r\n\0b", 5));

    EXPECT_FALSE(saveReport((dir / "missing" / "temp.html").string(), "x", error));
    EXPECT_FALSE(error.empty());

    // A report of several megabytes goes out in pieces with exactly the bytes of writeReport.
    CBrenvikaDoc doc;
    ardenvo::testing::buildSearchHouse(doc);
    CBlock& hall = *doc.sections()[0]->blocks()[0];
    for (int i = 0; i < 20000; ++i) {
        auto object = std::make_unique<CHouseObject>();
        object->name = "Box & lid " + std::to_string(i);
        hall.appendFloorObjectAsStored(std::move(object));
    }
    SearchCriteria c;
    c.byField = true;
    c.fieldText = "paid";
    c.byValue = true;
    c.comparison = Comparison::Average;
    const SearchResult result = runSearch(doc, c, SearchScope::wholeHouse(doc));
    ASSERT_TRUE(saveReport(path, c, result, error)) << error;
    const std::string expected = writeReport(c, result);
    EXPECT_GT(expected.size(), 3u << 20);
    std::ifstream big(path, std::ios::binary);
    EXPECT_TRUE(std::string((std::istreambuf_iterator<char>(big)),
                            std::istreambuf_iterator<char>()) == expected);
    EXPECT_FALSE(saveReport((dir / "missing" / "temp.html").string(), c, result, error));
    fs::remove_all(dir);
}

} // namespace
} // namespace ardenvo
