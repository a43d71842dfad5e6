#include "reminder/core/EventTable.h"

#include "model/CBrenvikaDoc.h"
#include "model/CHouseObject.h"

#include <algorithm>
#include <map>
#include <utility>

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
    const bool wasEarliest = m_rows[static_cast<std::size_t>(row)].effectiveDue() == m_earliest;
    m_rows.erase(m_rows.begin() + row);
    if (wasEarliest)
        recomputeEarliest();
}

void EventTable::refreshRow(int row) {
    if (row < 0 || row >= size())
        return;
    auto& entry = m_rows[static_cast<std::size_t>(row)];
    entry.dueAt = entry.reminder->startInstant();
    entry.heldUntil = 0;
    entry.announced = false;
    recomputeEarliest();
}

void EventTable::hold(int row, std::int64_t until) {
    if (row < 0 || row >= size())
        return;
    auto& entry = m_rows[static_cast<std::size_t>(row)];
    entry.heldUntil = until;
    entry.announced = false;
    recomputeEarliest();
}

bool EventTable::endHolds(std::int64_t now) {
    bool ended = false;
    for (auto& entry : m_rows) {
        if (entry.heldUntil != 0 && entry.heldUntil <= now) {
            entry.heldUntil = 0;
            entry.announced = false;
            ended = true;
        }
    }
    if (ended)
        recomputeEarliest();
    return ended;
}

void EventTable::setAnnounced(int row) {
    if (row >= 0 && row < size())
        m_rows[static_cast<std::size_t>(row)].announced = true;
}

void EventTable::carryOver(const EventTable& old, const std::vector<std::string>& oldKeys,
                           const std::vector<std::string>& newKeys) {
    // The n-th reminder of a project is the same one when its due moment is unchanged; one added
    // or removed before it by another program only costs it its hold.
    const auto positions = [](const EventTable& table) {
        std::vector<int> result;
        int previous = -1;
        int position = 0;
        for (const auto& entry : table.m_rows) {
            position = entry.project == previous ? position + 1 : 0;
            previous = entry.project;
            result.push_back(position);
        }
        return result;
    };
    const std::vector<int> oldPositions = positions(old);
    const std::vector<int> newPositions = positions(*this);
    const auto keyOf = [](const std::vector<std::string>& keys, int project) -> const std::string* {
        return project >= 0 && project < static_cast<int>(keys.size())
                   ? &keys[static_cast<std::size_t>(project)]
                   : nullptr;
    };
    std::map<std::pair<std::string, int>, std::size_t> rowsByPlace;
    for (std::size_t j = 0; j < m_rows.size(); ++j)
        if (const std::string* key = keyOf(newKeys, m_rows[j].project))
            rowsByPlace.emplace(std::make_pair(*key, newPositions[j]), j);
    for (std::size_t i = 0; i < old.m_rows.size(); ++i) {
        const EventRow& was = old.m_rows[i];
        const std::string* key = keyOf(oldKeys, was.project);
        if ((was.heldUntil == 0 && !was.announced) || !key)
            continue;
        const auto found = rowsByPlace.find({*key, oldPositions[i]});
        if (found == rowsByPlace.end())
            continue;
        EventRow& now = m_rows[found->second];
        if (now.dueAt == was.dueAt) {
            now.heldUntil = was.heldUntil;
            now.announced = was.announced;
        }
    }
    recomputeEarliest();
}

const EventRow* EventTable::rowAt(int row) const {
    if (row < 0 || row >= size())
        return nullptr;
    return &m_rows[static_cast<std::size_t>(row)];
}

int EventTable::firstDueIndex(std::int64_t now) const {
    if (m_earliest >= now)
        return -1;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].effectiveDue() < now)
            return static_cast<int>(i);
    return -1;
}

void EventTable::recomputeEarliest() {
    m_earliest = std::numeric_limits<std::int64_t>::max();
    for (const auto& entry : m_rows)
        m_earliest = std::min(m_earliest, entry.effectiveDue());
}

} // namespace ardenvo
