#pragma once

#include "model/CReminder.h"

#include <QDialog>

namespace ardenvo {

class ReminderEditor;

// "Settings": the fields of one reminder, in the editor the main program's category panel uses
// too. Shown empty for a new reminder or filled from an existing one; the caller takes result()
// after "OK".
class EventSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // `shown` may be null (a new reminder); `now` fills the date picker then.
    EventSettingsDialog(const CReminder* shown, const LocalDateTime& now,
                        QWidget* parent = nullptr);

    // Runs the dialog modally; true and `result` filled on "OK".
    static bool run(QWidget* parent, const CReminder* shown, CReminder& result);

    // The reminder as the controls hold it: the picker's date, hour and minute read from the time
    // box (no ":" means minute 0) and second 0, so it falls due at the minute it shows.
    CReminder result() const;

    ReminderEditor* editor() const { return m_editor; }

private:
    ReminderEditor* m_editor;
};

} // namespace ardenvo
