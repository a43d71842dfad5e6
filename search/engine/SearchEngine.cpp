#include "search/engine/SearchEngine.h"

#include "model/CBrenvikaDoc.h"
#include "model/Translatable.h"
#include "search/engine/LocationText.h"
#include "search/engine/ObjectMatch.h"

namespace ardenvo {
namespace {

constexpr NestPosition kNestOrder[] = {NestPosition::OnTop, NestPosition::Inside,
                                       NestPosition::Under};

class Visitor {
public:
    Visitor(const SearchCriteria& criteria, SearchResult& result)
        : m_criteria(criteria), m_result(result), m_match(criteria) {}

    void visitFloor(const CSection& section, const CBlock& block) {
        m_depth = 0;
        visitList(section, block, block.floorObjects());
    }

    void finish() {
        m_result.accumulator = m_match.accumulator();
        m_result.count = m_match.count();
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
        bool matched = m_match.byText(object.name, object.notes);
        if (m_criteria.byField && findField(object, row))
            matched = m_match.testField(row.field->value) || matched;
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
                if (m_match.isMatchingField(field->name)) {
                    row.category = category.get();
                    row.field = field.get();
                    return true;
                }
            }
        }
        return false;
    }

    const SearchCriteria& m_criteria;
    SearchResult& m_result;
    ObjectMatch m_match;
    std::vector<Level> m_levels;
    ContainerChain m_chain; // the containers of the objects being visited
    std::size_t m_depth = 0;
};

} // namespace

const char* comparisonText(int index) {
    // Also the report's own words, which stay as they are; the dialog's list translates them.
    static const char* const texts[kComparisonCount] = {
        AV_TRANSLATE_NOOP("ardenvo::Comparison", "contains"),
        AV_TRANSLATE_NOOP("ardenvo::Comparison", "begins with"),
        AV_TRANSLATE_NOOP("ardenvo::Comparison", "ends with"),
        AV_TRANSLATE_NOOP("ardenvo::Comparison", "is greater than"),
        AV_TRANSLATE_NOOP("ardenvo::Comparison", "is less than"),
        AV_TRANSLATE_NOOP("ardenvo::Comparison", "adds to the sum"),
        AV_TRANSLATE_NOOP("ardenvo::Comparison", "counts for the average"),
        AV_TRANSLATE_NOOP("ardenvo::Comparison", "is the maximum"),
        AV_TRANSLATE_NOOP("ardenvo::Comparison", "is the minimum")};
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
    visitor.finish();
    return result;
}

} // namespace ardenvo
