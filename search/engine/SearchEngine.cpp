#include "search/engine/SearchEngine.h"

#include "model/CBrenvikaDoc.h"
#include "search/engine/CaseFold.h"
#include "search/engine/LocationText.h"
#include "search/engine/NumberText.h"

namespace ardenvo {
namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

constexpr NestPosition kNestOrder[] = {NestPosition::OnTop, NestPosition::Inside,
                                       NestPosition::Under};

class Visitor {
public:
    Visitor(const SearchCriteria& criteria, SearchResult& result)
        : m_criteria(criteria), m_result(result), m_names(foldCase(criteria.nameText)),
          m_notes(foldCase(criteria.notesText)), m_field(foldCase(criteria.fieldText)),
          m_value(foldCase(criteria.valueText)), m_valueNumber(leadingNumber(criteria.valueText)) {}

    void visitFloor(const CSection& section, const CBlock& block) {
        m_depth = 0;
        visitList(section, block, block.floorObjects());
    }

private:
    // The location text of nested objects at each depth below the floor, built once per parent and
    // nest position;
    // `stored` is its copy in the result, made only when a row there is listed.
    struct Level {
        std::string text;
        std::string_view stored;
    };

    void visit(const CSection& section, const CBlock& block, const CHouseObject& object) {
        SearchRow row{&object, &section, &block, {}, nullptr, nullptr};
        bool matched = (m_criteria.byName && contains(object.name, m_names)) ||
                       (m_criteria.byNotes && contains(object.notes, m_notes));
        if (m_criteria.byField && findField(object, row))
            matched = testField(row.field->value) || matched;
        if (matched) {
            m_result.objectFound = true;
            row.location = currentLocation();
            m_result.rows.push_back(row);
        }
        for (NestPosition pos : kNestOrder)
            visitChildren(section, block, object, pos);
    }

    // The objects and their fields lie scattered over the heap, and each is reached only through
    // the one before it, so the walk waits on memory at every step. Asking for what the objects a
    // few places ahead will need lets those waits overlap: each stage reads only what an earlier
    // stage (further ahead) asked for.
    void visitList(const CSection& section, const CBlock& block, const CHouseObject::List& list) {
        const std::size_t n = list.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (i + 8 < n) {
                const CHouseObject* ahead = list[i + 8].get();
                prefetch(&ahead->name);
                prefetch(&ahead->categories());
            }
            if (i + 6 < n) {
                const CHouseObject& ahead = *list[i + 6];
                for (NestPosition pos : kNestOrder) {
                    if (!ahead.children(pos).empty())
                        prefetch(ahead.children(pos).data());
                }
                if (m_criteria.byNotes)
                    prefetch(ahead.notes.data());
                if (m_criteria.byField)
                    prefetch(ahead.categories().data());
            }
            if (i + 4 < n) {
                // A nested object's first child, which the visit reaches next.
                for (NestPosition pos : kNestOrder) {
                    const auto& children = list[i + 4]->children(pos);
                    if (!children.empty()) {
                        prefetch(&children.front()->name);
                        prefetch(&children.front()->categories());
                    }
                }
            }
            if (m_criteria.byField) {
                if (i + 4 < n) {
                    for (const auto& category : list[i + 4]->categories())
                        prefetch(&category->entries());
                }
                if (i + 2 < n) {
                    for (const auto& category : list[i + 2]->categories())
                        prefetch(category->entries().data());
                }
                if (i + 1 < n) {
                    for (const auto& category : list[i + 1]->categories()) {
                        for (const auto& field : category->entries())
                            prefetch(field.get());
                    }
                }
            }
            visit(section, block, *list[i]);
        }
    }

    static void prefetch(const void* address) { __builtin_prefetch(address); }

    std::string_view currentLocation() {
        static constexpr std::string_view kFloor = "On the floor";
        if (m_depth == 0)
            return kFloor;
        Level& level = m_levels[m_depth - 1];
        if (level.stored.empty()) {
            m_result.locations.push_back(std::make_unique<const std::string>(level.text));
            level.stored = *m_result.locations.back();
        }
        return level.stored;
    }

    // Whether the folded text contains the folded needle; folds into a reused buffer, as this runs
    // for every object of the house.
    bool contains(std::string_view text, const std::string& foldedNeedle) {
        if (foldedNeedle.empty())
            return true;
        foldCaseInto(text, m_buffer);
        return m_buffer.find(foldedNeedle) != std::string::npos;
    }

    void visitChildren(const CSection& section, const CBlock& block, const CHouseObject& object,
                       NestPosition pos) {
        const auto& children = object.children(pos);
        if (children.empty())
            return;
        if (m_levels.size() <= m_depth)
            m_levels.emplace_back();
        m_chain.emplace_back(pos, &object);
        Level& level = m_levels[m_depth];
        level.text = locationText(m_chain);
        level.stored = {};
        ++m_depth;
        visitList(section, block, children);
        --m_depth;
        m_chain.pop_back();
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
    bool testField(std::string_view value) {
        if (!m_criteria.byValue)
            return true;
        bool matched = false;
        const Comparison c = m_criteria.comparison;
        if (!comparesWithValue(c)) {
            // A value holding no number counts for none of the statistics, so an empty field
            // neither lowers the average nor becomes the minimum. A sum or average lists every
            // object with the field; a maximum or minimum lists only the values that set one.
            const std::optional<double> found = leadingNumberIfAny(value);
            if (!found)
                return c == Comparison::Sum || c == Comparison::Average;
            const double number = *found;
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
            foldCaseInto(value, m_buffer);
            return m_buffer.compare(0, m_value.size(), m_value) == 0;
        case Comparison::EndsWith:
            foldCaseInto(value, m_buffer);
            return endsWith(m_buffer, m_value);
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
    std::vector<Level> m_levels;
    ContainerChain m_chain; // the containers of the objects being visited
    std::size_t m_depth = 0;
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
    for (std::size_t s = 0; s < doc.sections().size(); ++s) {
        const CSection& section = *doc.sections()[s];
        for (std::size_t b = 0; b < section.blocks().size(); ++b) {
            if (!scope.isSearched(s, b))
                continue;
            result.blockSearched = true;
            visitor.visitFloor(section, *section.blocks()[b]);
        }
    }
    return result;
}

} // namespace ardenvo
