#include "widgets/PeriodicalSettings.h"

#include "model/ReminderSchedule.h"

#include <QComboBox>
#include <QCoreApplication>
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
    combo->addItems({QCoreApplication::translate("ardenvo::PeriodicalSettings", "Day"),
                     QCoreApplication::translate("ardenvo::PeriodicalSettings", "Week"),
                     QCoreApplication::translate("ardenvo::PeriodicalSettings", "Month"),
                     QCoreApplication::translate("ardenvo::PeriodicalSettings", "Year")});
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

PeriodicalSettings::PeriodicalSettings(QWidget* parent)
    : QGroupBox(tr("Periodical settings"), parent) {
    setObjectName("periodicalGroup");
    m_repeatEach = new QRadioButton(tr("&Repeat each"), this);
    m_repeatEach->setObjectName("repeatEachRadio");
    m_repeatEachCount = countBox(this, "repeatEachCount");
    m_repeatEachUnit = unitList(this, "repeatEachUnit");
    m_repeatOn = new QRadioButton(tr("Re&peat on"), this);
    m_repeatOn->setObjectName("repeatOnRadio");
    m_repeatOnNumber = countBox(this, "repeatOnNumber");
    //: "Repeat on" [number] "day" [of the beginning of | until the end of] [unit]
    m_dayLabel = new QLabel(tr("day"), this);
    m_repeatOnAnchor = new QComboBox(this);
    m_repeatOnAnchor->setObjectName("repeatOnAnchor");
    m_repeatOnAnchor->addItems({tr("of the beginning of"), tr("until the end of")});
    m_repeatOnUnit = unitList(this, "repeatOnUnit");

    // The boxes stand beside their radio button, which no label ties to them.
    m_repeatEachCount->setAccessibleName(tr("Repeat each: count"));
    m_repeatEachUnit->setAccessibleName(tr("Repeat each: unit"));
    m_repeatOnNumber->setAccessibleName(tr("Repeat on: day"));
    m_repeatOnAnchor->setAccessibleName(tr("Repeat on: from the beginning or the end"));
    m_repeatOnUnit->setAccessibleName(tr("Repeat on: unit"));

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
