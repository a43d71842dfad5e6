#include "widgets/PeriodicalSettings.h"

#include "model/ReminderSchedule.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
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

} // namespace

int listIndexFor(const QComboBox* combo, int value) {
    return value >= 0 && value < combo->count() ? value : 0;
}

void selectListIndex(QComboBox* combo, int value) {
    combo->setCurrentIndex(listIndexFor(combo, value));
}

std::int32_t keptListValue(const QComboBox* combo, std::int32_t value) {
    const int index = combo->currentIndex();
    return index == listIndexFor(combo, value) ? value : index;
}

PeriodicalSettings::PeriodicalSettings(QWidget* parent) : QGroupBox("Periodical settings", parent) {
    setObjectName("periodicalGroup");
    m_repeatEach = new QRadioButton("Repeat each", this);
    m_repeatEach->setObjectName("repeatEachRadio");
    m_repeatEachCount = countBox(this, "repeatEachCount");
    m_repeatEachUnit = unitList(this, "repeatEachUnit");
    m_repeatOn = new QRadioButton("Repeat on", this);
    m_repeatOn->setObjectName("repeatOnRadio");
    m_repeatOnNumber = countBox(this, "repeatOnNumber");
    m_dayLabel = new QLabel("day", this);
    m_repeatOnAnchor = new QComboBox(this);
    m_repeatOnAnchor->setObjectName("repeatOnAnchor");
    m_repeatOnAnchor->addItems({"of the beginning of", "until the end of"});
    m_repeatOnUnit = unitList(this, "repeatOnUnit");

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_repeatEach, 0, 0);
    grid->addWidget(m_repeatEachCount, 0, 1);
    grid->addWidget(m_repeatEachUnit, 0, 2, 1, 2);
    grid->addWidget(m_repeatOn, 1, 0);
    grid->addWidget(m_repeatOnNumber, 1, 1);
    grid->addWidget(m_dayLabel, 1, 2);
    grid->addWidget(m_repeatOnAnchor, 1, 3);
    grid->addWidget(m_repeatOnUnit, 1, 4);

    // The values of a reminder made now.
    load(CReminder());

    for (QRadioButton* radio : {m_repeatEach, m_repeatOn})
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !m_loading)
                emit modeChanged();
        });
    const auto edit = [this] {
        if (!m_loading)
            emit edited();
    };
    for (QSpinBox* spin : {m_repeatEachCount, m_repeatOnNumber})
        connect(spin, &QSpinBox::valueChanged, this, edit);
    for (QComboBox* combo : {m_repeatEachUnit, m_repeatOnAnchor, m_repeatOnUnit})
        connect(combo, &QComboBox::currentIndexChanged, this, edit);
}

void PeriodicalSettings::load(const CReminder& reminder) {
    m_loading = true;
    m_shown = reminder;
    (reminder.periodicMode == static_cast<std::int32_t>(PeriodicMode::RepeatOn) ? m_repeatOn
                                                                                : m_repeatEach)
        ->setChecked(true);
    m_repeatEachCount->setValue(reminder.repeatEachCount);
    selectListIndex(m_repeatEachUnit, reminder.repeatEachUnit);
    m_repeatOnNumber->setValue(reminder.repeatOnNumber);
    selectListIndex(m_repeatOnAnchor, reminder.repeatOnAnchor);
    selectListIndex(m_repeatOnUnit, reminder.repeatOnUnit);
    m_loading = false;
}

void PeriodicalSettings::store(CReminder& reminder) const {
    const bool shownOn = m_shown.periodicMode == static_cast<std::int32_t>(PeriodicMode::RepeatOn);
    if (m_repeatOn->isChecked() != shownOn)
        reminder.periodicMode = static_cast<std::int32_t>(
            m_repeatOn->isChecked() ? PeriodicMode::RepeatOn : PeriodicMode::RepeatEach);
    else
        reminder.periodicMode = m_shown.periodicMode;
    // The boxes hold the whole range of the file's counts, so they show what is stored.
    reminder.repeatEachCount = m_repeatEachCount->value();
    reminder.repeatEachUnit = keptListValue(m_repeatEachUnit, m_shown.repeatEachUnit);
    reminder.repeatOnNumber = m_repeatOnNumber->value();
    reminder.repeatOnAnchor = keptListValue(m_repeatOnAnchor, m_shown.repeatOnAnchor);
    reminder.repeatOnUnit = keptListValue(m_repeatOnUnit, m_shown.repeatOnUnit);
}

void PeriodicalSettings::updateEnabling(bool periodical) {
    setEnabled(periodical);
    const bool each = m_repeatEach->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_repeatEach, m_repeatOn})
        w->setEnabled(periodical);
    for (QWidget* w : std::initializer_list<QWidget*>{m_repeatEachCount, m_repeatEachUnit})
        w->setEnabled(periodical && each);
    for (QWidget* w : std::initializer_list<QWidget*>{m_repeatOnNumber, m_dayLabel,
                                                      m_repeatOnAnchor, m_repeatOnUnit})
        w->setEnabled(periodical && !each);
}

} // namespace ardenvo
