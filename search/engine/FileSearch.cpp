#include "search/engine/FileSearch.h"

#include "search/engine/LocationText.h"

#include <functional>
#include <memory>

namespace ardenvo {

FileSearch::FileSearch(SearchCriteria criteria)
    : m_criteria(std::move(criteria)), m_match(m_criteria) {
    wantsFields = m_criteria.byField;
}

FileError FileSearch::scan(std::string_view bytes) {
    m_bytes = bytes;
    m_sections.clear();
    m_nodes.clear();
    m_open.clear();
    m_converted.clear();
    return scanProject(bytes, *this);
}

std::vector<std::size_t> FileSearch::shape() const {
    std::vector<std::size_t> shape;
    for (const Section& section : m_sections)
        shape.push_back(section.blocks.size());
    return shape;
}

std::string_view FileSearch::kept(std::string_view text) {
    if (text.empty() || (text.data() >= m_bytes.data() &&
                         text.data() + text.size() <= m_bytes.data() + m_bytes.size()))
        return text;
    return m_converted.emplace_back(text);
}

void FileSearch::link(std::uint32_t& first, std::uint32_t& last, std::uint32_t node,
                      std::vector<Node>& nodes) {
    if (first == kNone)
        first = node;
    else
        nodes[last].next = node;
    last = node;
}

void FileSearch::beginSection() {
    m_sections.emplace_back();
}

void FileSearch::endSection(std::string_view name) {
    m_sections.back().name = kept(name);
}

void FileSearch::beginBlock() {
    m_sections.back().blocks.emplace_back();
}

void FileSearch::endBlock(std::string_view name) {
    m_sections.back().blocks.back().name = kept(name);
}

void FileSearch::beginObject() {
    m_open.push_back({static_cast<std::uint32_t>(m_nodes.size()), -1});
    m_nodes.emplace_back();
}

void FileSearch::field(std::string_view title, std::string_view name, std::string_view value) {
    Node& node = m_nodes[m_open.back().node];
    if (node.hasField || !m_match.isMatchingField(name))
        return;
    node.hasField = true;
    node.title = kept(title);
    node.fieldName = kept(name);
    node.value = kept(value);
}

void FileSearch::beginChildren(NestPosition position) {
    m_open.back().position = static_cast<int>(position);
}

void FileSearch::endObject(std::string_view name, std::string_view notes) {
    const std::uint32_t index = m_open.back().node;
    m_open.pop_back();
    Node& node = m_nodes[index];
    node.textMatched = m_match.byText(name, notes);
    bool keep = node.textMatched || node.hasField;
    for (std::uint32_t child : node.first)
        keep = keep || child != kNone;
    if (!keep) {
        // Nothing below it was kept either, so it is the last node.
        m_nodes.pop_back();
        return;
    }
    node.name = kept(name);
    node.notes = kept(notes);
    if (m_open.empty()) {
        Block& block = m_sections.back().blocks.back();
        link(block.first, block.last, index, m_nodes);
    } else {
        Node& parent = m_nodes[m_open.back().node];
        const auto position = static_cast<std::size_t>(m_open.back().position);
        link(parent.first[position], parent.last[position], index, m_nodes);
    }
}

// The walk of the kept objects in the order the search of a house visits them: each floor object,
// then depth first the objects on top of it, inside it and under it.
struct FileSearch::Visit {
    FileSearch& search;
    SearchResult& result;
    std::vector<ReportCells>& rows;
    std::string_view sectionName;
    std::string_view blockName;
    NamedContainerChain chain;
    // The location of each depth's objects, and its copy in the result once a row uses it.
    struct Level {
        std::string text;
        std::string_view stored;
    };
    std::vector<Level> levels;

    void list(std::uint32_t first) {
        for (std::uint32_t i = first; i != kNone; i = search.m_nodes[i].next)
            object(search.m_nodes[i]);
    }

    void object(const Node& node) {
        bool matched = node.textMatched;
        if (node.hasField)
            matched = search.m_match.testField(node.value) || matched;
        if (matched) {
            result.objectFound = true;
            ReportCells cells;
            cells.text = {node.name,  sectionName, blockName,      location(),
                          node.notes, node.title,  node.fieldName, node.value};
            cells.blank[4] = node.notes.empty();
            cells.blank[5] = cells.blank[6] = cells.blank[7] = !node.hasField;
            rows.push_back(cells);
        }
        for (NestPosition position :
             {NestPosition::OnTop, NestPosition::Inside, NestPosition::Under}) {
            const std::uint32_t first = node.first[static_cast<int>(position)];
            if (first == kNone)
                continue;
            chain.emplace_back(position, node.name);
            if (levels.size() < chain.size())
                levels.emplace_back();
            levels[chain.size() - 1] = {locationText(chain), {}};
            list(first);
            chain.pop_back();
        }
    }

    std::string_view location() {
        if (chain.empty())
            return "On the floor";
        Level& level = levels[chain.size() - 1];
        if (level.stored.empty()) {
            result.locations.push_back(std::make_unique<const std::string>(level.text));
            level.stored = *result.locations.back();
        }
        return level.stored;
    }
};

ReportTable FileSearch::report(const SearchScope& scope) {
    SearchResult result;
    std::vector<ReportCells> rows;
    if (!m_reported) {
        m_reported = true;
        Visit visit{*this, result, rows, {}, {}, {}, {}};
        for (std::size_t s = 0; s < m_sections.size(); ++s) {
            for (std::size_t b = 0; b < m_sections[s].blocks.size(); ++b) {
                if (!scope.isSearched(s, b))
                    continue;
                result.blockSearched = true;
                visit.sectionName = m_sections[s].name;
                visit.blockName = m_sections[s].blocks[b].name;
                visit.list(m_sections[s].blocks[b].first);
            }
        }
        result.accumulator = m_match.accumulator();
        result.count = m_match.count();
    }
    return ReportTable(m_criteria, std::move(result), std::move(rows));
}

} // namespace ardenvo
