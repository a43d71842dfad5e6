#include "search/engine/SearchScope.h"

#include "model/CBrenvikaDoc.h"

#include <algorithm>

namespace ardenvo {

namespace {

std::vector<std::size_t> shapeOf(const CBrenvikaDoc& doc) {
    std::vector<std::size_t> shape;
    for (const auto& section : doc.sections())
        shape.push_back(section->blocks().size());
    return shape;
}

} // namespace

SearchScope::SearchScope(const CBrenvikaDoc& doc) : SearchScope(shapeOf(doc)) {}

SearchScope::SearchScope(const std::vector<std::size_t>& blocksPerSection) {
    m_sectionTicked.assign(blocksPerSection.size(), false);
    m_blocks.reserve(blocksPerSection.size());
    for (std::size_t blocks : blocksPerSection)
        m_blocks.emplace_back(blocks, false);
}

SearchScope SearchScope::wholeHouse(const CBrenvikaDoc& doc) {
    return wholeHouse(shapeOf(doc));
}

SearchScope SearchScope::wholeHouse(const std::vector<std::size_t>& blocksPerSection) {
    SearchScope scope(blocksPerSection);
    std::fill(scope.m_sectionTicked.begin(), scope.m_sectionTicked.end(), true);
    for (auto& blocks : scope.m_blocks)
        std::fill(blocks.begin(), blocks.end(), true);
    return scope;
}

std::size_t SearchScope::blockCount(std::size_t section) const {
    return section < m_blocks.size() ? m_blocks[section].size() : 0;
}

bool SearchScope::isSectionTicked(std::size_t section) const {
    return section < m_sectionTicked.size() && m_sectionTicked[section];
}

bool SearchScope::isSearched(std::size_t section, std::size_t block) const {
    return section < m_blocks.size() && block < m_blocks[section].size() &&
           m_blocks[section][block];
}

void SearchScope::setSearched(std::size_t section, std::size_t block, bool searched) {
    if (section < m_blocks.size() && block < m_blocks[section].size())
        m_blocks[section][block] = searched;
}

bool SearchScope::anySearched() const {
    return std::any_of(m_blocks.begin(), m_blocks.end(), [](const std::vector<bool>& blocks) {
        return std::find(blocks.begin(), blocks.end(), true) != blocks.end();
    });
}

void SearchScope::synchronise(std::vector<SectionTicks>& ticks) {
    const std::size_t sections = std::min(ticks.size(), m_blocks.size());
    for (std::size_t s = 0; s < sections; ++s) {
        SectionTicks& marks = ticks[s];
        std::vector<bool>& blocks = m_blocks[s];
        if (marks.section != m_sectionTicked[s]) {
            m_sectionTicked[s] = marks.section;
            std::fill(marks.blocks.begin(), marks.blocks.end(), marks.section);
            std::fill(blocks.begin(), blocks.end(), marks.section);
        } else {
            const std::size_t n = std::min(marks.blocks.size(), blocks.size());
            for (std::size_t b = 0; b < n; ++b)
                blocks[b] = marks.blocks[b];
        }
    }
}

} // namespace ardenvo
