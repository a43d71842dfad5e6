#pragma once

#include "search/engine/SearchCriteria.h"

#include <string>
#include <string_view>

namespace ardenvo {

// The tests a search makes of each object, and its running statistics: one set of rules for the
// search of a house in memory and for the search of a house file (FileSearch.h). Letter case is
// ignored for all letters (see CaseFold.h).
class ObjectMatch {
public:
    explicit ObjectMatch(const SearchCriteria& criteria);

    const SearchCriteria& criteria() const { return m_criteria; }
    // Whether the object's name or notes list it, as the criteria ask.
    bool byText(std::string_view name, std::string_view notes);
    // Whether a field of this name answers the field criterion (the first one of an object that
    // does is its matching field).
    bool isMatchingField(std::string_view fieldName) { return contains(fieldName, m_field); }
    // Whether the matching field's value lists the object. Called for the matching fields in the
    // order the objects are visited: it keeps the statistics of the aggregating comparisons.
    bool testField(std::string_view value);

    // The sum, maximum or minimum so far, and how many values went into a sum or average.
    double accumulator() const { return m_accumulator; }
    double count() const { return m_count; }

private:
    // Whether the folded text contains the folded needle; folds into a reused buffer, as this runs
    // for every object of the house.
    bool contains(std::string_view text, const std::string& foldedNeedle);

    const SearchCriteria& m_criteria;
    const std::string m_names;
    const std::string m_notes;
    const std::string m_field;
    const std::string m_value;
    const double m_valueNumber;
    bool m_firstValue = true;
    double m_accumulator = 0.0;
    double m_count = 0.0;
    std::string m_buffer;
};

} // namespace ardenvo
