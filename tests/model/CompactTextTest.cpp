// The attribute fields' 16-byte text: every length across the change of form, assignments from
// the text's own bytes, and the round trip of texts of every length through a project file.
#include "FileTestHouse.h"

#include "model/CompactText.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace ardenvo;
using ardenvo::test::makeFileTestHouse;

namespace {

std::string textOf(std::size_t length) {
    std::string s;
    for (std::size_t i = 0; i < length; ++i)
        s += static_cast<char>('a' + i % 26);
    return s;
}

TEST(CompactText, KeepsEveryLengthAndItsEndingZeroThroughReassignment) {
    CompactText t;
    EXPECT_TRUE(t.empty());
    EXPECT_STREQ(t.c_str(), "");
    // Up, then down again, so each form replaces the other and long blocks are reused and freed.
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 40; ++n)
        lengths.push_back(n);
    for (std::size_t n = 40; n-- > 0;)
        lengths.push_back(n);
    lengths.push_back(70000);
    lengths.push_back(3);
    for (const std::size_t n : lengths) {
        const std::string expected = textOf(n);
        t = expected;
        ASSERT_EQ(t.size(), n);
        ASSERT_EQ(t.isShort(), n <= CompactText::kShortMax);
        ASSERT_EQ(t, expected);
        ASSERT_EQ(t.c_str()[n], '\0');
    }
}

TEST(CompactText, CopiesMovesAndAssignsFromItsOwnBytes) {
    for (const std::size_t n :
         {std::size_t{5}, std::size_t{15}, std::size_t{16}, std::size_t{90}}) {
        const std::string text = textOf(n);
        CompactText a(text);
        CompactText b(a);
        EXPECT_EQ(b, a);
        CompactText c(std::move(b));
        EXPECT_EQ(c, text);
        EXPECT_TRUE(b.empty()); // NOLINT(bugprone-use-after-move): a moved-from text is empty
        a = a;
        EXPECT_EQ(a, text);
        // The tail of the text itself, in both forms.
        a = a.view().substr(1);
        EXPECT_EQ(a, text.substr(1));
        c = std::string_view(c).substr(0, n / 2);
        EXPECT_EQ(c, text.substr(0, n / 2));
        c.clear();
        EXPECT_TRUE(c.empty());
    }
}

// The first category of the house's first floor object.
CFieldList& firstCategory(const CBrenvikaDoc& doc) {
    for (const auto& block : doc.sectionAt(0)->blocks())
        if (!block->floorObjects().empty())
            return *block->floorObjects()[0]->categories()[0];
    throw std::logic_error("no floor object");
}

TEST(CompactText, AttributeTextsOfEveryLengthSurviveAProjectFile) {
    auto doc = makeFileTestHouse();
    CFieldList& category = firstCategory(*doc);
    category.clear();
    for (std::size_t n = 0; n <= 300; n += 7)
        category.append(textOf(n), textOf(n + 1), textOf(n % 20));
    CBrenvikaDoc back;
    ASSERT_EQ(readProject(writeProject(*doc), back), FileError::None);
    const CFieldList& read = firstCategory(back);
    ASSERT_EQ(read.size(), category.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read.entryAt(i).name, category.entryAt(i).name);
        EXPECT_EQ(read.entryAt(i).value, category.entryAt(i).value);
        EXPECT_EQ(read.entryAt(i).category, category.entryAt(i).category);
    }
}

} // namespace
