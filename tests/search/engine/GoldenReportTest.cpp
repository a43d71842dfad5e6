// ardenvo-tool search on a fixture house, compared byte for byte with committed reports.
// ARDENVO_UPDATE_GOLDEN=1 rewrites the committed files instead (review the diff before committing).
#include "FixtureHouse.h"

#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/wait.h>
#include <unistd.h>

namespace ardenvo {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string quoted(const std::string& arg) {
    std::string out = "'";
    for (const char c : arg)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

class GoldenReportTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef ARDENVO_TOOL
        GTEST_SKIP() << "ardenvo-tool is not built";
#endif
        m_dir = fs::temp_directory_path() / ("ardenvo-golden-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        CBrenvikaDoc doc;
        testing::buildSearchHouse(doc);
        ASSERT_EQ(saveProject((m_dir / "search.av").string(), doc), FileError::None);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    // Runs the tool with the fixture house and the arguments; the exit code, stdout in `out`.
    int tool(const std::vector<std::string>& args, std::string& out) {
#ifdef ARDENVO_TOOL
        std::string command =
            quoted(ARDENVO_TOOL) + " search " + quoted((m_dir / "search.av").string());
        for (const auto& a : args)
            command += " " + quoted(a);
        command += " > " + quoted((m_dir / "out.txt").string()) + " 2> " +
                   quoted((m_dir / "err.txt").string());
        const int status = std::system(command.c_str());
        out = readFile(m_dir / "out.txt");
        m_err = readFile(m_dir / "err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#else
        (void)args;
        (void)out;
        return -1;
#endif
    }

    void expectGolden(const std::string& name, const std::vector<std::string>& args) {
        std::string out;
        ASSERT_EQ(tool(args, out), 0) << m_err;
        const fs::path golden = fs::path(ARDENVO_SOURCE_DIR) / "tests/search/engine/golden" / name;
        if (std::getenv("ARDENVO_UPDATE_GOLDEN")) {
            std::ofstream(golden, std::ios::binary) << out;
            return;
        }
        ASSERT_TRUE(fs::exists(golden)) << golden;
        EXPECT_EQ(out, readFile(golden)) << name;
    }

    fs::path m_dir;
    std::string m_err;
};

TEST_F(GoldenReportTest, ReportsMatchTheCommittedFiles) {
    expectGolden("names-lamp.html", {"--names", "lamp", "--title", "Lamps & lights"});
    expectGolden("notes-or-field.html", {"--notes", "CUTLERY", "--field", "colour"});
    expectGolden("field-sum-kitchen.html", {"--field", "paid", "--compare", "5", "--room",
                                            "Ground floor/K\xC3\xBC"
                                            "che",
                                            "--title", "Kitchen value"});
    expectGolden("field-ends-with.html", {"--field", "PRICE", "--compare", "2", "--value", "ab"});
    expectGolden("average-nothing-found.html", {"--field", "warranty", "--compare", "6"});
    expectGolden("maximum-cellar-and-hall.html",
                 {"--field", "paid", "--compare", "7", "--room", "Cellar/Store", "--room",
                  "Ground floor/I'm a hall"});
    // The whole house holds "abab", which sets no minimum and so is not listed.
    expectGolden("minimum-whole-house.html", {"--field", "paid", "--compare", "8"});
}

TEST_F(GoldenReportTest, OutFileGetsTheSameBytes) {
    std::string out;
    const std::string path = (m_dir / "report.html").string();
    ASSERT_EQ(tool({"--names", "k\xC3\xBC", "--out", path}, out), 0) << m_err;
    EXPECT_TRUE(out.empty());
    std::string direct;
    ASSERT_EQ(tool({"--names", "k\xC3\xBC"}, direct), 0);
    EXPECT_EQ(readFile(path), direct);
    EXPECT_NE(direct.find("K\xC3\x9C"
                          "HLSCHRANK"),
              std::string::npos); // an old file's Windows-1252 name, written as UTF-8
}

TEST_F(GoldenReportTest, BadCommandLinesAndFilesFailClearly) {
    std::string out;
    EXPECT_EQ(tool({}, out), 2);
    EXPECT_NE(m_err.find("Check at least one check box"), std::string::npos);
    EXPECT_EQ(tool({"--names"}, out), 2);
    EXPECT_EQ(tool({"--names", "x", "--compare", "9", "--field", "y"}, out), 2);
    EXPECT_EQ(tool({"--names", "x", "--value", "3"}, out), 2);   // a value needs a field
    EXPECT_EQ(tool({"--field", "x", "--compare", "3"}, out), 2); // "greater than" needs a value
    EXPECT_EQ(tool({"--names", "x", "--bogus", "1"}, out), 2);
    EXPECT_EQ(tool({"--names", "x", "--room", "Attic/Box"}, out), 1);
    EXPECT_NE(m_err.find("Attic/Box"), std::string::npos);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(tool({"--names", "x", "--out", (m_dir / "no/such/dir.html").string()}, out), 1);
    EXPECT_NE(m_err.find("no/such/dir.html"), std::string::npos);

    std::ofstream(m_dir / "search.av", std::ios::binary) << "not a house";
    EXPECT_EQ(tool({"--names", "x"}, out), 1);
    EXPECT_TRUE(out.empty());
}

} // namespace
} // namespace ardenvo
