// The inventory report's content: values read as amounts, totals, tree order, escaping, and the
// HTML page against a golden file (thumbnail bytes left out, their sizes kept).
#include "search/inventory/InventoryReport.h"
#include "InventoryFixture.h"
#include "model/LocalTime.h"
#include "model/TextEncoding.h"
#include "search/inventory/InventoryHtml.h"
#include "search/inventory/Thumbnails.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace ardenvo {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class InventoryReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::buildInventoryHouse(m_doc);
        ASSERT_TRUE(m_images.isValid());
        testing::writeInventoryPictures(m_images.path().toStdString());
    }

    InventoryOptions options() const {
        InventoryOptions o;
        o.title = "Our <flat> & us";
        o.houseName = "flat.av";
        o.scope = SearchScope::wholeHouse(m_doc);
        o.now = toInstant({2026, 12, 8, 12, 0, 0});
        return o;
    }

    CBrenvikaDoc m_doc;
    QTemporaryDir m_images;
};

TEST(InventoryValues, AmountsAreReadAsTheSearchReadsNumbersAndTextIsLeftOut) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"850.50", 850.5},
        {" 120abc", 120.0},
        {"-3.5", -3.5},
        {".5 EUR", 0.5},
        {"1e3", 1000.0},
        {"", std::nullopt},
        {"not yet", std::nullopt},
        {"-", std::nullopt},
        {"inf", std::nullopt},
        {"1e999", std::nullopt},
        {"about 400", std::nullopt},
        {"EUR 10", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(valueNumber(text), expected) << '"' << text << '"';
    EXPECT_EQ(formatAmount(1000.5), "1000.50");
    EXPECT_EQ(formatAmount(-0.125), "-0.12");
}

TEST_F(InventoryReportTest, TotalsCountOnlyValuesThatAreNumbersPerRoomAndHouse) {
    const InventoryReport report = collectInventory(m_doc, options());
    ASSERT_EQ(report.rooms.size(), 2u);
    const InventoryTotals& living = report.rooms[0].totals;
    EXPECT_EQ(living.objects, 6);
    EXPECT_DOUBLE_EQ(living.pricePaid, 1000.5); // "about 400" is not a number
    EXPECT_EQ(living.priced, 3);
    EXPECT_DOUBLE_EQ(living.insuranceValue, 935.25); // empty and "1e999" left out
    EXPECT_EQ(living.insured, 2);
    const InventoryTotals& store = report.rooms[1].totals;
    EXPECT_EQ(store.objects, 1);
    EXPECT_EQ(store.priced + store.insured, 0);
    EXPECT_EQ(report.totals.objects, 7);
    EXPECT_DOUBLE_EQ(report.totals.pricePaid, 1000.5);
    EXPECT_EQ(report.totals.insured, 2);
}

TEST_F(InventoryReportTest, ObjectsFollowTheTreeOrderWithTheSearchReportsLocations) {
    InventoryOptions o = options();
    const InventoryReport report = collectInventory(m_doc, o);
    std::vector<std::string> listed;
    for (const InventoryItem& item : report.rooms[0].items)
        listed.push_back(item.object->name + " | " + std::string(item.location));
    const std::vector<std::string> expected = {
        "Shelf | On the floor",
        "Vase | On the floor, on the Shelf",
        "Flowers | On the floor, on the Shelf, inside the Vase",
        "Box | On the floor, under the Shelf",
        "Sofa | On the floor",
        "TV <4K> & \"smart\" | On the floor",
    };
    EXPECT_EQ(listed, expected);

    o.includeNested = false;
    o.scope = SearchScope(m_doc);
    o.scope.setSearched(0, 0, true);
    const InventoryReport floorOnly = collectInventory(m_doc, o);
    ASSERT_EQ(floorOnly.rooms.size(), 1u);
    EXPECT_EQ(floorOnly.rooms[0].items.size(), 3u);
    EXPECT_EQ(floorOnly.totals.objects, 3);
    EXPECT_DOUBLE_EQ(floorOnly.totals.pricePaid, 970.5); // the vase on the shelf is not counted
}

TEST_F(InventoryReportTest, ThumbnailsAreSmallAndUnreadablePicturesSaySo) {
    const InventoryReport report = collectInventory(m_doc, options());
    ThumbnailSet thumbnails;
    std::vector<int> seen;
    ASSERT_TRUE(thumbnails.build(report, m_images.path().toStdString(), [&](int done, int total) {
        seen.push_back(done);
        return total == 8;
    }));
    EXPECT_EQ(seen.back(), 8);
    EXPECT_EQ(thumbnails.size(), 8u); // the room's own pictures too
    EXPECT_EQ(thumbnails.find("window.png")->pixels, QSize(340, 255));
    EXPECT_EQ(thumbnails.find("sofa.jpg")->pixels, QSize(340, 255));
    EXPECT_EQ(thumbnails.find("label.png")->pixels, QSize(191, 255));
    EXPECT_EQ(thumbnails.find("tv.bmp")->pixels, QSize(160, 90)); // never blown up
    EXPECT_FALSE(thumbnails.find("receipt.jpg")->ok);
    EXPECT_FALSE(thumbnails.find("broken.png")->ok);
    EXPECT_LT(thumbnails.find("sofa.jpg")->jpeg.size(), 40000);

    ThumbnailSet stopped;
    EXPECT_FALSE(
        stopped.build(report, m_images.path().toStdString(), [](int, int) { return false; }));

    // A picture whose name leads out of the Images folder is missing, whatever file is there.
    QDir(m_images.path()).mkdir(QStringLiteral("Images"));
    CHouseObject& first = *m_doc.sections().front()->blocks().front()->floorObjects().front();
    first.pictures.append("Escaped", "../sofa.jpg");
    ThumbnailSet confined;
    ASSERT_TRUE(confined.build(collectInventory(m_doc, options()),
                               m_images.filePath(QStringLiteral("Images")).toStdString()));
    EXPECT_FALSE(confined.find("../sofa.jpg")->ok);
    EXPECT_EQ(confined.find("../sofa.jpg")->error, "The file name leads outside the Images folder");
}

