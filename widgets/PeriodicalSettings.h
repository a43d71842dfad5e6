#pragma once

#include "model/CReminder.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace ardenvo {

// "Periodical settings": "Repeat each" [count] [unit] or "Repeat on" [number] "day" [anchor]
// [unit]. The number boxes take every count a file can hold; what a reminder stored is shown as
// it is, and kept as it is while the user leaves its control alone.
class PeriodicalSettings : public QGroupBox {
    Q_OBJECT
public:
    explicit PeriodicalSettings(QWidget* parent = nullptr);

    // Shows the reminder's periodical values; emits nothing.
    void load(const CReminder& reminder);
    // Writes the mode, counts, units and anchor into `reminder`: a control the user left showing
    // the loaded value gives back the stored value, even one no list entry stands for.
    void store(CReminder& reminder) const;
    // Enabled for a periodical reminder only, and of its controls those of the chosen mode.
    void updateEnabling(bool periodical);

    QRadioButton* repeatEachRadio() const { return m_repeatEach; }
    QRadioButton* repeatOnRadio() const { return m_repeatOn; }
    QSpinBox* repeatEachCount() const { return m_repeatEachCount; }
    QComboBox* repeatEachUnit() const { return m_repeatEachUnit; }
    QSpinBox* repeatOnNumber() const { return m_repeatOnNumber; }
    QComboBox* repeatOnAnchor() const { return m_repeatOnAnchor; }
    QComboBox* repeatOnUnit() const { return m_repeatOnUnit; }

signals:
    // The user changed a count, a unit or the anchor (never sent while load() fills them).
    void edited();
    // The user chose the other radio button.
    void modeChanged();

private:
    QRadioButton* m_repeatEach;
    QSpinBox* m_repeatEachCount;
    QComboBox* m_repeatEachUnit;
    QRadioButton* m_repeatOn;
    QSpinBox* m_repeatOnNumber;
    QLabel* m_dayLabel;
    QComboBox* m_repeatOnAnchor;
    QComboBox* m_repeatOnUnit;
    CReminder m_shown; // the values load() put into the controls
    bool m_loading = false;
};

// The entry that shows a stored `value`: values outside the list (files from elsewhere) show its
// first entry.
int listIndexFor(const QComboBox* combo, int value);
void selectListIndex(QComboBox* combo, int value);
// What a list gives back for a stored `value`: that value while the list still shows it, else
// the entry the user chose.
std::int32_t keptListValue(const QComboBox* combo, std::int32_t value);

} // namespace ardenvo
