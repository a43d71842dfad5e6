#pragma once

#include <cstdint>
#include <limits>
#include <string>
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
    // "Remind me later": not due before this moment (0 when not held back). Never saved.
    std::int64_t heldUntil = 0;
    // A desktop notification went out for this due moment.
    bool announced = false;
    // The moment from which the row counts as due: a held-back row only once its time is up.
    std::int64_t effectiveDue() const { return heldUntil > dueAt ? heldUntil - 1 : dueAt; }
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
    // Takes the reminder's start again after it was edited or advanced; that ends a hold and
    // lets the new date be announced.
    void refreshRow(int row);
    // Holds the row back from being due until `until`; restored by carryOver after a reload.
    void hold(int row, std::int64_t until);
    // Ends every hold whose time has come (the row may be announced again); true when any ended.
    bool endHolds(std::int64_t now);
    void setAnnounced(int row);
    // Gives the rows of a rebuilt table the holds and announcements of `old`, row by row within
    // each project, where the project and the due moment are still the same.
    void carryOver(const EventTable& old, const std::vector<std::string>& oldKeys,
                   const std::vector<std::string>& newKeys);

    int size() const { return static_cast<int>(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    const EventRow* rowAt(int row) const;
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
