#include "reminder/ui/EventSettingsDialog.h"

#include "model/ReminderSchedule.h"
#include "platform/TextCodec.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ardenvo {

EventSettingsDialog::EventSettingsDialog(const CReminder* shown, const LocalDateTime& now,
                                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Settings");

    m_type = new QComboBox(this);
    m_type->setObjectName("typeList");
    m_type->addItems({"Single date", "Periodical date"});
    m_date = new QDateEdit(this);
    m_date->setObjectName("datePicker");
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat("dd/MM/yyyy");
    m_time = new QLineEdit(this);
    m_time->setObjectName("timeBox");
    m_time->setMaximumWidth(70);
    m_objectName = new QLineEdit(this);
    m_objectName->setObjectName("objectNameBox");
    m_objectName->setReadOnly(true);
    m_notes = new QLineEdit(this);
    m_notes->setObjectName("notesBox");

    m_periodical = new PeriodicalSettings(this);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date, 1);
    dateRow->addWidget(m_time);
    auto* eventGroup = new QGroupBox("Event settings", this);
    auto* form = new QFormLayout(eventGroup);
    form->addRow("Reminder type:", m_type);
    form->addRow("Date:", dateRow);
    form->addRow("Object name:", m_objectName);
    form->addRow("Notes:", m_notes);
    form->addRow(m_periodical);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(eventGroup);
    layout->addWidget(buttons);

    // Defaults, then the reminder's own values.
    m_type->setCurrentIndex(0);
    m_time->setText("00:00");
    const LocalDateTime& start = shown ? shown->start() : now;
    m_date->setDate(QDate(start.year, start.month, start.day));
    if (shown) {
        selectListIndex(m_type, shown->type);
        m_time->setText(QString::fromStdString(formatReminderEditorTime(start)));
        m_shownNotes = shown->notes;
        m_shownObjectName = shown->objectName;
        m_notes->setText(displayText(shown->notes));
        m_objectName->setText(displayText(shown->objectName));
        m_periodical->load(*shown);
    }

    connect(m_type, &QComboBox::currentIndexChanged, this, &EventSettingsDialog::updateEnabling);
    connect(m_periodical, &PeriodicalSettings::modeChanged, this,
            &EventSettingsDialog::updateEnabling);
    updateEnabling();
}

void EventSettingsDialog::updateEnabling() {
    const bool periodical =
        m_type->currentIndex() == static_cast<int>(ReminderType::PeriodicalDate);
    m_periodical->updateEnabling(periodical);
}

CReminder EventSettingsDialog::result() const {
    const QDate date = m_date->date();
    const HourMinute hm = parseTimeText(m_time->text().toStdString());
    CReminder r(LocalDateTime{date.year(), date.month(), date.day(), hm.hour, hm.minute, 0});
    r.type = m_type->currentIndex();
    // Texts the user left alone keep their stored bytes, whatever system wrote them.
    r.notes =
        m_notes->text() == displayText(m_shownNotes) ? m_shownNotes : storedText(m_notes->text());
    r.objectName = m_objectName->text() == displayText(m_shownObjectName)
                       ? m_shownObjectName
                       : storedText(m_objectName->text());
    m_periodical->store(r);
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
