// The category panel's state without its widgets: what the selector and the list hold, which row
// stays selected, and the model edit each command makes.
#include "catalogue/fields/core/CategoryPanelState.h"

#include <gtest/gtest.h>

using namespace ardenvo;

namespace {

using Deletion = CategoryPanelState::CategoryDeletion;
using Part = CategoryPanelState::AttributePart;

std::vector<std::string> seconds(const CategoryPanelState& state) {
    std::vector<std::string> texts;
    for (const auto& row : state.rows())
        texts.push_back(row.second);
    return texts;
}

// A boiler with the default categories (Location 1 attribute, Value 2, Guarantee 4) and one
// reminder.
class PanelState : public testing::Test {
protected:
    void SetUp() override {
        object.name = "Boiler";
        object.addReminder(std::make_unique<CReminder>(LocalDateTime{2030, 1, 1})).notes = "Check";
        state.setObject(&object);
    }
    CHouseObject object;
    CategoryPanelState state;
};

TEST_F(PanelState, EntriesFollowTheObjectAndOnlyAKeptRowStaysSelected) {
    EXPECT_EQ(state.entries(),
              (std::vector<std::string>{"Location", "Value", "Guarantee", "Reminder"}));
    EXPECT_EQ(state.entry(), 0);
    state.chooseEntry(2);
    EXPECT_EQ(object.currentCategory(), 2);
    state.selectRow(3);
    EXPECT_EQ(state.rows()[3].second, "Repair 2");
    // Choosing an entry, even the same one, starts with nothing selected.
    state.chooseEntry(2);
    EXPECT_EQ(state.selectedRow(), -1);
    // "Reminder" lists the reminders and leaves the current category alone.
    state.chooseEntry(3);
    EXPECT_TRUE(state.reminderChosen());
    EXPECT_EQ(seconds(state), std::vector<std::string>{"01 January 2030"});
    EXPECT_EQ(object.currentCategory(), 2);
    EXPECT_EQ(state.chosenCategory(), nullptr);
    state.chooseEntry(7); // no such entry: nothing changes
    EXPECT_TRUE(state.reminderChosen());

    state.setObject(nullptr);
    EXPECT_TRUE(state.entries().empty());
    EXPECT_TRUE(state.rows().empty());
    EXPECT_EQ(state.addAttribute("Bulb", "E27"), -1);
    EXPECT_FALSE(state.deleteSelected());
}

TEST_F(PanelState, ShowAllLetsTheRowChooseTheEntryAndKeepsTheSelectedItem) {
    state.setShowAll(true);
    ASSERT_EQ(state.rows().size(), 8u);
    state.selectRow(2); // Value's second attribute
    EXPECT_EQ(state.entry(), 1);
    EXPECT_EQ(object.currentCategory(), 1);
    ASSERT_TRUE(state.editSelectedAttribute(Part::Name, "Replacement value"));
    ASSERT_TRUE(state.editSelectedAttribute(Part::Value, "1200"));
    EXPECT_EQ(object.categories()[1]->entryAt(1).name, "Replacement value");
    EXPECT_EQ(object.categories()[1]->entryAt(1).value, "1200");
    EXPECT_EQ(state.rows()[2].third, "1200");
    EXPECT_EQ(state.selectedReminder(), nullptr);

    // Back to one category: the same attribute, now the category's second row.
    state.setShowAll(false);
    EXPECT_EQ(state.selectedRow(), 1);
    state.setShowAll(true);
    EXPECT_EQ(state.selectedRow(), 2);

    // A reminder row chooses "Reminder" and keeps the current category.
    state.selectRow(7);
    EXPECT_TRUE(state.reminderChosen());
    EXPECT_EQ(object.currentCategory(), 1);
    EXPECT_FALSE(state.editSelectedAttribute(Part::Name, "x"));
    CReminder* reminder = state.selectedReminder();
    ASSERT_EQ(reminder, object.reminders()[0].get());
    reminder->notes = "Bleed the radiators";
    state.selectedReminderStored();
    EXPECT_EQ(reminder->objectName, "Boiler");
    EXPECT_EQ(state.rows()[7].third, "Bleed the radiators");
    // A row out of range is no selection.
    state.selectRow(8);
    EXPECT_EQ(state.selectedRow(), -1);
}

TEST_F(PanelState, AddedEntriesAreListedUnselectedAndDeleteRemovesTheSelectedOne) {
    state.chooseEntry(2);
    const int row = state.addAttribute("Repair 3", "none");
    EXPECT_EQ(row, 4);
    EXPECT_EQ(state.selectedRow(), -1);
    EXPECT_EQ(object.categories()[2]->entryAt(4).category, "Guarantee");
    state.selectRow(0);
    ASSERT_TRUE(state.deleteSelected());
    EXPECT_EQ(object.categories()[2]->entryAt(0).name, "Guarantee");
    EXPECT_EQ(state.rows().size(), 4u);
    EXPECT_EQ(state.selectedRow(), -1);
    EXPECT_FALSE(state.deleteSelected());

    state.chooseEntry(3);
    EXPECT_EQ(state.addReminder(std::make_unique<CReminder>(LocalDateTime{2031, 2, 3})), 1);
    EXPECT_EQ(object.reminders()[1]->objectName, "Boiler");
    state.selectRow(0);
    ASSERT_TRUE(state.deleteSelected());
    ASSERT_EQ(object.reminders().size(), 1u);
    EXPECT_EQ(seconds(state), std::vector<std::string>{"03 February 2031"});
}

TEST_F(PanelState, CategoryCommandsChangeTheSelectorAndCancelChangesNothing) {
    state.chooseEntry(1);
    // The name is asked while the new category is among the object's, titled "Category".
    const bool cancelled = state.addCategory([this](const CFieldList& added) {
        EXPECT_EQ(object.categories().back().get(), &added);
        EXPECT_EQ(added.title, "Category");
        return std::optional<std::string>("");
    });
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(object.categories().size(), 3u);
    EXPECT_EQ(object.currentCategory(), 1);
    ASSERT_TRUE(
        state.addCategory([](const CFieldList&) { return std::optional<std::string>("Tools"); }));
    EXPECT_EQ(state.entries()[3], "Tools");
    EXPECT_EQ(state.entry(), 3);
    EXPECT_NE(state.addCategoryFromFile("/nonexistent/field.fld"), FileError::None);
    EXPECT_EQ(state.entries().size(), 5u);

    state.renameChosenCategory("Workshop");
    EXPECT_EQ(object.categories()[3]->title, "Workshop");
    EXPECT_EQ(state.entries()[3], "Workshop");
    EXPECT_EQ(state.deleteChosenCategory(), Deletion::Deleted);
    EXPECT_EQ(state.entries().size(), 4u);
    EXPECT_EQ(state.entry(), 2); // the last category was current: the one before it now

    state.chooseEntry(3);
    EXPECT_EQ(state.deleteChosenCategory(), Deletion::ReminderChosen);
    state.chooseEntry(0);
    EXPECT_EQ(state.deleteChosenCategory(), Deletion::Deleted);
    EXPECT_EQ(state.deleteChosenCategory(), Deletion::Deleted);
    // The only category stays; the selector moves to "Reminder".
    EXPECT_EQ(state.deleteChosenCategory(), Deletion::OnlyCategory);
    EXPECT_EQ(object.categories().size(), 1u);
    EXPECT_TRUE(state.reminderChosen());
}

} // namespace
