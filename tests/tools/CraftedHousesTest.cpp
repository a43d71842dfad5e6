// Houses small on disk that are built to make their readers' output or memory explode: a deep
// chain of long names, one object with a great many attributes or children, thousands of distinct
// attribute names. Each writer must stay within a few times the house's own memory (measured
// against "check", which only loads the house) and keep its output in proportion.
#include "ToolRunner.h"

#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <malloc.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace ardenvo::test {
namespace {

// What a writer may hold beyond what loading the house takes: a few times the house's size.
long writerKilobytes(const std::string& house) {
    return 64 * 1024 + 4 * static_cast<long>(std::filesystem::file_size(house) / 1024);
}

constexpr int kChainLength = 255;
constexpr int kEmptyObjects = 500;

// A name of 4000 bytes that starts with its level, so each can be found in the output.
std::string chainName(int level) {
    const std::string head = "Level " + std::to_string(level) + " ";
    return head + std::string(4000 - head.size(), 'n');
}

// The name as a location shows it: cut, marked with an ellipsis.
std::string shownName(int level) {
    return chainName(level).substr(0, 256) + "...";
}

std::unique_ptr<CHouseObject> bare(std::string name = {}) {
    auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    object->name = std::move(name);
    return object;
}

CBlock& firstBlock(CBrenvikaDoc& doc) {
    doc.newHouse();
    return *doc.currentSection()->blocks().front();
}

std::string save(const TempDir& dir, const CBrenvikaDoc& doc, const std::string& name) {
    const std::string path = dir.file(name);
    EXPECT_EQ(saveProject(path, doc), FileError::None);
    return path;
}

// A chain of nested objects with long names, many empty objects inside the last.
std::string saveChainHouse(const TempDir& dir) {
    CBrenvikaDoc doc;
    CBlock& block = firstBlock(doc);
    auto top = bare(chainName(0));
    CHouseObject* last = top.get();
    for (int level = 1; level < kChainLength; ++level)
        last = &last->addChild(NestPosition::Inside, bare(chainName(level)));
    for (int i = 0; i < kEmptyObjects; ++i)
        last->appendChildAsStored(NestPosition::Inside, bare());
    block.addFloorObject(std::move(top));
    return save(dir, doc, "chain.av");
}

class CraftedHouse : public ::testing::Test {
protected:
    // Runs the command on the house with its output in a file; checks that it succeeded within
    // the memory allowed and returns its output. A child's peak counts the memory of this process
    // when it was forked, so what this process freed is handed back first.
    std::string runWithin(const std::string& house, std::vector<std::string> args,
                          const std::string& outFile = {}) {
        malloc_trim(0);
        const ToolResult loaded = runTool({"check", house});
        EXPECT_EQ(loaded.exitCode, 0) << loaded.err;
        const std::string out = outFile.empty() ? m_dir.file("out") : outFile;
        const ToolResult r = runTool(args, outFile.empty() ? out : std::string());
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_LT(r.peakKilobytes, loaded.peakKilobytes + writerKilobytes(house)) << args.front();
        return readBytes(out);
    }

