#pragma once

#include "model/CReminder.h"
#include "model/ReminderSchedule.h"
#include "reminder/widgets/PeriodicalSettings.h"

#include <QDialog>

#include <string>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace ardenvo {

// "Settings": the fields of one reminder. Shown empty for a new reminder or filled from an
// existing one; the caller takes result() after "OK".
class EventSettingsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinCount = kMinRepeatCount;
    static constexpr int kMaxCount = kMaxRepeatCount;

    // `shown` may be null (a new reminder); `now` fills the date picker then.
    EventSettingsDialog(const CReminder* shown, const LocalDateTime& now,
                        QWidget* parent = nullptr);

    // Runs the dialog modally; true and `result` filled on "OK".
    static bool run(QWidget* parent, const CReminder* shown, CReminder& result);

    // The reminder as the controls hold it: the picker's date, hour and minute read from the time
    // box (no ":" means minute 0) and second 0, so it falls due at the minute it shows.
    CReminder result() const;

private:
    void updateEnabling();

    QComboBox* m_type;
    QDateEdit* m_date;
    QLineEdit* m_time;
    QLineEdit* m_objectName;
    QLineEdit* m_notes;
    std::string m_shownNotes;
    std::string m_shownObjectName;
    PeriodicalSettings* m_periodical;
};

} // namespace ardenvo
