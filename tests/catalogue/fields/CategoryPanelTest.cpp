#include "PanelTestSupport.h"
#include "planeditor/view/DialogTestSupport.h"

#include "model/ReminderSchedule.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <cstdint>
#include <limits>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

using Panel = PanelTest;

TEST_F(Panel, NewObjectShowsItsDefaultCategoriesAndTheRootEmptiesThePanel) {
    EXPECT_EQ(selectorTexts(), (QStringList{"Location", "Value", "Guarantee", "Reminder"}));
    EXPECT_EQ(panel->categorySelector()->currentText(), "Location");
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0), (QStringList{"Location", "Where bought", ""}));
    // The attribute editor is shown; the reminder's fields are not, and nothing periodical is
    // enabled while a category is selected.
    EXPECT_TRUE(panel->nameEdit()->isVisible());
    EXPECT_FALSE(editor().typeList()->isVisible());
    EXPECT_FALSE(editor().periodicalGroup()->isEnabled());
    // The number boxes take every count the project file holds; the picker only the days it
    // holds.
    for (QSpinBox* box : {editor().repeatEachCount(), editor().repeatOnNumber()}) {
        EXPECT_EQ(box->minimum(), std::numeric_limits<std::int32_t>::min());
        EXPECT_EQ(box->maximum(), std::numeric_limits<std::int32_t>::max());
    }
    EXPECT_EQ(editor().datePicker()->minimumDate(), QDate(1970, 1, 1));
    EXPECT_EQ(editor().datePicker()->maximumDate().year(), 2106);

    select(nullptr);
    EXPECT_EQ(panel->categorySelector()->count(), 0);
    EXPECT_EQ(rowCount(), 0);
    EXPECT_FALSE(panel->addButton()->isEnabled());
    EXPECT_FALSE(editor().timeBox()->isEnabled());
    QTest::mouseClick(panel->addButton(), Qt::LeftButton);
    EXPECT_EQ(object.categories()[0]->size(), 1u);
}

TEST_F(Panel, ReminderAddedFromTheEditorIsEditedFieldByFieldAndDeleted) {
    QSignalSpy changed(panel, &CategoryPanel::modelChanged);
    choose("Reminder");
    EXPECT_EQ(rowCount(), 0);
    EXPECT_TRUE(editor().typeList()->isVisible());
    EXPECT_FALSE(panel->nameEdit()->isVisible());
    EXPECT_EQ(object.currentCategory(), 0); // "Reminder" is no category

    editor().datePicker()->setDate(QDate(2030, 5, 5));
    retype(editor().timeBox(), "7:5");
    retype(editor().notesBox(), "Service the boiler");
    editor().typeList()->setCurrentIndex(1);
    EXPECT_TRUE(editor().repeatEachCount()->isEnabled());
    EXPECT_FALSE(editor().repeatOnNumber()->isEnabled());
    EXPECT_EQ(changed.count(), 0); // nothing selected yet: nothing stored anywhere
    QTest::mouseClick(panel->addButton(), Qt::LeftButton);

    ASSERT_EQ(object.reminders().size(), 1u);
    CReminder& r = *object.reminders()[0];
    EXPECT_EQ(r.start(), (LocalDateTime{2030, 5, 5, 7, 5, 0}));
    EXPECT_EQ(r.notes, "Service the boiler");
    EXPECT_EQ(r.objectName, "Boiler");
    EXPECT_TRUE(r.isPeriodical());
    EXPECT_EQ(rowTexts(0), (QStringList{"Reminder", "05 May 2030", "Service the boiler"}));
    EXPECT_EQ(changed.count(), 1);
    // The added row is not selected: notes typed next belong to the next reminder.
    EXPECT_EQ(panel->selectedRow(), -1);
    EXPECT_EQ(editor().notesBox()->text(), "");
    retype(editor().notesBox(), "Bleed the radiators");
    EXPECT_EQ(r.notes, "Service the boiler");
    clickRow(0);
    EXPECT_EQ(editor().notesBox()->text(), "Service the boiler");

    // The time box, the count and the number store on their own change.
    retype(editor().timeBox(), "18:30");
    EXPECT_EQ(r.start(), (LocalDateTime{2030, 5, 5, 18, 30, 0}));
    editor().repeatEachCount()->setValue(3);
    EXPECT_EQ(r.repeatEachCount, 3);
    editor().repeatOnRadio()->click();
    EXPECT_EQ(r.periodicMode, static_cast<int>(PeriodicMode::RepeatOn));
    EXPECT_FALSE(editor().repeatEachCount()->isEnabled());
    EXPECT_TRUE(editor().repeatOnAnchor()->isEnabled());
    editor().repeatOnNumber()->setValue(31);
    EXPECT_EQ(r.repeatOnNumber, 31);
    editor().datePicker()->setDate(QDate(2031, 1, 2));
    EXPECT_EQ(rowTexts(0)[1], "02 January 2031");
    EXPECT_GE(changed.count(), 6);

    // Loading another reminder into the editor does not write into either.
    object.addReminder(std::make_unique<CReminder>(LocalDateTime{2040, 1, 1, 9, 0, 0}));
    choose("Location");
    choose("Reminder");
    clickRow(1);
    EXPECT_EQ(editor().timeBox()->text(), "09:00");
    EXPECT_EQ(object.reminders()[1]->objectName, "");
    clickRow(0);
    EXPECT_EQ(editor().timeBox()->text(), "18:30");

    // Deleting the last rows: asked first; No keeps it.
    prompter.answers = {Prompter::Answer::No};
    QTest::keyClick(panel->attributeList(), Qt::Key_Delete);
    EXPECT_EQ(object.reminders().size(), 2u);
    prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::Yes};
    QTest::mouseClick(panel->deleteButton(), Qt::LeftButton);
    clickRow(0);
    QTest::mouseClick(panel->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.questions(), QStringList(3, "Record will be deleted. Are you sure?"));
    EXPECT_EQ(prompter.shown.back().title, "Warning");
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Warning);
    EXPECT_EQ(prompter.shown.back().defaultAnswer, Prompter::Answer::No);
    EXPECT_TRUE(object.reminders().empty());
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(panel->selectedRow(), -1);
    EXPECT_EQ(editor().timeBox()->text(), "");
    EXPECT_EQ(editor().notesBox()->text(), "");
    EXPECT_EQ(editor().typeList()->currentText(), "Single date");
}

