#include "model/CBrenvikaDoc.h"

#include <algorithm>

namespace ardenvo {

CBrenvikaDoc::CBrenvikaDoc() {
    newHouse();
}

int CBrenvikaDoc::addViewListener(ViewListener listener) {
    m_listeners.emplace_back(m_nextListenerId, std::move(listener));
    return m_nextListenerId++;
}

void CBrenvikaDoc::removeViewListener(int id) {
    std::erase_if(m_listeners, [id](const auto& l) { return l.first == id; });
}

void CBrenvikaDoc::notifyViews(ViewHint hint, int blockId) {
    // A copy: a listener may subscribe or unsubscribe while being told.
    auto listeners = m_listeners;
    for (auto& [id, listener] : listeners)
        listener(hint, blockId);
}

void CBrenvikaDoc::newHouse() {
    m_sections.clear();
    auto& section = appendSection(std::make_unique<CSection>());
    section.name = "House";
    m_current = &section;
    m_unitIndex = 0;
    notifyViews(ViewHint::Reset);
    for (const auto& b : section.blocks())
        notifyViews(ViewHint::AddBlockView, b->id);
    m_modified = false;
}

CSection* CBrenvikaDoc::sectionAt(int index) const {
    if (index < 0 || index >= sectionCount())
        return nullptr;
    return m_sections[static_cast<std::size_t>(index)].get();
}

int CBrenvikaDoc::currentSectionIndex() const {
    for (std::size_t i = 0; i < m_sections.size(); ++i)
        if (m_sections[i].get() == m_current)
            return static_cast<int>(i);
    return 0;
}

void CBrenvikaDoc::setCurrentSection(CSection* section) {
    m_current = section;
}

CSection& CBrenvikaDoc::appendSection(std::unique_ptr<CSection> section) {
    m_sections.push_back(std::move(section));
    return *m_sections.back();
}

int CBrenvikaDoc::deleteSection(int index) {
    if (CSection* doomed = sectionAt(index)) {
        if (doomed == m_current)
            m_current = nullptr;
        m_sections.erase(m_sections.begin() + index);
    }
    return sectionCount();
}

void CBrenvikaDoc::clearSections() {
    freeLastFirst(m_sections);
    m_current = nullptr;
}

void CBrenvikaDoc::takeHouseFrom(CBrenvikaDoc& other) {
    if (&other == this)
        return;
    m_sections = std::move(other.m_sections);
    other.m_sections.clear();
    m_current = other.m_current;
    other.m_current = nullptr;
    m_unitIndex = other.m_unitIndex;
    notifyViews(ViewHint::Reset);
    if (m_current)
        for (const auto& b : m_current->blocks())
            notifyViews(ViewHint::AddBlockView, b->id);
}

CBlock* CBrenvikaDoc::addBlock(std::int32_t anchorId, int side, BlockKind kind) {
    if (!m_current)
        return nullptr;
    CBlock* block = m_current->addBlock(anchorId, side, kind);
    if (!block)
        return nullptr;
    if (m_placer)
        m_placer(*m_current, anchorId, block->id, side);
    m_modified = true;
    notifyViews(ViewHint::AddBlockView, block->id);
    return block;
}

} // namespace ardenvo
