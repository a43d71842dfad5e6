// import: a CSV into a house from the command line, and our own csv export coming back whole.
#include "ToolRunner.h"

#include "model/CBrenvikaDoc.h"
#include "model/CSection.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ardenvo::test {
namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void spill(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Export, import into an empty house, export again: the same rows, nesting and attribute
// order included.
TEST(ImportTool, OurOwnExportComesBackTheSame) {
    for (const char* name : {"family-house.av", "small-flat.av"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        const ToolResult exported =
            runTool({"csv", ARDENVO_SOURCE_DIR "/data/" + std::string(name)});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        spill(dir.file("house.csv"), exported.out);
        ASSERT_EQ(runTool({"new", dir.file("empty.av")}).exitCode, 0);
        const ToolResult imported =
            runTool({"import", dir.file("empty.av"), dir.file("house.csv")});
        ASSERT_EQ(imported.exitCode, 0) << imported.err;
        EXPECT_EQ(imported.err, "");
        const ToolResult again = runTool({"csv", dir.file("empty.av")});
        ASSERT_EQ(again.exitCode, 0);
        EXPECT_EQ(again.out, exported.out);
    }
}

TEST(ImportTool, MapsRoomsAndDryRunsAsAsked) {
    TempDir dir;
    const std::string house = dir.file("house.av");
    ASSERT_EQ(runTool({"new", house}).exitCode, 0);
    spill(dir.file("things.csv"), "Thing;Where;Cost\nLamp;Study;12\nVase;;3\n\"broken\"x;;\n");

    // A dry run tells and writes nothing.
    const std::string before = slurp(house);
    ToolResult r = runTool({"import", house, dir.file("things.csv"), "--map", "Thing=name", "--map",
                            "Where=room", "--map", "3=Value/Price paid", "--dry-run"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "House/I'm a hall\t1 object\n"
                     "House/Study\t1 object\tnew room\n"
                     "Would add 2 objects in 2 rooms (1 new); 1 not taken\n");
    EXPECT_NE(r.err.find("things.csv line 4: not taken: broken quote"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(house), before);

    // --room takes the rows without a room; with the room column left out, every row.
    r = runTool({"import", house, dir.file("things.csv"), "--map", "Thing=name", "--map",
                 "Where=leave out", "--room", "House/I'm a hall"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Added 2 objects in 1 room (0 new)"), std::string::npos) << r.out;
    CBrenvikaDoc doc;
    ASSERT_EQ(readProject(slurp(house), doc), FileError::None);
    EXPECT_EQ(doc.sectionAt(0)->blockAt(0)->floorObjects().size(), 2u);

    // The same again is warned of, and its names numbered.
    r = runTool({"import", house, dir.file("things.csv"), "--map", "Thing=name", "--map",
                 "Where=leave out"});
    EXPECT_NE(r.err.find("may have been imported before"), std::string::npos) << r.err;

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"import", house},
          {"import", house, dir.file("things.csv"), "--map", "Thing"},
          {"import", house, dir.file("things.csv"), "--map", "Thing=somewhere"},
          {"import", house, dir.file("things.csv"), "--frobnicate"}})
        EXPECT_EQ(runTool(wrong).exitCode, 2) << wrong.back();
    EXPECT_EQ(runTool({"import", house, dir.file("missing.csv")}).exitCode, 1);
    EXPECT_EQ(runTool({"import", house, dir.file("things.csv"), "--room", "No/Such"}).exitCode, 1);
}

} // namespace
} // namespace ardenvo::test
