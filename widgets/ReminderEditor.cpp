#include "widgets/ReminderEditor.h"

#include "model/ReminderSchedule.h"
#include "platform/TextCodec.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <initializer_list>

namespace ardenvo {

namespace {

QDate toQDate(const LocalDateTime& t) {
    return QDate(t.year, t.month, t.day);
}

// The text the user left as it was shown keeps the bytes it was loaded from, whatever system
// wrote them.
std::string keptText(const QLineEdit* box, const std::string& shown) {
    return box->text() == displayText(shown) ? shown : storedText(box->text());
}

} // namespace

ReminderEditor::ReminderEditor(QWidget* parent, ReminderEditorForm form) : QObject(parent) {
    m_fields = new QWidget(parent);
    m_type = new QComboBox(m_fields);
    m_type->setObjectName("reminderType");
    m_type->addItems({tr("Single date"), tr("Periodical date")});
    m_date = new QDateEdit(m_fields);
    m_date->setObjectName("startDate");
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat("dd/MM/yyyy");
    // A project file cannot hold other days; offering them would change the date on saving.
    m_date->setDateRange(toQDate(firstStorableDate()), toQDate(lastStorableDate()));
    m_time = new QLineEdit(m_fields);
    m_time->setObjectName("startTime");
    m_time->setMaximumWidth(70);
    //: The time of day of a reminder, beside its date
    m_time->setAccessibleName(tr("Time"));
    m_notes = new QLineEdit(m_fields);
    m_notes->setObjectName("reminderNotes");

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date, 1);
    dateRow->addWidget(m_time);
    auto* formLayout = new QFormLayout(m_fields);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addRow(tr("Reminder &type:"), m_type);
    const bool dialog = form == ReminderEditorForm::SettingsDialog;
    // The date shares its row with the time, so the label names the picker itself.
    auto* dateLabel = new QLabel(dialog ? tr("&Date:") : tr("Start &date:"), m_fields);
    dateLabel->setBuddy(m_date);
    formLayout->addRow(dateLabel, dateRow);
    if (dialog) {
        m_objectName = new QLineEdit(m_fields);
        m_objectName->setObjectName("objectNameBox");
        m_objectName->setReadOnly(true);
        formLayout->addRow(tr("O&bject name:"), m_objectName);
    }
    formLayout->addRow(tr("&Notes:"), m_notes);

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
    m_shown = reminder;
    const LocalDateTime& start = reminder.start();
    selectListIndex(m_type, reminder.type);
    m_date->setDate(toQDate(start));
    m_shownDate = m_date->date();
    m_time->setText(QString::fromStdString(formatEditorTime(start)));
    m_notes->setText(displayText(reminder.notes));
    if (m_objectName)
        m_objectName->setText(displayText(reminder.objectName));
    m_periodical->load(reminder);
    m_loading = false;
}

LocalDateTime ReminderEditor::start() const {
    const LocalDateTime& shown = m_shown.start();
    const QDate date = m_date->date();
    const bool keptDay = date == m_shownDate;
    const HourMinute hm = parseTimeText(m_time->text().toStdString());
    return {keptDay ? shown.year : date.year(),
            keptDay ? shown.month : date.month(),
            keptDay ? shown.day : date.day(),
            hm.hour,
            hm.minute,
            0};
}

QString ReminderEditor::notesText() const {
    return m_notes->text();
}

void ReminderEditor::store(CReminder& reminder) const {
    reminder.setStart(start());
    reminder.type = keptListValue(m_type, m_shown.type);
    reminder.notes = keptText(m_notes, m_shown.notes);
    if (m_objectName)
        reminder.objectName = keptText(m_objectName, m_shown.objectName);
    m_periodical->store(reminder);
}

void ReminderEditor::clearAfterDelete() {
    m_loading = true;
    m_time->clear();
    m_type->setCurrentIndex(static_cast<int>(ReminderType::SingleDate));
    m_shown.type = static_cast<std::int32_t>(ReminderType::SingleDate);
    m_loading = false;
    clearNotes();
}

void ReminderEditor::clearNotes() {
    m_notes->clear();
    m_shown.notes.clear();
}

void ReminderEditor::updateEnabling(bool active) {
    const bool periodical =
        active && m_type->currentIndex() == static_cast<int>(ReminderType::PeriodicalDate);
    m_periodical->updateEnabling(periodical);
}

void ReminderEditor::setInputsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_type, m_date, m_time, m_notes})
        w->setEnabled(enabled);
}

} // namespace ardenvo
