#pragma once

#include "model/CSection.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ardenvo {

// What the document tells its views. AddBlockView carries the block id.
enum class ViewHint : int { Reset = 1, AddBlockView = 2, Refit = 4, Resized = 11 };

// The hint as one number: (id * 256) + 2 for AddBlockView, the plain value otherwise.
constexpr long long encodeViewHint(ViewHint hint, int blockId = 0) {
    return hint == ViewHint::AddBlockView ? static_cast<long long>(blockId) * 256 + 2
                                          : static_cast<long long>(hint);
}

// One house: its sections, the current one, and the display unit.
class CBrenvikaDoc {
public:
    using SectionList = std::vector<std::unique_ptr<CSection>>;
    using ViewListener = std::function<void(ViewHint hint, int blockId)>;
    // Places a block just added next to its anchor (the layout rules live above the model).
    using BlockPlacer = std::function<void(CSection&, int anchorId, int newId, int side)>;

    CBrenvikaDoc();
    virtual ~CBrenvikaDoc() { freeLastFirst(m_sections); }
    CBrenvikaDoc(const CBrenvikaDoc&) = delete;
    CBrenvikaDoc& operator=(const CBrenvikaDoc&) = delete;

    // Views subscribe here; the returned id unsubscribes.
    int addViewListener(ViewListener listener);
    void removeViewListener(int id);
    void notifyViews(ViewHint hint, int blockId = 0);
    void setBlockPlacer(BlockPlacer placer) { m_placer = std::move(placer); }

    // One section "House" with its hall; views get Reset and AddBlockView; not modified.
    void newHouse();

    const SectionList& sections() const { return m_sections; }
    int sectionCount() const { return static_cast<int>(m_sections.size()); }
    CSection* sectionAt(int index) const;
    CSection* currentSection() const { return m_current; }
    int currentSectionIndex() const; // 0 when the current section is not in the list
    void setCurrentSection(CSection* section);
    CSection& appendSection(std::unique_ptr<CSection> section);
    // Deletes a section and returns how many are left; callers keep the current one.
    int deleteSection(int index);
    // Drops every section, leaving no current one: for readers, which append what they read.
    void clearSections();
    // Moves another document's house (sections, current section, unit) into this one and tells
    // the views Reset and AddBlockView per block of the current section, as an open does. Lets a
    // file be read into a fresh document off the GUI thread and swapped in afterwards. `other` is
    // left without sections; path and modified flag stay the caller's business.
    void takeHouseFrom(CBrenvikaDoc& other);

    int unitIndex() const { return m_unitIndex; }
    void setUnitIndex(int index) { m_unitIndex = index; }

    // Adds a block next to the anchor in the current section, places it, tells the views.
    CBlock* addBlock(std::int32_t anchorId, int side, BlockKind kind);

    bool isModified() const { return m_modified; }
    void setModified(bool modified = true) { m_modified = modified; }
    // The file the house was read from or saved to; empty while untitled.
    const std::string& pathName() const { return m_pathName; }
    void setPathName(std::string path) { m_pathName = std::move(path); }

private:
    SectionList m_sections;
    CSection* m_current = nullptr;
    int m_unitIndex = 0;
    bool m_modified = false;
    std::string m_pathName;
    std::vector<std::pair<int, ViewListener>> m_listeners;
    int m_nextListenerId = 1;
    BlockPlacer m_placer;
};

} // namespace ardenvo
