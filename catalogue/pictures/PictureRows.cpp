#include "catalogue/pictures/PictureRows.h"

#include <algorithm>
#include <functional>

namespace ardenvo {

namespace {

// The order the list shows objects in: each before what lies under, inside and on top of it.
constexpr NestPosition kListOrder[] = {NestPosition::Under, NestPosition::Inside,
                                       NestPosition::OnTop};

bool holds(const CFieldList& list, const CField* field) {
    return std::any_of(list.entries().begin(), list.entries().end(),
                       [field](const auto& entry) { return entry.get() == field; });
}

bool holdsBelow(const CHouseObject& object, const CHouseObject* wanted) {
    for (NestPosition pos : kListOrder)
        for (const auto& child : object.children(pos))
            if (child.get() == wanted || holdsBelow(*child, wanted))
                return true;
    return false;
}

} // namespace

void PictureRows::fill(CBlock& block, const PictureFilter& filter) {
    m_block = &block;
    m_rows.clear();
    if (filter.showAll || filter.rootSelected)
        addRows(block.pictures, nullptr);
    if (filter.showAll) {
        for (const auto& object : block.floorObjects())
            addObjectRows(*object);
    } else if (filter.selected && inBlock(filter.selected)) {
        addRows(filter.selected->pictures, filter.selected);
    }
    m_selected = m_rows.empty() ? -1 : 0;
}

bool PictureRows::fillKeepingSelection(CBlock& block, const PictureFilter& filter) {
    // Only the record's address is kept: nothing of the old rows is dereferenced.
    const CField* kept = m_selected >= 0 ? m_rows[std::size_t(m_selected)].field : nullptr;
    fill(block, filter);
    for (int row = 0; kept && row < count(); ++row) {
        if (m_rows[std::size_t(row)].field == kept) {
            m_selected = row;
            return true;
        }
    }
    return false;
}

void PictureRows::addRows(CFieldList& pictures, CHouseObject* owner) {
    for (const auto& entry : pictures.entries())
        m_rows.push_back({owner, entry.get()});
}

void PictureRows::addObjectRows(CHouseObject& object) {
    addRows(object.pictures, &object);
    for (NestPosition pos : kListOrder)
        for (const auto& child : object.children(pos))
            addObjectRows(*child);
}

bool PictureRows::inBlock(const CHouseObject* object) const {
    for (const auto& floor : m_block->floorObjects())
        if (floor.get() == object || holdsBelow(*floor, object))
            return true;
    return false;
}

void PictureRows::select(int row) {
    m_selected = row >= 0 && row < count() ? row : -1;
}

const std::string& PictureRows::labelOf(const PictureRow& row) {
    static const std::string room = kRoomLabel;
    return row.owner ? row.owner->name : room;
}

bool PictureRows::isBlockRow(int row) const {
    return row >= 0 && row < count() && !m_rows[std::size_t(row)].owner;
}

PictureRow PictureRows::pictureAt(int row) const {
    if (row < 0 || row >= count() || !m_block)
        return {};
    const PictureRow& listed = m_rows[std::size_t(row)];
    if (listed.owner && !inBlock(listed.owner))
        return {};
    const CFieldList& pictures = listed.owner ? listed.owner->pictures : m_block->pictures;
    return holds(pictures, listed.field) ? listed : PictureRow{};
}

CField& PictureRows::add(std::unique_ptr<CField> record, const PictureFilter& filter) {
    CHouseObject* owner =
        filter.rootSelected || !inBlock(filter.selected) ? nullptr : filter.selected;
    CField& added = (owner ? owner->pictures : m_block->pictures).append(std::move(record));
    fill(*m_block, filter);
    for (int row = 0; row < count(); ++row)
        if (m_rows[std::size_t(row)].field == &added)
            m_selected = row;
    return added;
}

void PictureRows::edited(CField& record, const PictureFilter& filter) {
    if (record.name.empty())
        record.name = kNoName;
    const int row = m_selected;
    fill(*m_block, filter);
    select(std::min(row, count() - 1));
}

bool PictureRows::removeSelected(const PictureFilter& filter) {
    const PictureRow picture = selectedPicture();
    // Taken from the list that holds it: with all images shown, the tree's selection need not
    // be the row's owner.
    if (picture.field)
        (picture.owner ? picture.owner->pictures : m_block->pictures).unlinkEntry(picture.field);
    if (m_block)
        fill(*m_block, filter);
    return picture.field != nullptr;
}

} // namespace ardenvo
