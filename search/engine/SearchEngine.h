#pragma once

#include "search/engine/SearchCriteria.h"
#include "search/engine/SearchScope.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

class CBlock;
class CBrenvikaDoc;
class CField;
class CFieldList;
class CHouseObject;
class CSection;

// One listed object: where it is and, when it has one, the field that matched the field criterion.
struct SearchRow {
    const CHouseObject* object = nullptr;
    const CSection* section = nullptr;
    const CBlock* block = nullptr;
    std::string_view location;            // as locationText (LocationText.h) words it
    const CFieldList* category = nullptr; // holds `field`
    const CField* field = nullptr;
};

// What a search found. The pointers refer into the searched house.
struct SearchResult {
    bool blockSearched = false;
    bool objectFound = false;
    std::vector<SearchRow> rows;
    // The location texts of nested rows, which the rows view; a result is moved, never copied.
    std::vector<std::unique_ptr<const std::string>> locations;
    // The running statistics of the aggregating comparisons: the sum, maximum or minimum so far,
    // and how many values went into a sum or average.
    double accumulator = 0.0;
    double count = 0.0;
};

// Visits every searched block's floor objects in house order, each followed depth first by the
// objects on top of it, inside it and under it, and lists those that match. Letter case is
// ignored for all letters (see CaseFold.h).
SearchResult runSearch(const CBrenvikaDoc& doc, const SearchCriteria& criteria,
                       const SearchScope& scope);

} // namespace ardenvo
