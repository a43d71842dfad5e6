// The report command writes into pipes and standard output as command-line users expect.
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ardenvo::test {
namespace {

const std::string kHouse = ARDENVO_SOURCE_DIR "/data/small-flat.av";

TEST(ToolReportOutput, DashIsStandardOutputForHtmlAndPdf) {
    ToolResult r = runTool({"report", kHouse, "--no-photos", "--html", "-"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("<!DOCTYPE html>", 0), 0u) << r.out.substr(0, 80);
    EXPECT_NE(r.out.find("</html>"), std::string::npos);

    r = runTool({"report", kHouse, "--no-photos", "--pdf", "-"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("%PDF-", 0), 0u);
    EXPECT_NE(r.out.find("%%EOF"), std::string::npos);
    // Nothing named "-" appears where the tool ran.
    EXPECT_FALSE(std::filesystem::exists("-"));
}

} // namespace
} // namespace ardenvo::test
