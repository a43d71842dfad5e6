// ardenvo-tool report as a user runs it: the PDF read back with poppler-utils (text and the list
// of pictures), the HTML file, and the command line's errors.
#include "InventoryFixture.h"
#include "model/ProjectFile.h"
#include "tools/ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
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

    // Each picture drawn in the PDF, in centimetres on paper, from `pdfimages -list` (two heading
    // lines, then per picture: page num type width height color comp bpc enc interp object ID
    // x-ppi y-ppi ...).
    std::vector<std::pair<double, double>> imagesIn(const std::string& pdf) {
        const test::ToolResult listed = runProgram("/usr/bin/pdfimages", {"-list", pdf});
        EXPECT_EQ(listed.exitCode, 0) << listed.err;
        std::istringstream lines(listed.out);
        std::string line;
        std::getline(lines, line);
        std::getline(lines, line);
        std::vector<std::pair<double, double>> sizes;
        while (std::getline(lines, line)) {
            std::istringstream fields(line);
            std::string skip, type;
            double width = 0, height = 0, xppi = 1, yppi = 1;
            fields >> skip >> skip >> type >> width >> height;
            for (int i = 0; i < 7; ++i)
                fields >> skip;
            fields >> xppi >> yppi;
            sizes.emplace_back(width / xppi * 2.54, height / yppi * 2.54);
        }
        return sizes;
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
    for (const char* name :
         {"Shelf", "Vase", "Flowers", "Box", "Sofa", "TV <4K> & \"smart\"", "Freezer",
          "House: flat.av", "Date: 08 December 2026", "Price paid 1000.50 3 of 7",
          "Insurance value 935.25 2 of 7", "missing picture: receipt.jpg",
          "missing picture: broken.png", "05 March 2027 18:30",
          "On the floor, on the Shelf, inside the Vase", "Page 1 of ",
          // the room's pictures under its heading, each picture with its name
          "Living room window door Object name", "missing picture: receipt.jpg receipt label",
          " tv.bmp "})
        EXPECT_NE(text.find(name), std::string::npos) << name << " not in:\n" << text;
    // The first picture of a room or object at most 6 x 4.5 cm on paper (the window's and the
    // sofa's fill that width), further ones smaller.
    const auto images = imagesIn(pdf);
    ASSERT_EQ(images.size(), static_cast<std::size_t>(testing::kInventoryThumbnails));
    for (const auto& [width, height] : images) {
        EXPECT_LE(width, 6.05);
        EXPECT_LE(height, 4.55);
    }
    EXPECT_NEAR(images[0].first, 6.0, 0.05); // the room's window
    EXPECT_LE(images[1].second, 2.3);        // the room's door, a small one
    EXPECT_NEAR(images[2].first, 6.0, 0.05); // the sofa
    EXPECT_LE(images[3].second, 2.3);        // the sofa's second picture
}

TEST_F(InventoryPdfTest, EveryPhotoIsOnThePageOfItsObject) {
    // Objects of different heights, so page ends fall everywhere: between an object's rows,
    // between a row and its photo, between a photo and its caption.
    CBrenvikaDoc doc;
    doc.newHouse();
    CBlock& room = *doc.currentSection()->blocks().front();
    room.name = "Attic";
    constexpr int kObjects = 40;
    for (int i = 0; i < kObjects; ++i) {
        auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        char name[16];
        std::snprintf(name, sizeof name, "%02d", i);
        object->name = std::string("Chair-") + name;
        object->notes = std::string(static_cast<std::size_t>(i % 7) * 40, 'n');
        object->pictures.append(std::string("View-") + name, i % 3 ? "sofa.jpg" : "label.png");
        room.appendFloorObjectAsStored(std::move(object));
    }
    const std::string house = m_dir.file("attic.av");
    ASSERT_EQ(saveProject(house, doc), FileError::None);
    const std::string pdf = m_dir.file("attic.pdf");
    const test::ToolResult run =
        runTool({"report", house, "--images", m_images, "--date", "2026-12-08", "--pdf", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // Per page: the objects named there and the captions shown there are the same.
    const test::ToolResult info = runProgram("/usr/bin/pdfinfo", {pdf});
    const std::size_t count = info.out.find("Pages:");
    ASSERT_NE(count, std::string::npos) << info.err;
    const int pages = std::atoi(info.out.c_str() + count + 6);
    int seen = 0;
    for (int page = 1; page <= pages; ++page) {
        const test::ToolResult text =
            runProgram("/usr/bin/pdftotext",
                       {"-f", std::to_string(page), "-l", std::to_string(page), pdf, "-"});
        ASSERT_EQ(text.exitCode, 0) << text.err;
        std::set<std::string> objects, captions;
        for (const auto& [mark, into] : {std::pair{"Chair-", &objects}, {"View-", &captions}})
            for (std::size_t at = text.out.find(mark); at != std::string::npos;
                 at = text.out.find(mark, at + 1))
                into->insert(text.out.substr(at + std::strlen(mark), 2));
        EXPECT_EQ(objects, captions) << "page " << page << ":\n" << text.out;
        seen += static_cast<int>(objects.size());
    }
    EXPECT_GT(pages, 3);
    EXPECT_EQ(seen, kObjects);
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
    EXPECT_TRUE(imagesIn(pdf).empty());
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

    // A link planted at the report's name is replaced, never written through.
    const std::string victim = m_dir.file("victim.txt");
    const std::string planted = m_dir.file("planted.html");
    test::writeBytes(victim, "keep me");
    std::filesystem::create_symlink(victim, planted);
    ASSERT_EQ(report({"--html", planted}).exitCode, 0);
    EXPECT_EQ(test::readBytes(victim), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(planted));
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
