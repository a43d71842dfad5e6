#include "reminder/core/EventTable.h"

#include "model/CBrenvikaDoc.h"
#include "model/CHouseObject.h"

#include <algorithm>

namespace ardenvo {

namespace {

int appendObject(EventTable& table, CHouseObject& object, int project) {
    int count = 0;
    for (const auto& reminder : object.reminders()) {
        table.append(*reminder, object, project);
        ++count;
    }
    for (int pos = 0; pos < kNestPositionCount; ++pos)
        for (const auto& child : object.children(static_cast<NestPosition>(pos)))
            count += appendObject(table, *child, project);
    return count;
}

} // namespace

void EventTable::clear() {
    m_rows.clear();
    m_earliest = std::numeric_limits<std::int64_t>::max();
}

int EventTable::appendProject(const CBrenvikaDoc& doc, int project) {
    int count = 0;
    for (const auto& section : doc.sections())
        for (const auto& block : section->blocks())
            for (const auto& object : block->floorObjects())
                count += appendObject(*this, *object, project);
    return count;
}

void EventTable::append(CReminder& reminder, CHouseObject& owner, int project) {
    const std::int64_t dueAt = reminder.startInstant();
    m_rows.push_back({&reminder, &owner, project, dueAt});
    m_earliest = std::min(m_earliest, dueAt);
}

void EventTable::removeRow(int row) {
    if (row < 0 || row >= size())
        return;
    const bool wasEarliest = m_rows[static_cast<std::size_t>(row)].dueAt == m_earliest;
    m_rows.erase(m_rows.begin() + row);
    if (wasEarliest)
        recomputeEarliest();
}

void EventTable::refreshRow(int row) {
    if (row < 0 || row >= size())
        return;
    auto& entry = m_rows[static_cast<std::size_t>(row)];
    entry.dueAt = entry.reminder->startInstant();
    recomputeEarliest();
}

const EventRow* EventTable::rowAt(int row) const {
    if (row < 0 || row >= size())
        return nullptr;
    return &m_rows[static_cast<std::size_t>(row)];
}

int EventTable::rowOf(const CReminder* reminder) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].reminder == reminder)
            return static_cast<int>(i);
    return -1;
}

int EventTable::firstDueIndex(std::int64_t now) const {
    if (m_earliest >= now)
        return -1;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].dueAt < now)
            return static_cast<int>(i);
    return -1;
}

void EventTable::recomputeEarliest() {
    m_earliest = std::numeric_limits<std::int64_t>::max();
    for (const auto& entry : m_rows)
        m_earliest = std::min(m_earliest, entry.dueAt);
}

} // namespace ardenvo
