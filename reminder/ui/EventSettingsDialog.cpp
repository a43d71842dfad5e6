#include "reminder/ui/EventSettingsDialog.h"

#include "widgets/ReminderEditor.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ardenvo {

EventSettingsDialog::EventSettingsDialog(const CReminder* shown, const LocalDateTime& now,
                                         QWidget* parent)
    : QDialog(parent) {
    //: The title of the dialog that edits one reminder.
    setWindowTitle(tr("Settings"));

    auto* eventGroup = new QGroupBox(tr("Event settings"), this);
    m_editor = new ReminderEditor(eventGroup, ReminderEditorForm::SettingsDialog);
    auto* groupLayout = new QVBoxLayout(eventGroup);
    groupLayout->addWidget(m_editor->fieldsWidget());
    groupLayout->addWidget(m_editor->periodicalGroup());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(eventGroup);
    layout->addWidget(buttons);

    if (shown) {
        m_editor->load(*shown);
    } else {
        // A new reminder: the defaults, dated now, its time box at "00:00".
        m_editor->load(CReminder(now));
        m_editor->timeBox()->setText("00:00");
    }

    connect(m_editor, &ReminderEditor::modeChanged, this,
            [this] { m_editor->updateEnabling(true); });
    m_editor->updateEnabling(true);
}

CReminder EventSettingsDialog::result() const {
    CReminder r(m_editor->start());
    m_editor->store(r);
    return r;
}

bool EventSettingsDialog::run(QWidget* parent, const CReminder* shown, CReminder& result) {
    EventSettingsDialog dialog(shown, LocalDateTime::now(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    result = dialog.result();
    return true;
}

} // namespace ardenvo
