// picture and pictures as a script uses them: one line per file or record, exit codes, messages.
#include "ToolRunner.h"
#include "platform/image/ImageFileMakers.h"

#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

namespace ardenvo::test {
namespace {

// A 3 x 2 PCX of 256 colours: red, green, blue over three greys.
std::string smallPcx() {
    PcxMaker maker{8, 1, 3, 2};
    maker.endPalette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(60, 60, 60)};
    maker.index = [](int x, int y) {
        return y == 0 ? x : 3;
    };
    return maker.file();
}

TEST(ToolPicture, PrintsFormatAndSizeWritesPngAndNamesAFileItCannotUse) {
    TempDir dir;
    const std::string pcx = dir.file("scan.jpg"); // the content decides, not the name
    writeBytes(pcx, smallPcx());
    const std::string png = dir.file("scan.png");
    ToolResult r = runTool({"picture", pcx, "--png", png});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "pcx 3x2\n");
    const QImage written(QString::fromStdString(png), "PNG");
    ASSERT_EQ(written.size(), QSize(3, 2));
    EXPECT_EQ(written.pixel(2, 0), qRgb(0, 0, 255));
    EXPECT_EQ(written.pixel(1, 1), qRgb(60, 60, 60));

    writeBytes(dir.file("notes.png"), "not a picture");
    writeBytes(dir.file("cut.pcx"), smallPcx().substr(0, 129));
    const std::pair<std::string, std::string> bad[] = {
        {dir.file("notes.png"), "Unknown image format"},
        {dir.file("cut.pcx"), "PCX pixel data cut short"},
        {dir.file("missing.gif"), "No such file"},
    };
    for (const auto& [file, message] : bad) {
        r = runTool({"picture", file});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "ardenvo-tool: " + file + ": " + message + "\n");
    }
    r = runTool({"picture", pcx, "--png", dir.file("no-folder/out.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Cannot write " + dir.file("no-folder/out.png")), std::string::npos);

    for (const std::vector<std::string>& args : {std::vector<std::string>{"picture"},
                                                 {"picture", pcx, pcx},
                                                 {"picture", pcx, "--png"},
                                                 {"pictures"},
                                                 {"pictures", "a.av", "--images"}}) {
        r = runTool(args);
        EXPECT_EQ(r.exitCode, 2) << args.size();
        EXPECT_NE(r.err.find("Usage: ardenvo-tool " + args.front()), std::string::npos);
    }
}

TEST(ToolPictures, ListsEveryRecordWithItsOwnerChainAndWhetherItsFileShows) {
    TempDir dir;
    const std::string images = dir.file("Images");
    std::filesystem::create_directory(images);
    writeBytes(images + "/scan.pcx", smallPcx());
    writeBytes(images + "/broken.jpg", "\xFF\xD8 not really");

    CBrenvikaDoc doc;
    doc.newHouse();
    doc.currentSection()->name = "Ground floor";
    CBlock* room = doc.addBlock(1, East, BlockKind::Room);
    room->name = "Bedroom";
    room->pictures.append("Door", "scan.pcx");
    room->pictures.append("Window", "window.png");
    auto wardrobe = std::make_unique<CHouseObject>();
    wardrobe->name = "Wardrobe";
    auto box = std::make_unique<CHouseObject>();
    box->name = "Box";
    box->pictures.append("Lid\tlabel", "broken.jpg");
    box->pictures.append("Same scan", "scan.pcx");
    wardrobe->addChild(NestPosition::Inside, std::move(box));
    room->addFloorObject(std::move(wardrobe));
    const std::string house = dir.file("house.av");
    ASSERT_EQ(saveProject(house, doc), FileError::None);

    ToolResult r = runTool({"pictures", house, "--images", images});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Ground floor\tBedroom\tRoom\tDoor\tscan.pcx\tok 3x2 pcx\n"
                     "Ground floor\tBedroom\tRoom\tWindow\twindow.png\tmissing\n"
                     "Ground floor\tBedroom\tWardrobe > Box\tLid\\tlabel\tbroken.jpg\tunreadable\n"
                     "Ground floor\tBedroom\tWardrobe > Box\tSame scan\tscan.pcx\tok 3x2 pcx\n");
    r = runTool({"pictures", dir.file("none.av")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ardenvo-tool: No such file: " + dir.file("none.av") + "\n");
}

TEST(ToolPictures, ANameLeadingOutOfTheImagesFolderIsMissingAndNeverRead) {
    TempDir dir;
    const std::string images = dir.file("Images");
    std::filesystem::create_directory(images);
    writeBytes(dir.file("private.pcx"), smallPcx());
    std::filesystem::create_symlink(dir.file("private.pcx"), images + "/link.pcx");
    writeBytes(images + "/own.pcx", smallPcx());

    CBrenvikaDoc doc;
    doc.newHouse();
    doc.currentSection()->name = "Home";
    CBlock* room = doc.addBlock(1, East, BlockKind::Room);
    room->name = "Hall";
    for (const std::string& file : {std::string("../private.pcx"), dir.file("private.pcx"),
                                    std::string("link.pcx"), std::string("own.pcx")})
        room->pictures.append("Photo", file);
    const std::string house = dir.file("house.av");
    ASSERT_EQ(saveProject(house, doc), FileError::None);

    const ToolResult r = runTool({"pictures", house, "--images", images});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string out = "\tmissing: The file name leads outside the Images folder\n";
    EXPECT_EQ(r.out, "Home\tHall\tRoom\tPhoto\t../private.pcx" + out + "Home\tHall\tRoom\tPhoto\t" +
                         dir.file("private.pcx") + out + "Home\tHall\tRoom\tPhoto\tlink.pcx" + out +
                         "Home\tHall\tRoom\tPhoto\town.pcx\tok 3x2 pcx\n");
}

} // namespace
} // namespace ardenvo::test
