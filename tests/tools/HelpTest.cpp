// The usage printed by ardenvo-tool is the one the README documents, and the man page is made
// from it: any drift between the two is a fault in one of them.
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace ardenvo::test;

namespace {

struct UsageEntry {
    std::string name;
    std::string text; // its lines joined by '\n', without the README's indentation
};

// The README's entries of the "## ardenvo-tool" section, each starting at "ardenvo-tool NAME".
std::vector<UsageEntry> readmeEntries() {
    std::ifstream in(ARDENVO_SOURCE_DIR "/README.md");
    std::vector<UsageEntry> entries;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (line.starts_with("## "))
            inSection = line == "## ardenvo-tool";
        if (!inSection || !line.starts_with("    "))
            continue;
        line.erase(0, 4);
        if (line.starts_with("ardenvo-tool ")) {
            const std::size_t end = line.find(' ', 13);
            entries.push_back({line.substr(13, end - 13), line});
        } else if (!entries.empty()) {
            entries.back().text += "\n" + line;
        }
    }
    return entries;
}

// Removes `count` leading blanks from every line (where there are that many).
std::string dedent(const std::string& text, std::size_t count) {
    std::istringstream in(text);
    std::string line, result;
    while (std::getline(in, line)) {
        if (line.compare(0, count, std::string(count, ' ')) == 0)
            line.erase(0, count);
        result += (result.empty() ? "" : "\n") + line;
    }
    return result;
}

} // namespace

TEST(ToolHelp, PrintsEveryCommandAsTheReadmeGivesIt) {
    const auto entries = readmeEntries();
    ASSERT_GE(entries.size(), 10u) << "the README's ardenvo-tool section was not found";

    const ToolResult help = runTool({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.err, "");
    // The commands in README order, indented by two in the help; nothing else in between.
    const std::size_t start = help.out.find("Commands:\n");
    const std::size_t end = help.out.find("\n\nExit codes:");
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    std::string expected;
    for (const auto& e : entries)
        expected += (expected.empty() ? "" : "\n") + e.text;
    EXPECT_EQ(dedent(help.out.substr(start + 10, end - start - 10), 2), expected);

    for (const auto& e : entries) {
        const ToolResult one = runTool({e.name, "--help"});
        EXPECT_EQ(one.exitCode, 0) << e.name;
        ASSERT_TRUE(one.out.starts_with("Usage: ")) << one.out;
        // "Usage: " moves the further lines right by as much, so that they stay aligned.
        EXPECT_EQ(dedent(one.out.substr(7), 7), e.text) << e.name;
    }
}

TEST(ToolHelp, AWrongCommandLineShowsTheCommandsUsageOnTheErrorStream) {
    ToolResult r = runTool({"reminders"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("Usage: ardenvo-tool reminders FILE [--at")) << r.err;
    // The description's lines keep their column after the "Usage: " prefix.
    EXPECT_NE(r.err.find("\n" + std::string(34 + 7, ' ') + "one tab-separated line"),
              std::string::npos)
        << r.err;

    r = runTool({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "ardenvo-tool 1.2\n");
}

// The commands that need poppler, libzip and libqrencode run in a helper program, so ardenvo-tool
// itself starts without those libraries; copied somewhere without its helper, it says what is
// missing instead of failing without a word.
TEST(ToolHelper, AloneLinksNoneOfItsLibrariesAndNamesAMissingHelper) {
    const ToolResult linked = runProgram("/usr/bin/readelf", {"-d", ARDENVO_TOOL});
    ASSERT_EQ(linked.exitCode, 0);
    for (const char* library : {"poppler", "libzip", "qrencode"})
        EXPECT_EQ(linked.out.find(library), std::string::npos) << library;

    const TempDir dir;
    const std::string alone = dir.file("ardenvo-tool");
    std::filesystem::copy_file(ARDENVO_TOOL, alone);
    const ToolResult labels = runProgram(alone, {"labels", "--layouts"});
    EXPECT_EQ(labels.exitCode, 1);
    EXPECT_EQ(labels.err,
              "ardenvo-tool: The command \"labels\" needs ardenvo-tool-helper, which is "
              "not installed beside ardenvo-tool\n");
    EXPECT_EQ(runProgram(alone, {"check", ARDENVO_SOURCE_DIR "/data/family-house.av"}).exitCode, 0);
}
