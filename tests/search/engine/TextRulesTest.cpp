// Letter-case folding over the house's mixed UTF-8 and Windows-1252 texts, and numbers read and
// printed the same in every locale.
#include "search/engine/CaseFold.h"
#include "search/engine/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace ardenvo {
namespace {

TEST(CaseFold, FoldsLettersOfTheCoveredScripts) {
    // ASCII and Ü/ü are searched for in the engine tests.
    EXPECT_EQ(foldCase("\xC3\x86\xC3\x98\xC3\x85"), "\xC3\xA6\xC3\xB8\xC3\xA5"); // ÆØÅ
    EXPECT_EQ(foldCase("\xC3\x97"), "\xC3\x97");                                 // × stays
    EXPECT_EQ(foldCase("\xC5\x81\xC3\xB3\x64\xC5\xBA"), foldCase("\xC5\x82\xC3\xB3\x64\xC5\xBA"));
    EXPECT_EQ(foldCase("\xC5\xB8"), "\xC3\xBF");                    // Ÿ -> ÿ
    EXPECT_EQ(foldCase("\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x8A\xCE\x91"), // ΣΟΦΊΑ
              foldCase("\xCF\x83\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1"));
    EXPECT_EQ(foldCase("\xCF\x82"), "\xCF\x83");                             // final sigma
    EXPECT_EQ(foldCase("\xD0\x9A\xD0\xA3\xD0\xA5\xD0\x9D\xD0\xAF \xD0\x81"), // КУХНЯ Ё
              "\xD0\xBA\xD1\x83\xD1\x85\xD0\xBD\xD1\x8F \xD1\x91");
    EXPECT_EQ(foldCase("\xE2\x82\xAC 5"), "\xE2\x82\xAC 5"); // € unchanged
}

TEST(CaseFold, ReadsInvalidUtf8AsWindows1252) {
    // Bytes of an old file: Š and € in Windows-1252 fold like their UTF-8 forms (Ü: engine tests).
    EXPECT_EQ(foldCase("\x8A"), "\xC5\xA1");
    EXPECT_EQ(toUtf8("\x80"), "\xE2\x82\xAC");
    // A cut-off sequence, an overlong form and a surrogate are not UTF-8.
    EXPECT_EQ(toUtf8("a\xC3"), "a\xC3\x83");
    EXPECT_EQ(toUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(toUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
    // Valid text passes through, four-byte characters included.
    EXPECT_EQ(toUtf8("\xF0\x9F\x8F\xA0 x"), "\xF0\x9F\x8F\xA0 x");
    EXPECT_EQ(toUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(NumberText, ReadsTheLeadingNumberInAnyLocale) {
    EXPECT_DOUBLE_EQ(leadingNumber("  -3.25 EUR"), -3.25);
    EXPECT_DOUBLE_EQ(leadingNumber("+7"), 7);
    EXPECT_DOUBLE_EQ(leadingNumber("1e3x"), 1000);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber("12,5"), 12); // a comma is never a decimal point
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("+-1"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("-"), 0);
    EXPECT_TRUE(std::isinf(leadingNumber("1e999")));
    EXPECT_DOUBLE_EQ(leadingNumber("1e-999"), 0);
    EXPECT_LT(leadingNumber("-1e999"), 0);
}

TEST(NumberText, PrintsLikePercentFInTheCLocale) {
    // A German locale, where printf would write a comma, changes nothing when available.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(formatFixed(707.5), "707.500000");
    EXPECT_DOUBLE_EQ(leadingNumber("12.5"), 12.5);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(formatFixed(0), "0.000000");
    EXPECT_EQ(formatFixed(-1.0 / 3), "-0.333333");
    EXPECT_EQ(formatFixed(1e20), "100000000000000000000.000000");
    EXPECT_EQ(formatFixed(1e308).size(), 309u + 7u);
}

} // namespace
} // namespace ardenvo
