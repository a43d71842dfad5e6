#pragma once

#include <cstddef>
#include <vector>

namespace ardenvo {

class CBrenvikaDoc;

// Which sections are ticked and which blocks are searched, by position in the house. It is made
// for one house that does not change shape while it is in use (the search dialog is modal).
class SearchScope {
public:
    SearchScope() = default;
    // Nothing ticked, nothing searched.
    explicit SearchScope(const CBrenvikaDoc& doc);
    // The same for a house of this many blocks in each section, which is not in memory.
    explicit SearchScope(const std::vector<std::size_t>& blocksPerSection);
    // Every section ticked and every block searched.
    static SearchScope wholeHouse(const CBrenvikaDoc& doc);
    static SearchScope wholeHouse(const std::vector<std::size_t>& blocksPerSection);

    std::size_t sectionCount() const { return m_blocks.size(); }
    std::size_t blockCount(std::size_t section) const;

    bool isSectionTicked(std::size_t section) const;
    bool isSearched(std::size_t section, std::size_t block) const;
    void setSearched(std::size_t section, std::size_t block, bool searched);
    bool anySearched() const;

    // The check marks of the scope tree: one per section, with one per block of that section.
    struct SectionTicks {
        bool section = false;
        std::vector<bool> blocks;
    };
    // Takes the tree's marks. A section whose mark changed since the last time carries the new
    // mark to all its blocks (the marks are updated to match); otherwise each block follows its own
    // mark. Marks for sections or blocks the house does not have are ignored.
    void synchronise(std::vector<SectionTicks>& ticks);

private:
    std::vector<bool> m_sectionTicked;
    std::vector<std::vector<bool>> m_blocks;
};

} // namespace ardenvo
