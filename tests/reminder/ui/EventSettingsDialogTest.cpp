#include "reminder/ui/EventSettingsDialog.h"
#include "reminder/ui/TipDialog.h"
#include "widgets/ReminderEditor.h"

#include "platform/Settings.h"
#include "reminder/core/ReminderCoreFixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>

#include <cstdint>
#include <limits>

namespace ardenvo::test {
namespace {

template <typename T> T* child(QWidget& parent, const char* name) {
    T* w = parent.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

struct Controls {
    QWidget& d;
    QComboBox* type = child<QComboBox>(d, "reminderType");
    QDateEdit* date = child<QDateEdit>(d, "startDate");
    QLineEdit* time = child<QLineEdit>(d, "startTime");
    QLineEdit* notes = child<QLineEdit>(d, "reminderNotes");
    QLineEdit* objectName = child<QLineEdit>(d, "objectNameBox");
    QGroupBox* group = child<QGroupBox>(d, "periodicalGroup");
    QRadioButton* each = child<QRadioButton>(d, "repeatEachRadio");
    QSpinBox* eachCount = child<QSpinBox>(d, "repeatEachCount");
    QComboBox* eachUnit = child<QComboBox>(d, "repeatEachUnit");
    QRadioButton* on = child<QRadioButton>(d, "repeatOnRadio");
    QSpinBox* onNumber = child<QSpinBox>(d, "repeatOnNumber");
    QComboBox* anchor = child<QComboBox>(d, "repeatOnAnchor");
    QComboBox* onUnit = child<QComboBox>(d, "repeatOnUnit");

    bool eachEnabled() const { return eachCount->isEnabled() && eachUnit->isEnabled(); }
    bool onEnabled() const {
        return onNumber->isEnabled() && anchor->isEnabled() && onUnit->isEnabled();
    }
};

TEST(EventSettingsDialogTest, NewReminderDefaultsAndEnablingRules) {
    EventSettingsDialog dialog(nullptr, at(2030, 4, 5, 14, 25));
    dialog.show();
    Controls c{dialog};

    EXPECT_EQ(c.type->currentText(), "Single date");
    EXPECT_EQ(c.time->text(), "00:00");
    EXPECT_EQ(c.date->date(), QDate(2030, 4, 5));
    EXPECT_TRUE(c.objectName->isReadOnly());
    EXPECT_TRUE(c.each->isChecked());
    // Every count the file holds, and only the days it holds.
    for (QSpinBox* spin : {c.eachCount, c.onNumber}) {
        EXPECT_EQ(spin->minimum(), std::numeric_limits<std::int32_t>::min());
        EXPECT_EQ(spin->maximum(), std::numeric_limits<std::int32_t>::max());
    }
    EXPECT_EQ(c.date->minimumDate(), QDate(1970, 1, 1));
    EXPECT_EQ(c.date->maximumDate().year(), 2106);

    // Single date: the whole periodical group is off.
    EXPECT_FALSE(c.group->isEnabled());
    EXPECT_FALSE(c.each->isEnabled());
    EXPECT_FALSE(c.eachEnabled());

    c.type->setCurrentIndex(1);
    EXPECT_TRUE(c.group->isEnabled());
    EXPECT_TRUE(c.eachEnabled());
    EXPECT_FALSE(c.onEnabled());

    QTest::mouseClick(c.on, Qt::LeftButton);
    EXPECT_TRUE(c.on->isChecked());
    EXPECT_FALSE(c.eachEnabled());
    EXPECT_TRUE(c.onEnabled());

    QTest::mouseClick(c.each, Qt::LeftButton);
    EXPECT_TRUE(c.eachEnabled());
    EXPECT_FALSE(c.onEnabled());

    c.type->setCurrentIndex(0);
    EXPECT_FALSE(c.group->isEnabled());
    dialog.close();
}

TEST(EventSettingsDialogTest, ShowsAReminderAndReadsEveryFieldBack) {
    CReminder shown = reminderAt(at(2029, 12, 31, 7, 5), "Service the boiler", true);
    shown.objectName = "Boiler";
    shown.periodicMode = static_cast<std::int32_t>(PeriodicMode::RepeatOn);
    shown.repeatOnNumber = 3;
    shown.repeatOnAnchor = static_cast<std::int32_t>(RepeatOnAnchor::EndOf);
    shown.repeatOnUnit = static_cast<std::int32_t>(PeriodUnit::Week);
    shown.repeatEachCount = 4;
    shown.repeatEachUnit = static_cast<std::int32_t>(PeriodUnit::Year);
    EventSettingsDialog dialog(&shown, at(2030, 1, 1));
    Controls c{dialog};

    EXPECT_EQ(c.time->text(), "07:05");
    EXPECT_EQ(c.objectName->text(), "Boiler");
    EXPECT_TRUE(c.on->isChecked());
    EXPECT_TRUE(c.onEnabled());
    EXPECT_FALSE(c.eachEnabled());

    expectSameSettings(dialog.result(), shown);
    EXPECT_EQ(dialog.result().objectName, "Boiler");

    // The time box: "9:30" is 09:30; a text without ":" keeps minute 0.
    c.time->setText("9:30");
    EXPECT_EQ(dialog.result().start(), at(2029, 12, 31, 9, 30));
    c.time->setText("18");
    EXPECT_EQ(dialog.result().start(), at(2029, 12, 31, 18, 0));
    c.time->setText("abc");
    EXPECT_EQ(dialog.result().start(), at(2029, 12, 31, 0, 0));
    c.date->setDate(QDate(2031, 2, 3));
    c.notes->setText("Changed");
    c.type->setCurrentIndex(0);
    const CReminder changed = dialog.result();
    EXPECT_EQ(changed.start().year, 2031);
    EXPECT_EQ(changed.notes, "Changed");
    EXPECT_FALSE(changed.isPeriodical());
}

TEST(EventSettingsDialogTest, IsTheMainProgramsEditorWithTheDateLabelAndTheObjectName) {
    CReminder shown = reminderAt(at(2030, 1, 1, 9, 0), "Filter");
    EventSettingsDialog dialog(&shown, at(2030, 1, 1));
    ASSERT_NE(dialog.editor(), nullptr);
    EXPECT_EQ(dialog.findChild<QDateEdit*>(), dialog.editor()->datePicker()); // no second copy
    QStringList labels;
    // Read as shown, without the marks of their Alt-key letters.
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << QString(label->text()).remove(u'&');
    for (const char* text : {"Reminder type:", "Date:", "Object name:", "Notes:", "day"})
        EXPECT_TRUE(labels.contains(text)) << text;
    EXPECT_FALSE(labels.contains("Start date:"));
    EXPECT_EQ(dialog.editor()->objectNameBox()->text(), "Chair");

    // Only the days a project file holds can be picked.
    Controls c{dialog};
    c.date->setDate(QDate(1969, 12, 31));
    EXPECT_GE(dialog.result().start().year, 1970);
    c.date->setDate(QDate(2200, 1, 1));
    EXPECT_LE(dialog.result().start().year, 2106);
}

TEST(EventSettingsDialogTest, StoredValuesNoEditorOffersAreShownAndKeptUntilChanged) {
    CReminder shown = reminderAt(at(2030, 1, 1, 9, 0), "Filter", true);
    shown.repeatEachCount = 0;
    shown.repeatOnNumber = 20000;
    shown.periodicMode = 3;
    shown.repeatEachUnit = 9;
    shown.repeatOnAnchor = -2;
    shown.repeatOnUnit = 4;
    EventSettingsDialog dialog(&shown, at(2030, 1, 1));
    Controls c{dialog};
    EXPECT_EQ(c.eachCount->value(), 0);
    EXPECT_EQ(c.onNumber->value(), 20000);

    c.notes->setText("Only the notes");
    const CReminder kept = dialog.result();
    EXPECT_EQ(kept.notes, "Only the notes");
    CReminder want = shown;
    want.notes = kept.notes;
    expectSameSettings(kept, want);

    c.on->click();
    c.onUnit->setCurrentIndex(static_cast<int>(PeriodUnit::Week));
    c.eachCount->setValue(12);
    const CReminder changed = dialog.result();
    EXPECT_EQ(changed.periodicMode, static_cast<int>(PeriodicMode::RepeatOn));
    EXPECT_EQ(changed.repeatOnUnit, static_cast<int>(PeriodUnit::Week));
    EXPECT_EQ(changed.repeatEachCount, 12);
    EXPECT_EQ(changed.repeatEachUnit, 9);
    EXPECT_EQ(changed.repeatOnAnchor, -2);
    EXPECT_EQ(changed.repeatOnNumber, 20000);
}

TEST(EventSettingsDialogTest, TypedTimesFallDueAtSecondZero) {
    // Opened at 14:25:18: the seconds of that moment must not reach the new reminder.
    EventSettingsDialog fresh(nullptr, {2030, 4, 5, 14, 25, 18});
    child<QLineEdit>(fresh, "startTime")->setText("14:21");
    EXPECT_EQ(fresh.result().start(), at(2030, 4, 5, 14, 21));

    // A stored start with seconds shows as 14:21 and is kept as the minute it shows.
    const CReminder shown = reminderAt({2030, 4, 5, 14, 21, 18}, "odd seconds");
    EventSettingsDialog edit(&shown, at(2030, 1, 1));
    EXPECT_EQ(edit.result().start(), at(2030, 4, 5, 14, 21));
}

TEST(EventSettingsDialogTest, UntouchedTextsKeepTheirStoredBytes) {
    CReminder shown = reminderAt(at(2030, 1, 1), std::string("Caf\xe9 bill")); // Windows-1252
    EventSettingsDialog dialog(&shown, at(2030, 1, 1));
    EXPECT_EQ(dialog.result().notes, shown.notes);
    child<QLineEdit>(dialog, "reminderNotes")->setText(QString::fromUtf8("Caf\xc3\xa9 paid"));
    EXPECT_EQ(dialog.result().notes, "Caf\xc3\xa9 paid");
}

TEST(TipDialogTest, TickedBoxSwitchesTheTipOffOnOk) {
    TempDir dir;
    SettingsFile file(dir.file("registry.conf"));
    Settings settings(file);
    ASSERT_TRUE(settings.eventOccureTip());

    {
        TipDialog tip(kEventOccuredTipText, settings);
        tip.show();
        QTest::mouseClick(tip.findChild<QPushButton*>(), Qt::LeftButton); // OK, box clear
        EXPECT_TRUE(settings.eventOccureTip());
    }
    TipDialog tip(kEventOccuredTipText, settings);
    tip.show();
    EXPECT_EQ(tip.windowTitle(), "Tip");
    EXPECT_TRUE(tip.findChild<QTextEdit*>()->toPlainText().startsWith(
        "Your reminder has now occurred. To reset"));
    QTest::mouseClick(child<QCheckBox>(tip, "dontShowTip"), Qt::LeftButton);
    QTest::mouseClick(tip.findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_FALSE(tip.isVisible());
    EXPECT_FALSE(settings.eventOccureTip());
    EXPECT_EQ(file.readDword("Software\\Ardenvo", "eventOccureTip"), 0);
}

} // namespace
} // namespace ardenvo::test
