#pragma once

#include "model/ProjectFile.h"
#include "model/ProjectScan.h"
#include "search/engine/ObjectMatch.h"
#include "search/engine/ReportTable.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

// The search of a house file's bytes without building the house, for a program that only wants
// the report: one pass over the file keeps the objects that match or may be listed and the
// containers above them, nothing else. The report is the one searchReport makes of the house read
// from the same bytes, row for row and byte for byte.
class FileSearch final : private ProjectScanSink {
public:
    explicit FileSearch(SearchCriteria criteria);
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    // Scans the bytes, which must stay as they are while this search and its report are in use.
    // The errors are readProject's, for the same files.
    FileError scan(std::string_view bytes);

    // The house's sections and blocks, in order, for choosing what is searched.
    std::size_t sectionCount() const { return m_sections.size(); }
    std::string_view sectionName(std::size_t section) const { return m_sections[section].name; }
    std::size_t blockCount(std::size_t section) const { return m_sections[section].blocks.size(); }
    std::string_view blockName(std::size_t section, std::size_t block) const {
        return m_sections[section].blocks[block].name;
    }
    // How many blocks each section has, to make a SearchScope for the scanned house.
    std::vector<std::size_t> shape() const;

    // The report of a search of the blocks that `scope` searches, made once after a successful
    // scan. It views this search's texts and the bytes.
    ReportTable report(const SearchScope& scope);

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // A kept object: one that the criteria may list, or that holds such an object.
    struct Node {
        std::string_view name;
        std::string_view notes;
        std::string_view title; // the category of the matching field
        std::string_view fieldName;
        std::string_view value;
        bool textMatched = false;
        bool hasField = false;
        // The kept children by nest position, first and last, each linked to the next one.
        std::uint32_t first[kNestPositionCount] = {kNone, kNone, kNone};
        std::uint32_t last[kNestPositionCount] = {kNone, kNone, kNone};
        std::uint32_t next = kNone;
    };
    struct Block {
        std::string_view name;
        std::uint32_t first = kNone; // kept floor objects, linked as children are
        std::uint32_t last = kNone;
    };
    struct Section {
        std::string_view name;
        std::vector<Block> blocks;
    };
    // An object whose record is being scanned, and which of its child lists is.
    struct Open {
        std::uint32_t node;
        int position;
    };
    struct Visit;

    void beginSection() override;
    void endSection(std::string_view name) override;
    void beginBlock() override;
    void endBlock(std::string_view name) override;
    void beginObject() override;
    void field(std::string_view title, std::string_view name, std::string_view value) override;
    void beginChildren(NestPosition position) override;
    void endObject(std::string_view name, std::string_view notes) override;

    // The text where it stays: in the bytes, or (converted from a wide text) in a copy of its own.
    std::string_view kept(std::string_view text);
    static void link(std::uint32_t& first, std::uint32_t& last, std::uint32_t node,
                     std::vector<Node>& nodes);

    const SearchCriteria m_criteria;
    ObjectMatch m_match;
    std::string_view m_bytes;
    std::vector<Section> m_sections;
    std::vector<Node> m_nodes;
    std::vector<Open> m_open;
    std::deque<std::string> m_converted;
    bool m_reported = false;
};

} // namespace ardenvo
