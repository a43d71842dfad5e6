#include "planeditor/layout/UnitTable.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace ardenvo {
namespace {

TEST(UnitTable, NamesLabelsAndFactors) {
    const char* names[] = {"centimeters", "meters", "inches", "feet", "yards"};
    const char* labels[] = {"Centimeters", "Meters", "Inches", "Feet", "Yards"};
    const double factors[] = {1.0, 100.0, 2.54, 30.48, 91.44};
    for (int i = 0; i < UnitTable::kCount; ++i) {
        UnitTable table(i);
        EXPECT_EQ(table.index(), i);
        EXPECT_STREQ(table.name(), names[i]);
        EXPECT_STREQ(table.label(), labels[i]);
        EXPECT_DOUBLE_EQ(table.factor(), factors[i]);
    }
    // An index from a damaged file or registry value falls back to centimetres.
    UnitTable table(3);
    table.setIndex(5);
    EXPECT_EQ(table.index(), 0);
    EXPECT_EQ(UnitTable(-1).index(), 0);
    EXPECT_STREQ(UnitTable::nameAt(99), "centimeters");
}

TEST(UnitTable, ConversionsBothWays) {
    EXPECT_DOUBLE_EQ(UnitTable(2).toDisplay(150), 59.06);
    EXPECT_DOUBLE_EQ(UnitTable(3).toInternal(100), 3048.0);
    EXPECT_DOUBLE_EQ(UnitTable(1).toDisplay(1234), 12.34);
    EXPECT_DOUBLE_EQ(UnitTable(1).toDisplay(1), 0.01);
    EXPECT_DOUBLE_EQ(UnitTable(4).toDisplay(-100), -1.09);
    EXPECT_DOUBLE_EQ(UnitTable(0).toInternal(12.5), 12.5);
    EXPECT_EQ(static_cast<int>(UnitTable(2).toInternal(59.06)), 150); // truncated: 150.0124
}

TEST(UnitTable, DisplayRoundsExactlyAsTwoDecimalPrintfEvenUnderACommaLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    std::setlocale(LC_NUMERIC, "C");
    for (int unit = 0; unit < UnitTable::kCount; ++unit) {
        const UnitTable table(unit);
        for (int v = -3000; v <= 3000; v += 7) {
            char text[64];
            std::snprintf(text, sizeof text, "%.2f", v / table.factor());
            ASSERT_DOUBLE_EQ(table.toDisplay(v), std::strtod(text, nullptr)) << v << " " << unit;
        }
    }
    if (comma) {
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        EXPECT_DOUBLE_EQ(UnitTable(2).toDisplay(150), 59.06);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
} // namespace ardenvo
