#include "search/engine/SearchEngine.h"

#include "model/CBrenvikaDoc.h"
#include "search/engine/CaseFold.h"
#include "search/engine/NumberText.h"

namespace ardenvo {
namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class Visitor {
public:
    Visitor(const SearchCriteria& criteria, SearchResult& result)
        : m_criteria(criteria), m_result(result), m_names(foldCase(criteria.nameText)),
          m_notes(foldCase(criteria.notesText)), m_field(foldCase(criteria.fieldText)),
          m_value(foldCase(criteria.valueText)), m_valueNumber(leadingNumber(criteria.valueText)) {}

    void visit(const CSection& section, const CBlock& block, const CHouseObject& object,
               const std::string& location) {
        SearchRow row{&object, &section, &block, location, nullptr, nullptr};
        bool matched =
            (m_criteria.byName && foldCase(object.name).find(m_names) != std::string::npos) ||
            (m_criteria.byNotes && foldCase(object.notes).find(m_notes) != std::string::npos);
        if (m_criteria.byField && findField(object, row))
            matched = testField(row.field->value) || matched;
        if (matched) {
            m_result.objectFound = true;
            m_result.rows.push_back(std::move(row));
        }
        visitChildren(section, block, object, location, NestPosition::OnTop, ", on the ");
        visitChildren(section, block, object, location, NestPosition::Inside, ", inside the ");
        visitChildren(section, block, object, location, NestPosition::Under, ", under the ");
    }

private:
    // Whether the folded text contains the folded needle; folds into a reused buffer, as this runs
    // for every object of the house.
    bool contains(const std::string& text, const std::string& foldedNeedle) {
        foldCaseInto(text, m_buffer);
        return m_buffer.find(foldedNeedle) != std::string::npos;
    }

    void visitChildren(const CSection& section, const CBlock& block, const CHouseObject& object,
                       const std::string& parentLocation, NestPosition pos, const char* relation) {
        const auto& children = object.children(pos);
        if (children.empty())
            return;
        const std::string location = parentLocation + relation + object.name;
        for (const auto& child : children)
            visit(section, block, *child, location);
    }

    // The first field, over the categories in order, whose name contains the field text.
    bool findField(const CHouseObject& object, SearchRow& row) {
        for (const auto& category : object.categories()) {
            for (const auto& field : category->entries()) {
                if (contains(field->name, m_field)) {
                    row.category = category.get();
                    row.field = field.get();
                    return true;
                }
            }
        }
        return false;
    }

    // Whether the matching field's value lists the object; keeps the statistics on the way.
    bool testField(const std::string& value) {
        if (!m_criteria.byValue)
            return true;
        bool matched = false;
        const Comparison c = m_criteria.comparison;
        if (!comparesWithValue(c)) {
            const double number = leadingNumber(value);
            if (m_firstValue) {
                m_firstValue = false;
                m_result.accumulator = number;
                m_result.count = 1;
                matched = true;
            } else if (c == Comparison::Maximum) {
                if (number > m_result.accumulator) {
                    m_result.accumulator = number;
                    matched = true;
                }
            } else if (c == Comparison::Minimum) {
                if (number < m_result.accumulator) {
                    m_result.accumulator = number;
                    matched = true;
                }
            } else {
                m_result.accumulator += number;
                m_result.count += 1;
                matched = true;
            }
            return matched;
        }
        switch (c) {
        case Comparison::Contains:
            return contains(value, m_value);
        case Comparison::BeginsWith:
            return foldCase(value).compare(0, m_value.size(), m_value) == 0;
        case Comparison::EndsWith:
            return endsWith(foldCase(value), m_value);
        case Comparison::GreaterThan:
            return leadingNumber(value) > m_valueNumber;
        case Comparison::LessThan:
            return leadingNumber(value) < m_valueNumber;
        default:
            return false;
        }
    }

    const SearchCriteria& m_criteria;
    SearchResult& m_result;
    const std::string m_names;
    const std::string m_notes;
    const std::string m_field;
    const std::string m_value;
    const double m_valueNumber;
    bool m_firstValue = true;
    std::string m_buffer;
};

} // namespace

const char* comparisonText(int index) {
    static const char* const texts[kComparisonCount] = {"contains",
                                                        "begins with",
                                                        "ends with",
                                                        "is greater than",
                                                        "is less than",
                                                        "adds to the sum",
                                                        "counts for the average",
                                                        "is the maximum",
                                                        "is the minimum"};
    return (index >= 0 && index < kComparisonCount) ? texts[index] : "";
}

SearchResult runSearch(const CBrenvikaDoc& doc, const SearchCriteria& criteria,
                       const SearchScope& scope) {
    SearchResult result;
    Visitor visitor(criteria, result);
    const std::string floor = "On the floor";
    for (std::size_t s = 0; s < doc.sections().size(); ++s) {
        const CSection& section = *doc.sections()[s];
        for (std::size_t b = 0; b < section.blocks().size(); ++b) {
            if (!scope.isSearched(s, b))
                continue;
            result.blockSearched = true;
            const CBlock& block = *section.blocks()[b];
            for (const auto& object : block.floorObjects())
                visitor.visit(section, block, *object, floor);
        }
    }
    return result;
}

} // namespace ardenvo
