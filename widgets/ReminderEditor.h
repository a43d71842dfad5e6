#pragma once

#include "model/CReminder.h"
#include "widgets/PeriodicalSettings.h"

#include <QDate>
#include <QObject>

#include <string>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace ardenvo {

// Where the editor is shown; the programs label the date differently and only the reminder
// program shows the object's name.
enum class ReminderEditorForm {
    CategoryPanel, // "Start date:"
    SettingsDialog // "Date:", and the read-only "Object name:"
};

// The one editor of a reminder's values, in both programs: "Reminder type:", the date picker
// (limited to the dates a project file can hold) with its time box, "Notes:" (fieldsWidget()) and
// the group "Periodical settings" (periodicalGroup()); the owner lays the two out.
class ReminderEditor : public QObject {
    Q_OBJECT
public:
    explicit ReminderEditor(QWidget* parent,
                            ReminderEditorForm form = ReminderEditorForm::CategoryPanel);

    QWidget* fieldsWidget() const { return m_fields; }
    PeriodicalSettings* periodicalGroup() const { return m_periodical; }

    // Shows the reminder's values; emits nothing.
    void load(const CReminder& reminder);
    // Writes the shown values into `reminder`: date from the picker, hour and minute from the time
    // box (second 0), notes, type, the object's name (dialog form) and the periodical settings.
    // What the user left as load() showed it keeps its stored value.
    void store(CReminder& reminder) const;
    // The start as the editor holds it.
    LocalDateTime start() const;
    QString notesText() const;
    // After a deletion: time and notes empty, "Single date".
    void clearAfterDelete();
    // After the selector moved to another entry, or a reminder was added from the values.
    void clearNotes();

    // The enabling rule: the periodical controls only for a periodical reminder while the editor
    // is in use, and of those only the ones of the chosen radio button.
    void updateEnabling(bool active);
    // The controls the panel enables and disables with the tree's selection.
    void setInputsEnabled(bool enabled);

    QComboBox* typeList() const { return m_type; }
    QDateEdit* datePicker() const { return m_date; }
    QLineEdit* timeBox() const { return m_time; }
    QLineEdit* notesBox() const { return m_notes; }
    QLineEdit* objectNameBox() const { return m_objectName; } // null in the panel
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
    QLineEdit* m_objectName = nullptr;
    QLineEdit* m_notes;
    PeriodicalSettings* m_periodical;
    // What load() showed: texts keep their stored bytes and the date its stored day (the picker
    // cannot show every day a file holds) while the user leaves them alone.
    CReminder m_shown;
    QDate m_shownDate;
    bool m_loading = false;
};

} // namespace ardenvo
