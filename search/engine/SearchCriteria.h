#pragma once

#include <string>

namespace ardenvo {

// What the value of the matching field is tested for: the comparison combo's entries, in order.
// The first five compare with the value text; the last four aggregate and ignore it.
enum class Comparison : int {
    Contains = 0,
    BeginsWith = 1,
    EndsWith = 2,
    GreaterThan = 3,
    LessThan = 4,
    Sum = 5,
    Average = 6,
    Maximum = 7,
    Minimum = 8,
};
inline constexpr int kComparisonCount = 9;

// The combo text of a comparison index; empty outside 0-8. Marked for translation in the context
// below, as the report keeps the English.
const char* comparisonText(int index);
inline constexpr const char* kComparisonContext = "ardenvo::Comparison";

// Whether the comparison uses the value text (indexes 0-4).
constexpr bool comparesWithValue(Comparison c) {
    return static_cast<int>(c) <= 4;
}

// What the user asked for: each criterion's tick and text, as typed.
struct SearchCriteria {
    bool byName = false;
    std::string nameText;
    bool byNotes = false;
    std::string notesText;
    bool byField = false;
    std::string fieldText;
    bool byValue = false; // only counts together with byField
    Comparison comparison = Comparison::Contains;
    std::string valueText;
    std::string title;

    // A search needs at least one of names, notes and field.
    bool hasCriterion() const { return byName || byNotes || byField; }
    bool usesValue() const { return byField && byValue; }
};

} // namespace ardenvo
