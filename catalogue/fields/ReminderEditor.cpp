#include "catalogue/fields/ReminderEditor.h"

#include "model/ReminderSchedule.h"
#include "platform/TextCodec.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <initializer_list>

namespace ardenvo {

namespace {

QComboBox* unitList(QWidget* parent, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems({"Day", "Week", "Month", "Year"});
    return combo;
}

QSpinBox* countBox(QWidget* parent, const char* name) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(kMinRepeatCount, kMaxRepeatCount);
    return spin;
}

QDate toQDate(const LocalDateTime& t) {
    return QDate(t.year, t.month, t.day);
}

// Stored values outside a list (files from elsewhere) show as its first entry.
void selectIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
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

    m_periodical = new QGroupBox("Periodical settings", parent);
    m_periodical->setObjectName("periodicalSettings");
    m_repeatEach = new QRadioButton("Repeat each", m_periodical);
    m_repeatEach->setObjectName("repeatEach");
    m_repeatEachCount = countBox(m_periodical, "repeatEachCount");
    m_repeatEachUnit = unitList(m_periodical, "repeatEachUnit");
    m_repeatOn = new QRadioButton("Repeat on", m_periodical);
    m_repeatOn->setObjectName("repeatOn");
    m_repeatOnNumber = countBox(m_periodical, "repeatOnNumber");
    m_dayLabel = new QLabel("day", m_periodical);
    m_repeatOnAnchor = new QComboBox(m_periodical);
    m_repeatOnAnchor->setObjectName("repeatOnAnchor");
    m_repeatOnAnchor->addItems({"of the beginning of", "until the end of"});
    m_repeatOnUnit = unitList(m_periodical, "repeatOnUnit");

    auto* grid = new QGridLayout(m_periodical);
    grid->addWidget(m_repeatEach, 0, 0);
    grid->addWidget(m_repeatEachCount, 0, 1);
    grid->addWidget(m_repeatEachUnit, 0, 2, 1, 2);
    grid->addWidget(m_repeatOn, 1, 0);
    grid->addWidget(m_repeatOnNumber, 1, 1);
    grid->addWidget(m_dayLabel, 1, 2);
    grid->addWidget(m_repeatOnAnchor, 1, 3);
    grid->addWidget(m_repeatOnUnit, 1, 4);

    // The values of a reminder made now, as a new one would get them.
    load(CReminder());

    connect(m_type, &QComboBox::currentIndexChanged, this, &ReminderEditor::userModeChange);
    connect(m_repeatEach, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            userModeChange();
    });
    connect(m_repeatOn, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            userModeChange();
    });
    connect(m_date, &QDateEdit::dateChanged, this, &ReminderEditor::userEdit);
    connect(m_time, &QLineEdit::textEdited, this, &ReminderEditor::userEdit);
    connect(m_notes, &QLineEdit::textEdited, this, &ReminderEditor::userEdit);
    for (QSpinBox* spin : {m_repeatEachCount, m_repeatOnNumber})
        connect(spin, &QSpinBox::valueChanged, this, &ReminderEditor::userEdit);
    for (QComboBox* combo : {m_repeatEachUnit, m_repeatOnAnchor, m_repeatOnUnit})
        connect(combo, &QComboBox::currentIndexChanged, this, &ReminderEditor::userEdit);
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
    selectIndex(m_type, reminder.type);
    m_date->setDate(toQDate(start));
    m_time->setText(QString::fromStdString(formatEditorTime(start)));
    m_shownNotes = reminder.notes;
    m_notes->setText(displayText(reminder.notes));
    (reminder.periodicMode == static_cast<std::int32_t>(PeriodicMode::RepeatOn) ? m_repeatOn
                                                                                : m_repeatEach)
        ->setChecked(true);
    m_repeatEachCount->setValue(reminder.repeatEachCount);
    selectIndex(m_repeatEachUnit, reminder.repeatEachUnit);
    m_repeatOnNumber->setValue(reminder.repeatOnNumber);
    selectIndex(m_repeatOnAnchor, reminder.repeatOnAnchor);
    selectIndex(m_repeatOnUnit, reminder.repeatOnUnit);
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
    reminder.periodicMode = static_cast<std::int32_t>(
        m_repeatOn->isChecked() ? PeriodicMode::RepeatOn : PeriodicMode::RepeatEach);
    reminder.repeatEachCount = m_repeatEachCount->value();
    reminder.repeatEachUnit = m_repeatEachUnit->currentIndex();
    reminder.repeatOnNumber = m_repeatOnNumber->value();
    reminder.repeatOnAnchor = m_repeatOnAnchor->currentIndex();
    reminder.repeatOnUnit = m_repeatOnUnit->currentIndex();
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
    m_periodical->setEnabled(periodical);
    const bool each = m_repeatEach->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_repeatEach, m_repeatOn})
        w->setEnabled(periodical);
    for (QWidget* w : std::initializer_list<QWidget*>{m_repeatEachCount, m_repeatEachUnit})
        w->setEnabled(periodical && each);
    for (QWidget* w : std::initializer_list<QWidget*>{m_repeatOnNumber, m_dayLabel,
                                                      m_repeatOnAnchor, m_repeatOnUnit})
        w->setEnabled(periodical && !each);
}

void ReminderEditor::setInputsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_type, m_date, m_time, m_notes})
        w->setEnabled(enabled);
}

} // namespace ardenvo
