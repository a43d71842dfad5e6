// versions, diff, export and import-archive as a script uses them.
#include "ToolRunner.h"

#include "history/VersionStore.h"
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "platform/ProjectKey.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace ardenvo::test {
namespace {

namespace fs = std::filesystem;

std::string houseWith(const TempDir& dir, const std::string& name,
                      const std::vector<std::string>& objects, const std::string& picture = {}) {
    CBrenvikaDoc doc;
    doc.newHouse();
    CBlock& hall = *doc.currentSection()->blocks()[0];
    for (const std::string& objectName : objects) {
        auto object = std::make_unique<CHouseObject>();
        object->name = objectName;
        if (!picture.empty())
            object->pictures.append("Photo", picture);
        hall.addFloorObject(std::move(object));
    }
    const std::string path = dir.file(name);
    writeBytes(path, writeProject(doc));
    return path;
}

TEST(VersionsTool, DiffTellsWhatEachSideChangedAndVersionsListsTheKeptOnes) {
    TempDir dir;
    const std::string house = houseWith(dir, "house.av", {"Sofa", "Lamp"});
    const std::string copy = houseWith(dir, "house (conflicted copy).av", {"Sofa", "Desk"});
    ToolResult diff = runTool({"diff", house, copy});
    EXPECT_EQ(diff.exitCode, 0) << diff.err;
    EXPECT_EQ(diff.out, "House / I'm a hall\n  Added: Desk\n  Removed: Lamp\n");
    EXPECT_EQ(runTool({"diff", house}).exitCode, 2);
    EXPECT_EQ(runTool({"diff", house, dir.file("missing.av")}).exitCode, 1);

    // Two versions kept in the data folder the tool is given, one of them damaged.
    const std::string data = dir.file("data");
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    VersionStore store(versionsFolderFor(projectKey(house)));
    ASSERT_EQ(store.keep(house).result, KeepOutcome::Result::Kept);
    writeBytes(store.folder() + "/" + VersionStore::nameFor(1000), "not a house");
    ToolResult listed = runTool({"versions", house});
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    const std::string size = std::to_string(fs::file_size(house));
    EXPECT_NE(listed.out.find("\t" + size + "\t2\t" + store.folder() + "/"), std::string::npos)
        << listed.out;
    EXPECT_NE(
        listed.out.find("\t11\tdamaged\t" + store.folder() + "/1970-01-01T00-00-01.000Z.av\n"),
        std::string::npos)
        << listed.out;
}

// A script's change to a house keeps the house as it was, as a save in the main program does; a
// version that cannot be kept is told, and the change is written all the same.
TEST(VersionsTool, AnImportKeepsTheHouseAsItWasAmongItsVersions) {
    TempDir dir;
    const std::string house = houseWith(dir, "house.av", {"Sofa"});
    writeBytes(dir.file("things.csv"), "Name\nLamp\n");
    const std::string before = readBytes(house);
    ::setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
    const ToolResult imported = runTool({"import", house, dir.file("things.csv")});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    const std::vector<HouseVersion> kept =
        VersionStore(versionsFolderFor(projectKey(house))).versions();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(readBytes(kept[0].path), before);

    writeBytes(dir.file("not a folder"), "");
    ::setenv("XDG_DATA_HOME", dir.file("not a folder").c_str(), 1);
    const std::string once = readBytes(house);
    const ToolResult again = runTool({"import", house, dir.file("things.csv")});
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NE(again.err.find("warning: the earlier version of " + house + " could not be kept"),
              std::string::npos)
        << again.err;
    EXPECT_NE(readBytes(house), once);
}

TEST(VersionsTool, ExportAndImportArchiveCarryTheHouseAndItsPictures) {
    TempDir dir;
    fs::create_directories(dir.file("old/Images"));
    writeBytes(dir.file("old/Images/sofa.jpg"), "sofa pixels");
    const std::string house = houseWith(dir, "house.av", {"Sofa", "Chair"}, "sofa.jpg");
    const std::string zip = dir.file("house.zip");
    ToolResult exported = runTool({"export", house, "--zip", zip, "--images",
                                   dir.file("old/Images"), "--documents", dir.file("old/Docs")});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, "Pictures: 1\nDocuments: 0\n");

    fs::create_directories(dir.file("new/Images"));
    writeBytes(dir.file("new/Images/sofa.jpg"), "another sofa");
    fs::create_directories(dir.file("to"));
    writeBytes(dir.file("to/house.av"), "a house already there");
    ToolResult imported = runTool({"import-archive", zip, "--to", dir.file("to"), "--images",
                                   dir.file("new/Images"), "--documents", dir.file("new/Docs")});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out,
              "House: " + dir.file("to/house 2.av") +
                  "\nPictures: 1\nDocuments: 0\nrenamed\tImages/sofa.jpg\tsofa 2.jpg\n");
    EXPECT_EQ(readBytes(dir.file("to/house.av")), "a house already there");
    EXPECT_EQ(readBytes(dir.file("new/Images/sofa 2.jpg")), "sofa pixels");
    CBrenvikaDoc doc;
    ASSERT_EQ(loadProject(dir.file("to/house 2.av"), doc), FileError::None);
    EXPECT_EQ(doc.currentSection()->blocks()[0]->floorObjects()[1]->pictures.entryAt(0).value.str(),
              "sofa 2.jpg");

    EXPECT_EQ(runTool({"import-archive", zip}).exitCode, 2);
    EXPECT_EQ(runTool({"import-archive", house, "--to", dir.file("to")}).exitCode, 1);
}

} // namespace
} // namespace ardenvo::test