// The page with every embedded picture's bytes replaced by a mark: the golden file keeps the
// text, the structure and each thumbnail's shown size.
std::string withoutPictureBytes(const std::string& html) {
    static const std::regex data("data:image/jpeg;base64,[A-Za-z0-9+/=]+");
    return std::regex_replace(html, data, "data:image/jpeg;base64,...");
}

TEST_F(InventoryReportTest, HtmlMatchesTheGoldenPageAndEscapesEveryText) {
    const InventoryReport report = collectInventory(m_doc, options());
    ThumbnailSet thumbnails;
    ASSERT_TRUE(thumbnails.build(report, m_images.path().toStdString()));
    const std::string html = writeInventoryHtml(report, thumbnails);

    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_EQ(html.find("<4K>"), std::string::npos);
    EXPECT_NE(html.find("TV &lt;4K&gt; &amp; &quot;smart&quot;"), std::string::npos);
    EXPECT_NE(html.find("missing picture: receipt.jpg"), std::string::npos);
    EXPECT_NE(html.find("missing picture: broken.png"), std::string::npos);
    // The room's pictures under its heading; every picture captioned with its name, an unnamed
    // one with its file.
    const std::size_t room = html.find("<h3>Living room</h3>");
    ASSERT_NE(room, std::string::npos);
    EXPECT_LT(room, html.find("alt=\"window.png\"><br><span class=\"caption\">window</span>"));
    EXPECT_LT(html.find("caption\">door<"), html.find("Object name"));
    EXPECT_NE(html.find("caption\">front<"), std::string::npos);
    EXPECT_NE(html.find("caption\">tv.bmp<"), std::string::npos);
    // Self-contained: every picture is inside the page.
    EXPECT_EQ(std::regex_search(html, std::regex("src=\"(?!data:)")), false);

    const std::string golden =
        std::string(ARDENVO_SOURCE_DIR) + "/tests/search/inventory/golden/inventory.html";
    const std::string actual = withoutPictureBytes(html);
    if (qEnvironmentVariableIsSet("ARDENVO_UPDATE_GOLDEN"))
        std::ofstream(golden, std::ios::binary) << actual;
    EXPECT_EQ(actual, readFile(golden));
}

TEST(InventoryTexts, HtmlIsUtf8WithControlsShownAndFarContainersLeftOut) {
    CBrenvikaDoc doc;
    doc.newHouse();
    auto top = std::make_unique<CHouseObject>();
    top->name = std::string("Chest\x01\x1b\0", 8);
    top->notes = "line\r\nnext\x7F\xFF";
    CHouseObject* last = top.get();
    for (const char* name : {"Box", "Tin", "Case", "Ring"}) {
        auto child = std::make_unique<CHouseObject>();
        child->name = name;
        last = &last->addChild(NestPosition::Inside, std::move(child));
    }
    doc.currentSection()->blocks().front()->addFloorObject(std::move(top));
    InventoryOptions o;
    o.title = "Caf\xE9";
    o.scope = SearchScope::wholeHouse(doc);
    const InventoryReport report = collectInventory(doc, o);
    ASSERT_EQ(report.rooms[0].items.size(), 5u);
    EXPECT_EQ(report.rooms[0].items[4].location,
              "..., inside the Box, inside the Tin, inside the Case");

    const std::string html = writeInventoryHtml(report, ThumbnailSet());
    EXPECT_TRUE(isValidUtf8(html));
    EXPECT_EQ(html.find_first_of(std::string("\x00\x01\x1b\x7f", 4)), std::string::npos);
    EXPECT_NE(html.find("<title>Caf\xC3\xA9</title>"), std::string::npos);
    EXPECT_NE(html.find("<b>Chest\\x01\\x1b\\x00</b>"), std::string::npos);
    EXPECT_NE(html.find("line<br>next\\x7f\xC3\xBF"), std::string::npos);
    EXPECT_NE(
        html.find("<td width=\"26%\">..., inside the Box, inside the Tin, inside the Case</td>"),
        std::string::npos);
}

TEST_F(InventoryReportTest, WithoutPhotosNoPictureIsShownOrLookedFor) {
    InventoryOptions o = options();
    o.includePhotos = false;
    const InventoryReport report = collectInventory(m_doc, o);
    const std::string html = writeInventoryHtml(report, ThumbnailSet());
    EXPECT_EQ(html.find("<img"), std::string::npos);
    EXPECT_EQ(html.find("missing picture"), std::string::npos);
}

} // namespace
} // namespace ardenvo