    TempDir m_dir;
};

TEST_F(CraftedHouse, ADeepChainNamesOnlyTheNearestContainersInEveryWriter) {
    const std::string house = saveChainHouse(m_dir);
    const auto houseBytes = std::filesystem::file_size(house);
    // Each row names its object and three containers at most, each by a name of limited length.
    const auto bound = [&](const std::string& out) {
        EXPECT_LT(out.size(), 4 * houseBytes);
    };
    const std::string deepest = "..., inside the " + shownName(252) + ", inside the " +
                                shownName(253) + ", inside the " + shownName(254);

    const std::string html =
        runWithin(house, {"report", house, "--no-photos", "--html", m_dir.file("report.html")},
                  m_dir.file("report.html"));
    bound(html);
    // The location is the second cell of each object's row.
    const std::string cell = "<td width=\"26%\">";
    EXPECT_NE(html.find(cell + deepest + "</td>"), std::string::npos);
    EXPECT_NE(html.find(cell + "On the floor, inside the " + shownName(0) + ", inside the " +
                        shownName(1) + "</td>"),
              std::string::npos); // near the floor the whole way is named

    const std::string search = runWithin(house, {"search", house, "--names", ""});
    bound(search);
    EXPECT_NE(search.find("\t<td>" + deepest + "</td>"), std::string::npos);

    const std::string csv = runWithin(house, {"csv", house});
    bound(csv);
    EXPECT_NE(csv.find(",\"inside the " + shownName(254) + ", inside the " + shownName(253) +
                       ", inside the " + shownName(252) + ", ...\","),
              std::string::npos);
}

std::string saveLongNotesHouse(const TempDir& dir) {
    CBrenvikaDoc doc;
    auto object = bare("Diary");
    object->notes = std::string(9 << 20, 'w');
    firstBlock(doc).addFloorObject(std::move(object));
    return save(dir, doc, "notes.av");
}

TEST_F(CraftedHouse, APageTooLargeToLayOutIsRefusedAndHtmlStillWritten) {
    const std::string house = saveLongNotesHouse(m_dir);

    const std::string pdf = m_dir.file("report.pdf");
    const ToolResult r = runTool({"report", house, "--no-photos", "--pdf", pdf});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("too large to lay out as pages"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(pdf));

    const std::string html = m_dir.file("report.html");
    runWithin(house, {"report", house, "--no-photos", "--html", html}, html);
    EXPECT_GT(std::filesystem::file_size(html), std::size_t{9} << 20);
}

// One object with very many empty attributes, another with very many empty children.
std::string saveWideHouse(const TempDir& dir) {
    CBrenvikaDoc doc;
    auto crowded = bare("Crowded");
    CFieldList& category = crowded->appendCategory(std::make_unique<CFieldList>());
    for (int i = 0; i < 200000; ++i)
        category.append("", "");
    auto parent = bare("Parent");
    for (int i = 0; i < 50000; ++i)
        parent->appendChildAsStored(NestPosition::Under, bare());
    CBlock& block = firstBlock(doc);
    block.addFloorObject(std::move(crowded));
    block.addFloorObject(std::move(parent));
    return save(dir, doc, "wide.av");
}

TEST_F(CraftedHouse, JsonIsWrittenAsTheHouseIsWalked) {
    const std::string house = saveWideHouse(m_dir);
    const std::string out = runWithin(house, {"json", house});
    const auto parsed = nlohmann::ordered_json::parse(out);
    const auto& objects = parsed["sections"][0]["blocks"][0]["objects"];
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]["categories"][0]["fields"].size(), 200000u);
    EXPECT_EQ(objects[1]["under"].size(), 50000u);
    // Laid out exactly as the whole document would be.
    EXPECT_EQ(out, parsed.dump(2) + "\n");
}

constexpr int kNamedObjects = 3000;

// Objects on the floor, each with an attribute of its own name.
std::string saveManyNamesHouse(const TempDir& dir) {
    CBrenvikaDoc doc;
    CBlock& block = firstBlock(doc);
    for (int i = 0; i < kNamedObjects; ++i) {
        auto object = bare("Thing " + std::to_string(i));
        object->appendCategory(std::make_unique<CFieldList>("Category"))
            .append("A" + std::to_string(i), "v" + std::to_string(i));
        block.appendFloorObjectAsStored(std::move(object));
    }
    return save(dir, doc, "names.av");
}

TEST_F(CraftedHouse, CsvOfThousandsOfAttributeNamesKeepsItsColumnsFew) {
    const std::string house = saveManyNamesHouse(m_dir);

    const std::string csv = runWithin(house, {"csv", house});
    const std::string header = csv.substr(0, csv.find("\r\n"));
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), 5 + 1000);
    EXPECT_TRUE(header.ends_with(",Category/A999,Other attributes")) << header.substr(0, 200);
    const std::string empties(999, ',');
    EXPECT_NE(csv.find(",Thing 0,,v0" + empties + ",\r\n"), std::string::npos);
    EXPECT_NE(csv.find(",Thing 2999,," + empties + ",Category/A2999: v2999\r\n"),
              std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), kNamedObjects + 1);
}

} // namespace
} // namespace ardenvo::test
