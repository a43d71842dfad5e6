// new, check and info as a script uses them: exit codes, streams, messages.
#include "ToolRunner.h"

#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <memory>

namespace ardenvo::test {
namespace {

std::string newHouseBytes() {
    CBrenvikaDoc doc;
    doc.newHouse();
    return writeProject(doc);
}

TEST(ToolNewAndCheck, NewWritesTheNewHouseThatCheckAccepts) {
    TempDir dir;
    const std::string path = dir.file("house.av");

    ToolResult made = runTool({"new", path});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(readBytes(path), newHouseBytes());
    ToolResult checked = runTool({"check", path});
    EXPECT_EQ(checked.exitCode, 0);
    EXPECT_EQ(checked.out + checked.err, "");

    // An existing file is somebody's house: kept unless the caller insists.
    writeBytes(path, "my inventory");
    ToolResult refused = runTool({"new", path});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("File exists: " + path), std::string::npos) << refused.err;
    EXPECT_EQ(readBytes(path), "my inventory");

    ToolResult forced = runTool({"new", "--force", path});
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(readBytes(path), newHouseBytes());

    ToolResult nowhere = runTool({"new", dir.file("no-such-folder/house.av")});
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_NE(nowhere.err.find("Failed to save document."), std::string::npos) << nowhere.err;
}

TEST(ToolCheck, EveryKindOfBadFileGivesExitOneAndItsMessageOnStderr) {
    TempDir dir;
    const std::string good = newHouseBytes();

    const std::string missing = dir.file("missing.av");
    ToolResult r = runTool({"check", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "ardenvo-tool: No such file: " + missing + "\n");

    r = runTool({"check", dir.path().string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Not a file: "), std::string::npos) << r.err;

    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    std::string wrongHeader = good;
    wrongHeader[0] = 9; // format id 9
    wrongHeader[4] = 7; // version 7
    std::string hugeCount = good;
    hugeCount[8] = '\xFF'; // a section count of about two thousand million
    hugeCount[11] = '\x7F';
    const Case cases[] = {
        {"empty.av", "", "Unexpected file format."},
        {"header.av", wrongHeader, "Wrong version of Ardenvo project"},
        {"cut.av", good.substr(0, 100), "Unexpected file format."},
        {"count.av", hugeCount, "Unexpected file format."},
    };
    for (const Case& c : cases) {
        const std::string path = dir.file(c.name);
        writeBytes(path, c.bytes);
        r = runTool({"check", path});
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err, "ardenvo-tool: " + path + ": " + c.message + "\n") << c.name;
    }

    // Every command that reads a house says the same and prints nothing else.
    for (const char* command : {"info", "json", "csv"}) {
        r = runTool({command, missing});
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_EQ(r.err, "ardenvo-tool: No such file: " + missing + "\n") << command;
    }
}

TEST(ToolCommandLine, WrongArgumentsGiveTheUsageAndExitTwo) {
    ToolResult r = runTool({});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("Usage: ardenvo-tool"), std::string::npos);

    r = runTool({"frobnicate"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("unknown command"), std::string::npos);

    for (const char* command : {"new", "check", "info", "json", "csv"}) {
        r = runTool({command});
        EXPECT_EQ(r.exitCode, 2) << command;
        EXPECT_NE(r.err.find(std::string("Usage: ardenvo-tool ") + command), std::string::npos)
            << r.err;
        r = runTool({command, "a.av", "b.av"});
        EXPECT_EQ(r.exitCode, 2) << command;
    }
    EXPECT_EQ(runTool({"--help"}).exitCode, 0);
}

TEST(ToolInfo, CountsNestedObjectsAndEverythingTheyCarry) {
    TempDir dir;
    CBrenvikaDoc doc;
    doc.newHouse();
    CBlock* room = doc.addBlock(1, East, BlockKind::Room);
    room->pictures.append("Door", "door.jpg");
    room->pictures.append("Window", "window.jpg");
    auto table = std::make_unique<CHouseObject>(); // three default categories
    auto box = std::make_unique<CHouseObject>();
    box->addCategory();
    box->pictures.append("Lid", "lid.png");
    auto ring = std::make_unique<CHouseObject>();
    ring->addReminder(std::make_unique<CReminder>(LocalDateTime{2030, 5, 1, 8, 0, 0}));
    ring->addReminder(std::make_unique<CReminder>(LocalDateTime{2031, 5, 1, 8, 0, 0}));
    box->addChild(NestPosition::Inside, std::move(ring));
    table->addChild(NestPosition::OnTop, std::move(box));
    table->addChild(NestPosition::Under, std::make_unique<CHouseObject>());
    room->addFloorObject(std::move(table));
    doc.appendSection(std::make_unique<CSection>());
    const std::string path = dir.file("counted.av");
    ASSERT_EQ(saveProject(path, doc), FileError::None);

    ToolResult r = runTool({"info", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Sections: 2\n"
                     "Blocks: 3\n"
                     "Objects: 4\n"
                     "Categories: 13\n"
                     "Pictures: 3\n"
                     "Reminders: 2\n");
}

TEST(ToolOutput, AWriteThatFailsIsAnErrorNotACutOffListing) {
    const std::string house = ARDENVO_SOURCE_DIR "/data/family-house.av";
    for (const char* command : {"info", "json", "csv"}) {
        ToolResult r = runTool({command, house}, "/dev/full");
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_NE(r.err.find("Failed to write the output"), std::string::npos) << command;
    }
}

TEST(ToolPlace, EveryProgramRunsFromTheBuildsBinFolder) {
    // Where the README sends users, beside ardenvo and ardenvoreminder.
    const std::string bin = ARDENVO_BINARY_DIR "/bin/";
    TempDir dir;
    ToolResult r = runProgram(bin + "ardenvo-tool", {"new", dir.file("house.av")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = runProgram(bin + "make-sample-houses", {dir.path().string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

} // namespace
} // namespace ardenvo::test
