// ardenvo-tool labels run as a user would: every page rendered with pdftoppm, every QR code read
// back with zbarimg, and every label measured where the sheet puts it.
#include "LabelHouse.h"
#include "labels/core/LabelSheet.h"
#include "labels/core/QrCode.h"
#include "labels/print/LabelPrinter.h"
#include "model/ProjectFile.h"
#include "tools/ToolRunner.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace ardenvo {
namespace {

using test::runProgram;
using test::runTool;

constexpr int kDpi = 300;

double pixels(double mm) {
    return mm * kDpi / 25.4;
}

// The pages of a PDF as grey pictures at kDpi.
std::vector<QImage> renderPages(const std::string& pdf, const test::TempDir& dir) {
    const std::string prefix = dir.file("page");
    const auto result =
        runProgram("/usr/bin/pdftoppm", {"-r", std::to_string(kDpi), "-gray", "-png", pdf, prefix});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename().string().rfind("page-", 0) == 0)
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    std::vector<QImage> pages;
    for (const std::string& file : files) {
        pages.emplace_back(QString::fromStdString(file));
        std::filesystem::remove(file);
    }
    return pages;
}

// The QR codes zbarimg finds in the picture: how many, and the bytes of them all run together
// (as they are: its text output would guess a code page).
struct Decoded {
    std::size_t count = 0;
    std::string bytes;
};
Decoded decode(const QImage& picture, const test::TempDir& dir) {
    const std::string file = dir.file("decode.png");
    picture.save(QString::fromStdString(file));
    Decoded decoded;
    const std::string xml = runProgram("/usr/bin/zbarimg", {"-q", "--xml", file}).out;
    for (std::size_t at = xml.find("<symbol "); at != std::string::npos;
         at = xml.find("<symbol ", at + 1))
        ++decoded.count;
    decoded.bytes = runProgram("/usr/bin/zbarimg", {"-q", "--raw", "-Sbinary", file}).out;
    return decoded;
}

// The top-left corner of the ink inside a rectangle (millimetres), in millimetres.
std::pair<double, double> inkCorner(const QImage& page, double x, double y, double w, double h) {
    int left = page.width(), top = page.height();
    const int bottom = std::min(page.height(), static_cast<int>(pixels(y + h)));
    const int right = std::min(page.width(), static_cast<int>(pixels(x + w)));
    for (int py = static_cast<int>(pixels(y)); py < bottom; ++py)
        for (int px = static_cast<int>(pixels(x)); px < right; ++px)
            if (qGray(page.pixel(px, py)) < 128) {
                left = std::min(left, px);
                top = std::min(top, py);
            }
    return {left * 25.4 / kDpi, top * 25.4 / kDpi};
}

class LabelPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::fillLabelHouse(m_doc, m_dir.file("house.av"));
        ASSERT_EQ(saveProject(m_dir.file("house.av"), m_doc), FileError::None);
    }

    test::ToolResult labels(std::vector<std::string> args) {
        args.insert(args.begin(), "labels");
        return runTool(args);
    }

    test::TempDir m_dir;
    CBrenvikaDoc m_doc;
};

