#include "planeditor/layout/UnitTable.h"

#include "model/Translatable.h"

#include <array>
#include <charconv>
#include <cmath>

namespace ardenvo {

namespace {

struct Unit {
    const char* name;
    const char* label;
    double factor; // centimetres per unit
};

constexpr std::array<Unit, UnitTable::kCount> kUnits{{
    // The lower-case name follows a number ("150.00 centimeters"); the label stands alone.
    {AV_TRANSLATE_NOOP("ardenvo::UnitTable", "centimeters"),
     AV_TRANSLATE_NOOP("ardenvo::UnitTable", "Centimeters"), 1.0},
    {AV_TRANSLATE_NOOP("ardenvo::UnitTable", "meters"),
     AV_TRANSLATE_NOOP("ardenvo::UnitTable", "Meters"), 100.0},
    {AV_TRANSLATE_NOOP("ardenvo::UnitTable", "inches"),
     AV_TRANSLATE_NOOP("ardenvo::UnitTable", "Inches"), 2.54},
    {AV_TRANSLATE_NOOP("ardenvo::UnitTable", "feet"),
     AV_TRANSLATE_NOOP("ardenvo::UnitTable", "Feet"), 30.48},
    {AV_TRANSLATE_NOOP("ardenvo::UnitTable", "yards"),
     AV_TRANSLATE_NOOP("ardenvo::UnitTable", "Yards"), 91.44},
}};

const Unit& unitAt(int index) {
    return kUnits[static_cast<std::size_t>(index >= 0 && index < UnitTable::kCount ? index : 0)];
}

} // namespace

UnitTable::UnitTable(int index) {
    setIndex(index);
}

void UnitTable::setIndex(int index) {
    m_index = index >= 0 && index < kCount ? index : 0;
}

const char* UnitTable::nameAt(int index) {
    return unitAt(index).name;
}
const char* UnitTable::labelAt(int index) {
    return unitAt(index).label;
}
double UnitTable::factorAt(int index) {
    return unitAt(index).factor;
}

double UnitTable::toDisplay(double internal) const {
    const double value = internal / factor();
    if (!std::isfinite(value))
        return value;
    // Two decimals exactly as "%.2f" prints them, but independent of the C locale's decimal
    // point, which a GUI program may have set to a comma.
    char buffer[400];
    const auto printed =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (printed.ec != std::errc())
        return value;
    double rounded = value;
    std::from_chars(buffer, printed.ptr, rounded);
    return rounded;
}

double UnitTable::toInternal(double display) const {
    return display * factor();
}

} // namespace ardenvo
