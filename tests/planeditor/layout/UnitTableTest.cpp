#include "planeditor/layout/UnitTable.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace ardenvo {
namespace {

TEST(UnitTable, ConversionsAndADamagedIndexFallingBackToCentimetres) {
    EXPECT_DOUBLE_EQ(UnitTable(2).toDisplay(150), 59.06);
    EXPECT_DOUBLE_EQ(UnitTable(3).toInternal(100), 3048.0);
    EXPECT_DOUBLE_EQ(UnitTable(4).toDisplay(-100), -1.09);
    EXPECT_EQ(static_cast<int>(UnitTable(2).toInternal(59.06)), 150); // truncated: 150.0124
    UnitTable table(3);
    table.setIndex(5);
    EXPECT_EQ(table.index(), 0);
    EXPECT_DOUBLE_EQ(table.toDisplay(150), 150.0);
    EXPECT_EQ(UnitTable(-1).index(), 0);
    EXPECT_STREQ(UnitTable::nameAt(99), "centimeters");
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
