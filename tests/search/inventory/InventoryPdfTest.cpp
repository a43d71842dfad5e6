// ardenvo-tool report as a user runs it: the PDF read back with poppler-utils (text and the list
// of pictures), the HTML file, and the command line's errors.
#include "InventoryFixture.h"
#include "model/ProjectFile.h"
#include "tools/ToolRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace ardenvo {
namespace {

using test::runProgram;
using test::runTool;

class InventoryPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        CBrenvikaDoc doc;
        testing::buildInventoryHouse(doc);
        m_house = m_dir.file("flat.av");
        ASSERT_EQ(saveProject(m_house, doc), FileError::None);
        std::filesystem::create_directory(m_dir.path() / "Images");
        m_images = m_dir.file("Images");
        testing::writeInventoryPictures(m_images);
    }

    test::ToolResult report(std::vector<std::string> extra) {
        std::vector<std::string> args = {"report", m_house,  "--images",
                                         m_images, "--date", "2026-12-08"};
        args.insert(args.end(), extra.begin(), extra.end());
        return runTool(args);
    }

    // `pdfimages -list` prints two heading lines, then one line per picture drawn.
    int imagesIn(const std::string& pdf) {
        const test::ToolResult listed = runProgram("/usr/bin/pdfimages", {"-list", pdf});
        EXPECT_EQ(listed.exitCode, 0) << listed.err;
        return static_cast<int>(std::count(listed.out.begin(), listed.out.end(), '\n')) - 2;
    }

    // The PDF's text with every run of white space as one blank (table cells wrap their text)
    // and the typographic ligatures fi and fl as their letters.
    std::string textOf(const std::string& pdf) {
        const test::ToolResult text = runProgram("/usr/bin/pdftotext", {pdf, "-"});
        EXPECT_EQ(text.exitCode, 0) << text.err;
        std::string flat;
        for (std::size_t i = 0; i < text.out.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text.out[i]);
            if (text.out.compare(i, 3, "\xEF\xAC\x81") == 0 ||
                text.out.compare(i, 3, "\xEF\xAC\x82") == 0) {
                flat += text.out[i + 2] == '\x81' ? "fi" : "fl";
                i += 2;
            } else if (c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r') {
                if (!flat.empty() && flat.back() != ' ')
                    flat += ' ';
            } else {
                flat += text.out[i];
            }
        }
        return flat;
    }

    test::TempDir m_dir;
    std::string m_house;
    std::string m_images;
};

TEST_F(InventoryPdfTest, PdfHoldsEveryObjectTheTotalsAndOneThumbnailPerReadablePicture) {
    const std::string pdf = m_dir.file("flat.pdf");
    const test::ToolResult run = report({"--pdf", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("ardenvo-tool:"), std::string::npos) << run.err;

    const std::string text = textOf(pdf);
    for (const char* name : {"Shelf", "Vase", "Flowers", "Box", "Sofa", "TV <4K> & \"smart\"",
                             "Freezer", "House: flat.av", "Date: 08 December 2026",
                             "Price paid 1000.50 3 of 7", "Insurance value 935.25 2 of 7",
                             "missing picture: receipt.jpg", "missing picture: broken.png",
                             "05 March 2027 18:30", "On the floor, on the Shelf, inside the Vase"})
        EXPECT_NE(text.find(name), std::string::npos) << name << " not in:\n" << text;
    EXPECT_EQ(imagesIn(pdf), testing::kInventoryThumbnails);
}

TEST_F(InventoryPdfTest, ChosenRoomsWithoutPhotosGiveATextOnlyPdf) {
    const std::string pdf = m_dir.file("cellar.pdf");
    const test::ToolResult run =
        report({"--room", "Cellar/Store", "--no-photos", "--title", "Cellar", "--pdf", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = textOf(pdf);
    EXPECT_NE(text.find("Freezer"), std::string::npos);
    EXPECT_EQ(text.find("Sofa"), std::string::npos);
    EXPECT_EQ(text.find("missing picture"), std::string::npos);
    EXPECT_EQ(imagesIn(pdf), 0);
}

TEST_F(InventoryPdfTest, HtmlFileIsSelfContained) {
    const std::string html = m_dir.file("flat.html");
    const test::ToolResult run = report({"--html", html});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string page = test::readBytes(html);
    std::size_t embedded = 0;
    for (std::size_t at = page.find("src=\""); at != std::string::npos;
         at = page.find("src=\"", at + 1)) {
        EXPECT_EQ(page.compare(at + 5, 11, "data:image/"), 0);
        ++embedded;
    }
    EXPECT_EQ(embedded, static_cast<std::size_t>(testing::kInventoryThumbnails));
    EXPECT_NE(page.find("<title>flat.av</title>"), std::string::npos);
}

TEST_F(InventoryPdfTest, WrongCommandLinesAndUnusableFilesAreRefused) {
    EXPECT_EQ(report({}).exitCode, 2); // neither --pdf nor --html
    EXPECT_EQ(report({"--pdf", m_dir.file("a.pdf"), "--html", m_dir.file("a.html")}).exitCode, 2);
    EXPECT_EQ(report({"--date", "2026-02-30", "--pdf", m_dir.file("a.pdf")}).exitCode, 2);
    const test::ToolResult room = report({"--room", "Cellar/Attic", "--pdf", m_dir.file("a.pdf")});
    EXPECT_EQ(room.exitCode, 1);
    EXPECT_NE(room.err.find("Cellar/Attic"), std::string::npos);
    const test::ToolResult folder = report({"--pdf", m_dir.path().string()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("Cannot write"), std::string::npos);
    const test::ToolResult damaged =
        runTool({"report", m_images + "/broken.png", "--html", m_dir.file("b.html")});
    EXPECT_EQ(damaged.exitCode, 1);
}

} // namespace
} // namespace ardenvo
