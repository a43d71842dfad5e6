#include "catalogue/fields/ReminderEditor.h"

#include "model/ReminderSchedule.h"
#include "platform/TextCodec.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

#include <initializer_list>

namespace ardenvo {

namespace {

QDate toQDate(const LocalDateTime& t) {
    return QDate(t.year, t.month, t.day);
}

} // namespace

ReminderEditor::ReminderEditor(QWidget* parent) : QObject(parent) {
    m_fields = new QWidget(parent);
    m_type = new QComboBox(m_fields);
    m_type->setObjectName("reminderType");
    m_type->addItems({"Single date", "Periodical date"});
    m_date = new QDateEdit(m_fields);
    m_date->setObjectName("startDate");
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat("dd/MM/yyyy");
    m_date->setDateRange(toQDate(firstStorableDate()), toQDate(lastStorableDate()));
    m_time = new QLineEdit(m_fields);
    m_time->setObjectName("startTime");
    m_time->setMaximumWidth(70);
    m_notes = new QLineEdit(m_fields);
    m_notes->setObjectName("reminderNotes");

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date, 1);
    dateRow->addWidget(m_time);
    auto* form = new QFormLayout(m_fields);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow("Reminder type:", m_type);
    form->addRow("Start date:", dateRow);
    form->addRow("Notes:", m_notes);

    m_periodical = new PeriodicalSettings(parent);

    // The values of a reminder made now, as a new one would get them.
    load(CReminder());

    connect(m_type, &QComboBox::currentIndexChanged, this, &ReminderEditor::userModeChange);
    connect(m_periodical, &PeriodicalSettings::modeChanged, this, &ReminderEditor::userModeChange);
    connect(m_periodical, &PeriodicalSettings::edited, this, &ReminderEditor::userEdit);
    connect(m_date, &QDateEdit::dateChanged, this, &ReminderEditor::userEdit);
    connect(m_time, &QLineEdit::textEdited, this, &ReminderEditor::userEdit);
    connect(m_notes, &QLineEdit::textEdited, this, &ReminderEditor::userEdit);
}

void ReminderEditor::userEdit() {
    if (!m_loading)
        emit edited();
}

void ReminderEditor::userModeChange() {
    if (m_loading)
        return;
    emit edited();
    emit modeChanged();
}

void ReminderEditor::load(const CReminder& reminder) {
    m_loading = true;
    const LocalDateTime& start = reminder.start();
    selectListIndex(m_type, reminder.type);
    m_date->setDate(toQDate(start));
    m_time->setText(QString::fromStdString(formatEditorTime(start)));
    m_shownNotes = reminder.notes;
    m_notes->setText(displayText(reminder.notes));
    m_periodical->load(reminder);
    m_loading = false;
}

LocalDateTime ReminderEditor::start() const {
    const QDate date = m_date->date();
    const HourMinute hm = parseTimeText(m_time->text().toStdString());
    return {date.year(), date.month(), date.day(), hm.hour, hm.minute, 0};
}

QString ReminderEditor::notesText() const {
    return m_notes->text();
}

void ReminderEditor::store(CReminder& reminder) const {
    reminder.setStart(start());
    reminder.type = m_type->currentIndex();
    // Notes left as shown keep their stored bytes, whatever system wrote them.
    reminder.notes =
        m_notes->text() == displayText(m_shownNotes) ? m_shownNotes : storedText(m_notes->text());
    m_periodical->store(reminder);
}

void ReminderEditor::clearAfterDelete() {
    m_loading = true;
    m_time->clear();
    m_notes->clear();
    m_shownNotes.clear();
    m_type->setCurrentIndex(static_cast<int>(ReminderType::SingleDate));
    m_loading = false;
}

void ReminderEditor::clearNotes() {
    m_notes->clear();
    m_shownNotes.clear();
}

void ReminderEditor::updateEnabling(bool reminderSelected) {
    const bool periodical = reminderSelected && m_type->currentIndex() ==
                                                    static_cast<int>(ReminderType::PeriodicalDate);
    m_periodical->updateEnabling(periodical);
}

void ReminderEditor::setInputsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_type, m_date, m_time, m_notes})
        w->setEnabled(enabled);
}

} // namespace ardenvo
