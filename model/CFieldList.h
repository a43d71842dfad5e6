#pragma once

#include "model/CompactText.h"
#include "model/RecordPool.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ardenvo {

// One attribute of a category, one custom field, or one picture (name, image file name).
class CField final : public RecordMemory<CField> {
public:
    CField() = default;
    CField(std::string_view name, std::string_view value, std::string_view category = {});
    ~CField() = default;

    CompactText name;
    CompactText value;
    CompactText category;
};

// An ordered list of fields with a title: a category, a picture list, or a field file.
class CFieldList final : public RecordMemory<CFieldList> {
public:
    using Entries = std::vector<std::unique_ptr<CField>, RecordAllocator<std::unique_ptr<CField>>>;

    CFieldList() = default;
    explicit CFieldList(std::string_view title) : title(title) {}
    ~CFieldList() { freeLastFirst(m_entries); }
    CFieldList(const CFieldList&) = delete;
    CFieldList& operator=(const CFieldList&) = delete;

    std::uint8_t saveValues = 1;
    CompactText title; // four lists an object: half a std::string each

    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    CField& entryAt(std::size_t index) { return *m_entries[index]; }
    const CField& entryAt(std::size_t index) const { return *m_entries[index]; }
    const Entries& entries() const { return m_entries; }

    CField& append(std::unique_ptr<CField> field);
    CField& append(std::string_view name, std::string_view value, std::string_view category = {});
    void deleteEntryAt(std::size_t index);                    // past the end: nothing happens
    std::unique_ptr<CField> unlinkEntry(const CField* entry); // not in the list: nullptr
    void clear() { freeLastFirst(m_entries); }
    // Room for `count` entries, for readers that know how many follow.
    void reserve(std::size_t count) { m_entries.reserve(count); }

private:
    Entries m_entries;
};

} // namespace ardenvo
