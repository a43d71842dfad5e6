#pragma once

#include "model/CReminder.h"
#include "reminder/widgets/PeriodicalSettings.h"

#include <QObject>

#include <string>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace ardenvo {

// The reminder half of the panel's "Details": "Reminder type:", "Start date:" with its date
// picker and time box, "Notes:" (fieldsWidget(), shown only while "Reminder" is selected) and the
// group "Periodical settings" (always shown, enabled only for a periodical reminder).
class ReminderEditor : public QObject {
    Q_OBJECT
public:
    explicit ReminderEditor(QWidget* parent);

    QWidget* fieldsWidget() const { return m_fields; }
    PeriodicalSettings* periodicalGroup() const { return m_periodical; }

    // Shows the reminder's values; emits nothing.
    void load(const CReminder& reminder);
    // Writes the shown values into `reminder`: date from the picker, hour and minute from the time
    // box (second 0), notes, type and the periodical settings.
    void store(CReminder& reminder) const;
    // The start as the editor holds it.
    LocalDateTime start() const;
    QString notesText() const;
    // After a deletion: time and notes empty, "Single date".
    void clearAfterDelete();
    // After the selector moved to another entry.
    void clearNotes();

    // The enabling rule: the periodical controls only for a periodical reminder while "Reminder"
    // is selected, and of those only the ones of the chosen radio button.
    void updateEnabling(bool reminderSelected);
    // The controls the panel enables and disables with the tree's selection.
    void setInputsEnabled(bool enabled);

    QComboBox* typeList() const { return m_type; }
    QDateEdit* datePicker() const { return m_date; }
    QLineEdit* timeBox() const { return m_time; }
    QLineEdit* notesBox() const { return m_notes; }
    QRadioButton* repeatEachRadio() const { return m_periodical->repeatEachRadio(); }
    QRadioButton* repeatOnRadio() const { return m_periodical->repeatOnRadio(); }
    QSpinBox* repeatEachCount() const { return m_periodical->repeatEachCount(); }
    QComboBox* repeatEachUnit() const { return m_periodical->repeatEachUnit(); }
    QSpinBox* repeatOnNumber() const { return m_periodical->repeatOnNumber(); }
    QComboBox* repeatOnAnchor() const { return m_periodical->repeatOnAnchor(); }
    QComboBox* repeatOnUnit() const { return m_periodical->repeatOnUnit(); }

signals:
    // The user changed one of the reminder's values (never sent while load() fills the controls).
    void edited();
    // The user changed the type or the radio buttons: the enabling must follow.
    void modeChanged();

private:
    void userEdit();
    void userModeChange();

    QWidget* m_fields;
    QComboBox* m_type;
    QDateEdit* m_date;
    QLineEdit* m_time;
    QLineEdit* m_notes;
    std::string m_shownNotes; // the loaded bytes, kept while the text is left as shown
    PeriodicalSettings* m_periodical;
    bool m_loading = false;
};

} // namespace ardenvo
