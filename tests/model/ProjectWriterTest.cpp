// Large houses are written with their rooms serialised on several threads: the bytes must be the
// same, in the same order, whatever thread wrote a room and however many help, and a refused piece
// must end the write.
#include "model/ProjectWriter.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace ardenvo;

namespace {

// Sections of many small rooms (with empty ones and nested objects among them) around one room
// too large to be collected in memory, so that every way a room reaches the file is taken.
std::unique_ptr<CBrenvikaDoc> largeHouse() {
    auto doc = std::make_unique<CBrenvikaDoc>();
    doc->clearSections();
    int number = 0;
    for (int s = 0; s < 3; ++s) {
        auto section = std::make_unique<CSection>();
        section->name = "Floor " + std::to_string(s);
        section->clearBlocks();
        for (int b = 0; b < 150; ++b) {
            auto room = CBlock::create(BlockKind::Room);
            room->id = section->nextBlockId++;
            room->name = "Room " + std::to_string(b);
            const int objects = s == 1 && b == 70 ? 4500 : b % 7 == 0 ? 0 : 1 + b % 13;
            for (int i = 0; i < objects; ++i) {
                auto o = std::make_unique<CHouseObject>();
                o->name = "Object " + std::to_string(number++);
                o->categories()[1]->entryAt(0).value = std::to_string(number) + ".25";
                if (i % 3 == 0)
                    o->addChild(NestPosition::Inside, std::make_unique<CHouseObject>());
                room->appendFloorObjectAsStored(std::move(o));
            }
            section->appendBlockAsStored(std::move(room));
        }
        doc->appendSection(std::move(section));
    }
    return doc;
}

std::string inPieces(const CBrenvikaDoc& doc) {
    std::string joined;
    const bool written = writeProjectInPieces(doc, [&joined](std::string_view piece) {
        joined += piece;
        return true;
    });
    EXPECT_TRUE(written);
    return joined;
}

// The house's records written with `helpers` threads helping, handed on in pieces to a sink that
// refuses the piece after `accepted` (all when negative); counts the pieces offered.
std::string writtenWith(const CBrenvikaDoc& doc, unsigned helpers, int accepted = -1,
                        int* offered = nullptr) {
    std::string joined;
    int pieces = 0;
    const ArchiveWriter::Sink sink = [&](std::string_view piece) {
        if (accepted >= 0 && pieces++ >= accepted)
            return false;
        joined += piece;
        return true;
    };
    try {
        ArchiveWriter out(sink); // keeps the sink by reference
        writeHouse(doc, out, helpers);
        out.finish();
    } catch (const ArchiveSinkFailed&) {
        joined = "refused";
    }
    if (offered)
        *offered = pieces;
    return joined;
}

// Every room's name and its floor objects' names and values, in file order.
std::string contentsOf(const CBrenvikaDoc& doc) {
    std::string out;
    for (const auto& s : doc.sections())
        for (const auto& b : s->blocks()) {
            out += b->name + ":";
            for (const auto& o : b->floorObjects())
                out += o->name + "=" + o->categories()[1]->entryAt(0).value.str() + "+" +
                       std::to_string(o->children(NestPosition::Inside).size()) + ",";
        }
    return out;
}

TEST(ProjectWriter, ALargeHouseGivesTheSameBytesInOrderEveryTime) {
    const auto doc = largeHouse();
    const std::string bytes = writeProject(*doc);
    CBrenvikaDoc back;
    ASSERT_EQ(readProject(bytes, back), FileError::None);
    EXPECT_EQ(contentsOf(back), contentsOf(*doc));
    EXPECT_EQ(writeProject(back), bytes);
    // Which thread takes which room differs from run to run; the file may not.
    for (int run = 0; run < 20; ++run)
        ASSERT_EQ(inPieces(*doc), bytes) << "run " << run;
}

// Pinned, so that a machine with one core still runs the helpers.
TEST(ProjectWriter, NoHelperOneOrThreeGiveTheSameBytes) {
    const auto doc = largeHouse();
    const std::string alone = writtenWith(*doc, 0);
    ASSERT_GT(alone.size(), ArchiveWriter::kPieceBytes); // handed on in several pieces
    EXPECT_EQ(writeProject(*doc), alone);
    for (const unsigned helpers : {1u, 3u})
        for (int run = 0; run < 10; ++run)
            ASSERT_EQ(writtenWith(*doc, helpers), alone) << helpers << " helpers, run " << run;
}

TEST(ProjectWriter, ARefusedPieceEndsTheWriteAtOnce) {
    const auto doc = largeHouse();
    for (const int accepted : {0, 1, 2}) {
        int pieces = 0;
        const bool written = writeProjectInPieces(
            *doc, [&pieces, accepted](std::string_view) { return pieces++ < accepted; });
        EXPECT_FALSE(written);
        EXPECT_EQ(pieces, accepted + 1);
        for (const unsigned helpers : {0u, 1u, 3u}) {
            int offered = 0;
            EXPECT_EQ(writtenWith(*doc, helpers, accepted, &offered), "refused") << helpers;
            EXPECT_EQ(offered, accepted + 1) << helpers << " helpers";
        }
    }
}

} // namespace
