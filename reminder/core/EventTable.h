#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace ardenvo {

class CBrenvikaDoc;
class CHouseObject;
class CReminder;

// One row of the reminder list: a reminder of a loaded project, the object that owns it, and the
// moment it falls due (kept so that the once-a-second check needs no time conversion).
struct EventRow {
    CReminder* reminder = nullptr;
    CHouseObject* owner = nullptr;
    int project = -1;
    std::int64_t dueAt = 0;
};

// References to every reminder of every loaded project, in project order; the reminders stay
// owned by their objects.
class EventTable {
public:
    void clear();
    // Appends the reminders of one project: each section, block and floor object in order, an
    // object's own reminders before those of the objects under, inside and on top of it.
    // Returns how many were appended.
    int appendProject(const CBrenvikaDoc& doc, int project);
    void append(CReminder& reminder, CHouseObject& owner, int project);
    void removeRow(int row);
    // Takes the reminder's start again after it was edited or advanced.
    void refreshRow(int row);

    int size() const { return static_cast<int>(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    const EventRow* rowAt(int row) const;
    int rowOf(const CReminder* reminder) const; // -1 when not listed
    const std::vector<EventRow>& rows() const { return m_rows; }

    // The first row whose reminder is due at `now` (seconds since 1970), or -1. Due means the
    // start lies strictly before now.
    int firstDueIndex(std::int64_t now) const;

private:
    void recomputeEarliest();

    std::vector<EventRow> m_rows;
    // Lets the check return at once while nothing can be due, which is the idle state.
    std::int64_t m_earliest = std::numeric_limits<std::int64_t>::max();
};

} // namespace ardenvo
