// The report's bytes: heading, table, paragraphs and statistics, with every inserted text escaped.
#include "FixtureHouse.h"

#include "model/TextEncoding.h"
#include "search/engine/ReportWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace ardenvo {
namespace {

std::string report(const CBrenvikaDoc& doc, const SearchCriteria& c) {
    return writeReport(searchReport(doc, c, SearchScope::wholeHouse(doc)));
}

TEST(ReportHeading, JoinsTheTickedCriteria) {
    // One criterion alone is pinned by the golden reports; here all of them joined.
    SearchCriteria c;
    c.title = "Inventory";
    c.byName = true;
    c.nameText = "lamp";
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
    // Names and notes in the rows are escaped as the golden reports show.
}

TEST(ReportEscaping, TextsAreReadAsTheHouseReadsThemAndControlsShownAsBytes) {
    // Control characters as the tool's listings show them; tab and line breaks stay.
    EXPECT_EQ(htmlEscape(std::string("a\0b\x01\x07\x08\x0b\x0c\x1b\x7f", 10)),
              "a\\x00b\\x01\\x07\\x08\\x0b\\x0c\\x1b\\x7f");
    EXPECT_EQ(htmlEscape("two\r\nlines\tand a tab"), "two\r\nlines\tand a tab");
    // Not UTF-8: the whole text read as Windows-1252, an undefined byte as its C1 control.
    EXPECT_EQ(htmlEscape("\xFF<\x80\x81"), "\xC3\xBF&lt;\xE2\x82\xAC\\xc2\\x81");
    // UTF-8 kept, its C1 controls shown.
    EXPECT_EQ(htmlEscape("K\xC3\xBC\xC2\x85"), "K\xC3\xBC\\xc2\\x85");
    // A long text is escaped in slices that never cut a character.
    const std::string run(65535, 'a');
    EXPECT_EQ(htmlEscape(run + "\xC3\xBC" + run + "\xC2\x85"),
              run + "\xC3\xBC" + run + "\\xc2\\x85");
    EXPECT_EQ(htmlEscape(run + "\xFF" + run), run + "\xC3\xBF" + run);

    CBrenvikaDoc doc;
    doc.newHouse();
    CBlock& block = *doc.currentSection()->blocks().front();
    auto object = std::make_unique<CHouseObject>();
    object->name = std::string("Bell\x07\x1b[31m\0", 11);
    object->notes = std::string(70000, 'n') + "\x08\xFF"; // a long row, written in slices
    block.addFloorObject(std::move(object));
    auto old = std::make_unique<CHouseObject>();
    old->name = "Caf\xE9\x01";
    block.addFloorObject(std::move(old));
    SearchCriteria c;
    c.byName = true;
    const std::string text = report(doc, c);
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_EQ(text.find_first_of(std::string("\x00\x01\x07\x08\x1b\x7f\xff", 7)),
              std::string::npos);
    EXPECT_NE(text.find("<td>Bell\\x07\\x1b[31m\\x00</td>"), std::string::npos);
    EXPECT_NE(text.find(std::string(70000, 'n') + "\\x08\xC3\xBF</td>"), std::string::npos);
    EXPECT_NE(text.find("<td>Caf\xC3\xA9\\x01</td>"), std::string::npos);
}

TEST(ReportStatistics, ParagraphsPrintFixedNumbersOrReplaceTheTable) {
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
    // The sum and the maximum, and the average of nothing, are in the golden reports. "abab"
    // holds no number and counts for neither.
    EXPECT_EQ(ending(Comparison::Average), "<p>The <b>average</b> value for the custom field "
                                           "containing <i>'Paid'</i> is 117.916667</p>");
    EXPECT_EQ(ending(Comparison::Minimum), "<p>The <b>minimum</b> value for the custom field "
                                           "containing <i>'Paid'</i> is 5.000000</p>");
    EXPECT_EQ(ending(Comparison::Contains), ""); // text comparisons have no statistics

    // Nowhere to look: a paragraph instead of the table.
    EXPECT_EQ(writeReport(searchReport(doc, c, SearchScope(doc))),
              reportHeading(c) + "<p>In order for the tobrin to find what you want you must tell "
                                 "him where to look \t\t(select at least one room/hall)</p>");
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
    const ReportTable table = searchReport(doc, c, SearchScope::wholeHouse(doc));
    ASSERT_TRUE(saveReport(path, table, error)) << error;
    const std::string expected = writeReport(table);
    EXPECT_GT(expected.size(), 3u << 20);
    std::ifstream big(path, std::ios::binary);
    EXPECT_TRUE(std::string((std::istreambuf_iterator<char>(big)),
                            std::istreambuf_iterator<char>()) == expected);
    EXPECT_FALSE(saveReport((dir / "missing" / "temp.html").string(), table, error));
    fs::remove_all(dir);
}

TEST(ReportFile, ALinkPlantedAtTheReportIsReplacedNotWrittenThrough) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("ardenvo-report-links-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string victim = (dir / "precious.av").string();
    const std::string report = (dir / kReportFileName).string();
    const auto contentOf = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    std::ofstream(victim, std::ios::binary) << "my house";
    std::string error;

    fs::create_symlink(victim, report);
    ASSERT_TRUE(saveReport(report, "report", error)) << error;
    EXPECT_FALSE(fs::is_symlink(report));
    EXPECT_EQ(contentOf(report), "report");
    EXPECT_EQ(contentOf(victim), "my house");

    fs::remove(report);
    fs::create_hard_link(victim, report);
    ASSERT_TRUE(saveReport(report, "second report", error)) << error;
    EXPECT_EQ(contentOf(report), "second report");
    EXPECT_EQ(contentOf(victim), "my house");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2)
        << "no temporary file is left";
    fs::remove_all(dir);
}

} // namespace
} // namespace ardenvo
