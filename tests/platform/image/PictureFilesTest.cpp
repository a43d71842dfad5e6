// Which names are picture files, and which picture file names stay inside the Images folder.
#include "platform/image/PictureFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ardenvo::test {
namespace {

TEST(PictureFiles, EveryUsualSpellingOfTheSevenFormatsInAnyCase) {
    for (const char* yes : {"a.bmp", "a.JPG", "a.jpeg", "IMG_0001.JPEG", "a.Jpe", "a.jfif", "a.gif",
                            "a.tga", "a.Pcx", "a.png", "a.tif", "b.c.TIFF", "a.dib"})
        EXPECT_TRUE(hasPictureExtension(yes)) << yes;
    for (const char* no : {"a.txt", "jpg", "a.jpg.bak", "a.", "a.jpgx", "a.svg", ""})
        EXPECT_FALSE(hasPictureExtension(no)) << no;
}

TEST(PictureFiles, ANameLeadingOutOfTheFolderIsRefusedWhateverWayItTakes) {
    namespace fs = std::filesystem;
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path images = root / "Images";
    fs::create_directories(images / "old");
    for (const fs::path& file :
         {images / "lamp.png", images / "old" / "sofa.png", root / "secret.png"})
        std::ofstream(file) << "x";
    fs::create_symlink(root / "secret.png", images / "link-out.png");
    fs::create_symlink(root, images / "up");
    fs::create_symlink(images / "lamp.png", images / "link-in.png");

    const std::string folder = images.string();
    for (const char* ok : {"lamp.png", "old/sofa.png", "link-in.png", "not-there.png", "a..b.png",
                           "up/Images/lamp.png"}) { // a link whose file is inside after all
        const PictureLocation found = locatePicture(folder, ok);
        EXPECT_EQ(found.problem, "") << ok;
        EXPECT_EQ(found.path, (images / ok).string()) << ok;
    }
    const std::string absolute = (root / "secret.png").string();
    for (const std::string& out :
         {std::string("../secret.png"), std::string("old/../../secret.png"),
          std::string("..\\secret.png"), std::string(".."), std::string("/etc/passwd"), absolute,
          std::string("\\server\\x.png"), std::string("C:\\pictures\\x.png"),
          std::string("link-out.png"), std::string("up/secret.png")}) {
        const PictureLocation found = locatePicture(folder, out);
        EXPECT_EQ(found.problem, kLeavesImagesFolder) << out;
        EXPECT_EQ(found.path, "") << out;
    }
    // The folder's own path may run through a link: what counts is where its files are.
    fs::create_symlink(images, root / "Pictures");
    EXPECT_EQ(locatePicture((root / "Pictures").string(), "lamp.png").problem, "");
    EXPECT_EQ(locatePicture((root / "Pictures").string(), "link-out.png").problem,
              kLeavesImagesFolder);
    EXPECT_EQ(locatePicture(folder, "").problem, "No file name");
}

} // namespace
} // namespace ardenvo::test
