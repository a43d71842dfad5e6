// The houses shipped in data/: made by the generator, and a plan a user can open and work with.
#include "ToolRunner.h"

#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace ardenvo::test {
namespace {

const char* const kSamples[] = {"small-flat.av", "family-house.av"};

std::string samplePath(const std::string& name) {
    return std::string(ARDENVO_SOURCE_DIR) + "/data/" + name;
}

bool overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void forEachObject(const CHouseObject& object,
                   const std::function<void(const CHouseObject&, int depth, int position)>& visit,
                   int depth = 0, int position = -1) {
    visit(object, depth, position);
    for (int p = 0; p < kNestPositionCount; ++p)
        for (const auto& child : object.children(static_cast<NestPosition>(p)))
            forEachObject(*child, visit, depth + 1, p);
}

TEST(SampleHouses, TheGeneratorMakesExactlyTheCommittedFiles) {
    // Fails when the generator, the writer or the layout changed and data/ was not regenerated
    // (make-sample-houses data), or when the output stopped being deterministic.
    TempDir dir;
    ToolResult r = runProgram(MAKE_SAMPLE_HOUSES, {dir.path().string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* name : kSamples) {
        const std::string made = readBytes(dir.file(name));
        ASSERT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == readBytes(samplePath(name))) << name << " differs from data/";
    }

    r = runProgram(MAKE_SAMPLE_HOUSES, {dir.file("no-such-folder")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("not a folder"), std::string::npos);
}

TEST(SampleHouses, PlansAreConnectedWithoutOverlapsAndObjectsFitTheirBlocks) {
    for (const char* name : kSamples) {
        SCOPED_TRACE(name);
        CBrenvikaDoc doc;
        ASSERT_EQ(loadProject(samplePath(name), doc), FileError::None);
        for (const auto& section : doc.sections()) {
            SCOPED_TRACE(section->name);
            const auto& blocks = section->blocks();
            std::set<std::string> names;
            for (std::size_t i = 0; i < blocks.size(); ++i) {
                const CBlock& a = *blocks[i];
                EXPECT_TRUE(names.insert(a.name).second) << "two blocks named " << a.name;
                EXPECT_LT(a.id, section->nextBlockId);
                EXPECT_GE(a.neighbourCount(), 1) << a.name;
                for (int side = 0; side < 4; ++side) {
                    const std::int32_t id = a.neighbours[side];
                    if (!id)
                        continue;
                    const CBlock* b = section->findBlockById(id);
                    ASSERT_NE(b, nullptr) << a.name;
                    EXPECT_EQ(b->neighbours[oppositeSide(side)], a.id) << a.name << "/" << b->name;
                }
                for (std::size_t j = i + 1; j < blocks.size(); ++j)
                    EXPECT_FALSE(overlaps(a.rect(), blocks[j]->rect()))
                        << a.name << " overlaps " << blocks[j]->name;

                const Size minimum = a.minimumBlockSize();
                EXPECT_LE(minimum.width, a.rect().width()) << a.name;
                EXPECT_LE(minimum.height, a.rect().height()) << a.name;
                for (const auto& floor : a.floorObjects())
                    forEachObject(*floor, [&](const CHouseObject& o, int, int) {
                        const Rect& r = o.location.rect;
                        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= a.rect().width() &&
                                    r.bottom <= a.rect().height() && !r.isEmpty())
                            << o.name << " in " << a.name;
                    });
            }
        }
    }
}

TEST(SampleHouses, EveryCutAndEveryChangedByteLoadsOrGivesTheFormatMessage) {
    for (const char* name : kSamples) {
        SCOPED_TRACE(name);
        const std::string good = readBytes(samplePath(name));
        ASSERT_GT(good.size(), 158u);
        auto expectLoadsOrRefuses = [](const std::string& bytes, bool headerChanged) {
            CBrenvikaDoc doc;
            const FileError e = readProject(bytes, doc);
            const bool acceptable = e == FileError::None || e == FileError::UnexpectedFormat ||
                                    (headerChanged && e == FileError::WrongVersion);
            // The document is a usable house whatever happened.
            return acceptable && doc.sectionCount() >= 1 && doc.currentSection() != nullptr;
        };
        for (std::size_t length = 0; length < good.size(); ++length)
            ASSERT_TRUE(expectLoadsOrRefuses(good.substr(0, length), length < 8))
                << "cut at " << length;
        std::string changed = good;
        for (std::size_t i = 0; i < good.size(); ++i) {
            for (const unsigned char flip : {0xFFu, 0x01u, 0x80u}) {
                changed[i] = static_cast<char>(static_cast<unsigned char>(good[i]) ^ flip);
                ASSERT_TRUE(expectLoadsOrRefuses(changed, i < 8)) << "byte " << i;
            }
            changed[i] = good[i];
        }
    }
}

} // namespace
} // namespace ardenvo::test