TEST_F(Panel, ShowAllLetsTheRowChooseTheSelectorAndEditsReachTheRightAttribute) {
    auto& reminder = object.addReminder(std::make_unique<CReminder>(LocalDateTime{2030, 1, 1}));
    reminder.notes = "Check";
    clickShowAll();
    ASSERT_EQ(rowCount(), 8);
    EXPECT_EQ(rowTexts(2), (QStringList{"Value", "Insurance value", ""}));
    EXPECT_EQ(rowTexts(7), (QStringList{"Reminder", "01 January 2030", "Check"}));

    // A "Value" row selects "Value" and makes it the current category.
    clickRow(2);
    EXPECT_EQ(panel->categorySelector()->currentText(), "Value");
    EXPECT_EQ(object.currentCategory(), 1);
    EXPECT_EQ(panel->nameEdit()->text(), "Insurance value");
    retype(panel->nameEdit(), "Replacement value");
    retype(panel->detailsEdit(), "1200");
    EXPECT_EQ(object.categories()[1]->entryAt(1).name, "Replacement value");
    EXPECT_EQ(object.categories()[1]->entryAt(1).value, "1200");
    EXPECT_EQ(object.categories()[1]->entryAt(0).name, "Price paid");
    EXPECT_EQ(rowTexts(2), (QStringList{"Value", "Replacement value", "1200"}));

    // A reminder row selects "Reminder" and leaves the current category alone.
    clickRow(7);
    EXPECT_EQ(panel->categorySelector()->currentText(), "Reminder");
    EXPECT_EQ(object.currentCategory(), 1);
    EXPECT_EQ(editor().notesBox()->text(), "Check");
    EXPECT_TRUE(editor().typeList()->isVisible());

    // Back to one category at a time: the reminders alone, the selected one still selected.
    clickShowAll();
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(panel->selectedRow(), 0);
    // A right click clears the selection; the reminder editor keeps its values for "Add".
    clickRow(0, Qt::RightButton);
    EXPECT_EQ(panel->selectedRow(), -1);
    EXPECT_EQ(editor().notesBox()->text(), "Check");
}

TEST_F(Panel, AddedAttributeCarriesItsCategoryAndLeavesTheBoxesForTheNextOne) {
    choose("Guarantee");
    EXPECT_EQ(object.currentCategory(), 2);
    retype(panel->nameEdit(), "Repair 3");
    retype(panel->detailsEdit(), "none");
    EXPECT_EQ(object.categories()[2]->size(), 4u); // typed with no row selected: nothing stored
    QTest::mouseClick(panel->addButton(), Qt::LeftButton);
    ASSERT_EQ(object.categories()[2]->size(), 5u);
    const CField& added = object.categories()[2]->entryAt(4);
    EXPECT_EQ(added.name, "Repair 3");
    EXPECT_EQ(added.value, "none");
    EXPECT_EQ(added.category, "Guarantee");
    // Nothing selected and the boxes empty, so the next typing starts a new attribute instead of
    // renaming this one.
    EXPECT_EQ(panel->selectedRow(), -1);
    EXPECT_EQ(panel->nameEdit()->text(), "");
    EXPECT_EQ(panel->detailsEdit()->text(), "");
    EXPECT_TRUE(panel->nameEdit()->hasFocus());
    retype(panel->nameEdit(), "Repair 4");
    retype(panel->detailsEdit(), "soon");
    EXPECT_EQ(object.categories()[2]->entryAt(4).name, "Repair 3");
    QTest::mouseClick(panel->addButton(), Qt::LeftButton);
    ASSERT_EQ(object.categories()[2]->size(), 6u);
    EXPECT_EQ(object.categories()[2]->entryAt(5).name, "Repair 4");
    EXPECT_EQ(object.categories()[2]->entryAt(4).value, "none");
    EXPECT_EQ(rowTexts(5), (QStringList{"Guarantee", "Repair 4", "soon"}));
    // Switching the selector clears the selection and the texts.
    clickRow(4);
    EXPECT_EQ(panel->nameEdit()->text(), "Repair 3");
    choose("Value");
    EXPECT_EQ(panel->selectedRow(), -1);
    EXPECT_EQ(panel->nameEdit()->text(), "");
}

} // namespace
