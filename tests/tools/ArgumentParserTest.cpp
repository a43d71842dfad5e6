// The reader of the commands' options, in both styles: what a command line gives, and the exact
// text a wrong one shows.
#include "tools/ArgumentParser.h"

#include <gtest/gtest.h>

#include <sstream>

using ardenvo::tool::ArgumentParser;

namespace {

const std::string kUsage = "ardenvo-tool x FILE [--out F]";
const std::string kShownUsage = "Usage: " + kUsage + "\n";

struct Reading {
    bool ok = false;
    std::string file;
    std::string err;
};

Reading read(const ArgumentParser& parser, const std::vector<std::string>& args) {
    Reading r;
    std::ostringstream err;
    r.ok = parser.parse(args, r.file, err);
    r.err = err.str();
    return r;
}

} // namespace

TEST(ArgumentParser, TerseTakesEachOptionOnceAndOneFileElseShowsTheUsage) {
    std::string out;
    bool force = false;
    ArgumentParser parser(kUsage, ArgumentParser::Style::Terse);
    parser.flag("--force", force).option("--out", out).option("--at", [](const std::string& v) {
        return v == "bad" ? "--at wants a time, not \"" + v + "\"" : std::string();
    });

    Reading r = read(parser, {"--force", "--out", "a", "house", "--force", "--at", ""});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.file, "house");
    EXPECT_EQ(out, "a");
    EXPECT_TRUE(force);
    EXPECT_EQ(r.err, "");
    // A word that names no option is the file; opening it is what fails then.
    r = read(parser, {"--other"});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.file, "--other");

    const std::vector<std::vector<std::string>> wrong = {{},
                                                         {""},
                                                         {"a", "b"},
                                                         {"a", "--out"},
                                                         {"a", "--out", ""},
                                                         {"--out", "x", "--out", "y", "a"},
                                                         {"--out", "x"}};
    for (const auto& args : wrong) {
        r = read(parser, args);
        EXPECT_FALSE(r.ok) << testing::PrintToString(args);
        EXPECT_EQ(r.err, kShownUsage) << testing::PrintToString(args);
    }
    // An option's complaint comes alone, as soon as its value is read.
    r = read(parser, {"a", "--at", "bad", "b"});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.err, "ardenvo-tool: --at wants a time, not \"bad\"\n");
}

TEST(ArgumentParser, ExplainedReadsEveryDoubleDashWordAsAnOptionAndNamesEachFault) {
    bool noPhotos = false;
    std::vector<std::string> rooms;
    std::optional<std::string> title;
    ArgumentParser parser(kUsage, ArgumentParser::Style::Explained);
    parser.flag("--no-photos", noPhotos)
        .option("--room", rooms)
        .option("--title", title)
        .option("--date",
                [](const std::string& v) { return v.empty() ? std::string() : "no date " + v; });

    Reading r = read(
        parser, {"--room", "A/B", "-", "--title", "one", "--room", "", "--title", "--no-photos"});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.file, "-");
    EXPECT_EQ(rooms, (std::vector<std::string>{"A/B", ""}));
    EXPECT_EQ(title, "--no-photos"); // the last one counts, whatever it looks like
    EXPECT_FALSE(noPhotos);
    EXPECT_TRUE(read(parser, {"--no-photos", "house", "--no-photos"}).ok);
    EXPECT_TRUE(noPhotos);

    const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
        {{"a", "b"}, "more than one file: b"},
        {{"a", "--bogus"}, "--bogus needs a value"},
        {{"a", "--bogus", "x"}, "unknown option --bogus"},
        {{"--date", "x", "a"}, "no date x"},
        {{"--room", "A/B"}, "no house file given"},
    };
    for (const auto& [args, message] : wrong) {
        r = read(parser, args);
        EXPECT_FALSE(r.ok) << message;
        EXPECT_EQ(r.err, "ardenvo-tool: " + message + "\n" + kShownUsage);
    }
    std::ostringstream err;
    EXPECT_FALSE(parser.fail(err, "give one of --pdf FILE and --html FILE"));
    EXPECT_EQ(err.str(), "ardenvo-tool: give one of --pdf FILE and --html FILE\n" + kShownUsage);
}