TEST_F(LabelPdfTest, EveryCodeReadsBackAsItsLabelAndLandsWhereTheSheetSays) {
    const std::string pdf = m_dir.file("labels.pdf");
    const std::vector<std::string> args = {m_dir.file("house.av"),
                                           "--room",
                                           "Ground/Garage",
                                           "--object",
                                           "Ground/Garage/Shelf/Box",
                                           "--object",
                                           "Ground/Garage/Shelf/Empty box",
                                           "--object",
                                           "Ground/Garage/Big box",
                                           "--object",
                                           "Ground/Garage/" + test::kScripts,
                                           "--object",
                                           "Ground/Garage/" + test::kControls,
                                           "--layout",
                                           "a4-3x8",
                                           "--start",
                                           "2",
                                           "--codes",
                                           "--pdf",
                                           pdf};
    const auto result = labels(args);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<QImage> pages = renderPages(pdf, m_dir);
    ASSERT_EQ(pages.size(), 1u);

    const std::string controls = "Line\\nbreak\\x1b[2J\\t\\x01";
    const std::vector<std::string> expected = {
        "Garage\nGround\n- Shelf\n- Big box\n- " + test::kScripts + "\n- " + controls + "\nhouse",
        "Box\nGarage, on the Shelf\nAV-0001\n- Tin\n  - Buttons\n- Scarf\nhouse",
        "Empty box\nGarage, on the Shelf\nAV-0002\nhouse",
        "", // the box of 500: checked below
        test::kScripts + "\nGarage\nAV-0004\n- Ξ\nhouse",
        controls + "\nGarage\nAV-0005\n- Inner\nhouse",
    };
    const LabelSheet& sheet = *findSheet("a4-3x8");
    const LabelParts parts = labelParts(sheet.labelWidth, sheet.labelHeight);
    const std::vector<LabelPlace> places = labelPlaces(sheet, 6, 2);
    for (std::size_t i = 0; i < places.size(); ++i) {
        const LabelPlace& place = places[i];
        // Each label alone, so each code is known by where it is.
        const QImage one = pages[0].copy(
            QRectF(pixels(place.x), pixels(place.y), pixels(place.width), pixels(place.height))
                .toRect());
        const Decoded decoded = decode(one, m_dir);
        ASSERT_EQ(decoded.count, 1u) << "label " << i;
        const std::string& text = decoded.bytes;
        if (i == 3) {
            EXPECT_EQ(text.rfind("Big box\nGarage\nAV-0003\n- Item 1\n- Item 2\n", 0), 0u) << text;
            EXPECT_NE(text.find(" more\nhouse"), std::string::npos) << text;
        } else {
            EXPECT_EQ(text, expected[i]);
        }
        // The code's first dark module, where its square and quiet modules put it.
        const int width = encodeQr(text).width;
        const double module = parts.qrSide / (width + 2 * kQuietModules);
        const double left = place.x + parts.qrX + kQuietModules * module;
        const double top = place.y + parts.qrY + kQuietModules * module;
        const auto [x, y] =
            inkCorner(pages[0], place.x, place.y, parts.qrX + parts.qrSide + 1, place.height);
        EXPECT_NEAR(x, left, 0.5) << "label " << i;
        EXPECT_NEAR(y, top, 0.5) << "label " << i;
    }
    // Nothing is drawn outside the labels: no name runs over, whatever it holds.
    QImage outside = pages[0].convertToFormat(QImage::Format_RGB32);
    {
        QPainter blank(&outside);
        for (const LabelPlace& place : places)
            blank.fillRect(
                QRectF(pixels(place.x), pixels(place.y), pixels(place.width), pixels(place.height)),
                Qt::white);
    }
    EXPECT_EQ(inkCorner(outside, 0, 0, sheet.pageWidth, sheet.pageHeight).first,
              outside.width() * 25.4 / kDpi);

    // The codes are kept in the house: the next run gives the same ones and leaves it as it is.
    const std::string stored = test::readBytes(m_dir.file("house.av"));
    ASSERT_EQ(labels(args).exitCode, 0);
    EXPECT_EQ(test::readBytes(m_dir.file("house.av")), stored);
    EXPECT_EQ(decode(renderPages(pdf, m_dir)[0], m_dir).count, 6u);
}

TEST_F(LabelPdfTest, TheSameHouseGivesTheSameCodesAndTheRollOneLabelAPage) {
    // Two copies of one house, labelled apart without keeping the codes, read the same.
    test::TempDir other;
    std::filesystem::copy_file(m_dir.file("house.av"), other.file("house.av"));
    std::vector<std::vector<std::string>> read;
    for (const test::TempDir* dir : {&m_dir, &other}) {
        const std::string pdf = dir->file("roll.pdf");
        ASSERT_EQ(runTool({"labels", dir->file("house.av"), "--containers", "--layout", "roll-62",
                           "--pdf", pdf})
                      .exitCode,
                  0);
        std::vector<std::string> texts;
        const std::vector<QImage> pages = renderPages(pdf, *dir);
        ASSERT_EQ(pages.size(), 6u);
        // Page sizes are kept in whole points: within a tenth of a millimetre.
        EXPECT_NEAR(pages[0].width(), pixels(62), pixels(0.2));
        EXPECT_NEAR(pages[0].height(), pixels(100), pixels(0.2));
        for (const QImage& page : pages) {
            const Decoded decoded = decode(page, *dir);
            EXPECT_EQ(decoded.count, 1u);
            texts.push_back(decoded.bytes);
        }
        read.push_back(texts);
    }
    ASSERT_EQ(read[0].size(), 6u);
    EXPECT_EQ(read[0], read[1]);
    EXPECT_EQ(read[0][0].rfind("Shelf\nGarage\n- Box\n", 0), 0u) << read[0][0];
}

TEST_F(LabelPdfTest, RefusalsWriteNoFile) {
    const std::string pdf = m_dir.file("none.pdf");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{m_dir.file("house.av"), "--layout", "210x297 3x8 75x37 0,0 75x37", "--pdf", pdf},
         "do not fit the page"},
        {{m_dir.file("house.av"), "--layout", "a4-3x8", "--start", "25", "--pdf", pdf},
         "labels 1 to 24"},
        {{m_dir.file("house.av"), "--layout", "a5-nothing", "--pdf", pdf}, "no layout"},
        {{m_dir.file("house.av"), "--object", "Ground/Garage/Nothing", "--pdf", pdf},
         "no object \"Ground/Garage/Nothing\""},
        {{m_dir.file("house.av"), "--room", "Ground/Cellar", "--pdf", pdf}, "no room or hall"},
        {{m_dir.file("house.av"), "--start", "x", "--pdf", pdf}, "--start needs"},
        {{m_dir.file("house.av")}, "give --pdf FILE"},
    };
    for (const auto& [args, message] : cases) {
        const auto result = labels(args);
        EXPECT_NE(result.exitCode, 0) << message;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(pdf)) << message;
    }
    const auto listed = labels({"--layouts"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 6);
    EXPECT_EQ(listed.out.rfind("a4-3x8        A4, 3 x 8 labels of 70 x 37 mm\n", 0), 0u);
}

} // namespace
} // namespace ardenvo
