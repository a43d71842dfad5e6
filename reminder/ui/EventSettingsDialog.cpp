#include "reminder/ui/EventSettingsDialog.h"

#include "model/ReminderSchedule.h"
#include "platform/TextCodec.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

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
    spin->setRange(EventSettingsDialog::kMinCount, EventSettingsDialog::kMaxCount);
    return spin;
}

// Stored values outside a list (files from elsewhere) show as its first entry.
void selectIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

} // namespace

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

    m_periodical = new QGroupBox("Periodical settings", this);
    m_periodical->setObjectName("periodicalGroup");
    m_repeatEach = new QRadioButton("Repeat each", m_periodical);
    m_repeatEach->setObjectName("repeatEachRadio");
    m_repeatEachCount = countBox(m_periodical, "repeatEachCount");
    m_repeatEachUnit = unitList(m_periodical, "repeatEachUnit");
    m_repeatOn = new QRadioButton("Repeat on", m_periodical);
    m_repeatOn->setObjectName("repeatOnRadio");
    m_repeatOnNumber = countBox(m_periodical, "repeatOnNumber");
    m_dayLabel = new QLabel("day", m_periodical);
    m_repeatOnAnchor = new QComboBox(m_periodical);
    m_repeatOnAnchor->setObjectName("repeatOnAnchor");
    m_repeatOnAnchor->addItems({"of the beginning of", "until the end of"});
    m_repeatOnUnit = unitList(m_periodical, "repeatOnUnit");

    auto* periodic = new QGridLayout(m_periodical);
    periodic->addWidget(m_repeatEach, 0, 0);
    periodic->addWidget(m_repeatEachCount, 0, 1);
    periodic->addWidget(m_repeatEachUnit, 0, 2, 1, 2);
    periodic->addWidget(m_repeatOn, 1, 0);
    periodic->addWidget(m_repeatOnNumber, 1, 1);
    periodic->addWidget(m_dayLabel, 1, 2);
    periodic->addWidget(m_repeatOnAnchor, 1, 3);
    periodic->addWidget(m_repeatOnUnit, 1, 4);

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
    m_repeatEachUnit->setCurrentIndex(static_cast<int>(PeriodUnit::Month));
    m_repeatOnUnit->setCurrentIndex(static_cast<int>(PeriodUnit::Month));
    m_repeatOnAnchor->setCurrentIndex(0);
    m_repeatOnNumber->setValue(1);
    m_repeatEachCount->setValue(1);
    m_repeatEach->setChecked(true);
    m_time->setText("00:00");
    const LocalDateTime& start = shown ? shown->start() : now;
    m_date->setDate(QDate(start.year, start.month, start.day));
    if (shown) {
        selectIndex(m_type, shown->type);
        m_time->setText(QString::fromStdString(formatReminderEditorTime(start)));
        m_shownNotes = shown->notes;
        m_shownObjectName = shown->objectName;
        m_notes->setText(displayText(shown->notes));
        m_objectName->setText(displayText(shown->objectName));
        (shown->periodicMode == static_cast<std::int32_t>(PeriodicMode::RepeatOn) ? m_repeatOn
                                                                                  : m_repeatEach)
            ->setChecked(true);
        m_repeatEachCount->setValue(shown->repeatEachCount);
        selectIndex(m_repeatEachUnit, shown->repeatEachUnit);
        m_repeatOnNumber->setValue(shown->repeatOnNumber);
        selectIndex(m_repeatOnAnchor, shown->repeatOnAnchor);
        selectIndex(m_repeatOnUnit, shown->repeatOnUnit);
    }

    connect(m_type, &QComboBox::currentIndexChanged, this, &EventSettingsDialog::updateEnabling);
    connect(m_repeatEach, &QRadioButton::toggled, this, &EventSettingsDialog::updateEnabling);
    connect(m_repeatOn, &QRadioButton::toggled, this, &EventSettingsDialog::updateEnabling);
    updateEnabling();
}

void EventSettingsDialog::updateEnabling() {
    const bool periodical =
        m_type->currentIndex() == static_cast<int>(ReminderType::PeriodicalDate);
    m_periodical->setEnabled(periodical);
    const bool each = m_repeatEach->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_repeatEachCount, m_repeatEachUnit})
        w->setEnabled(periodical && each);
    for (QWidget* w : std::initializer_list<QWidget*>{m_repeatOnNumber, m_dayLabel,
                                                      m_repeatOnAnchor, m_repeatOnUnit})
        w->setEnabled(periodical && !each);
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
    r.periodicMode = static_cast<std::int32_t>(m_repeatOn->isChecked() ? PeriodicMode::RepeatOn
                                                                       : PeriodicMode::RepeatEach);
    r.repeatEachCount = m_repeatEachCount->value();
    r.repeatEachUnit = m_repeatEachUnit->currentIndex();
    r.repeatOnNumber = m_repeatOnNumber->value();
    r.repeatOnAnchor = m_repeatOnAnchor->currentIndex();
    r.repeatOnUnit = m_repeatOnUnit->currentIndex();
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
