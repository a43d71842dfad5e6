#include "catalogue/fields/core/PanelRows.h"

#include <gtest/gtest.h>

using namespace ardenvo;

namespace {

std::vector<std::string> seconds(const std::vector<PanelRow>& rows) {
    std::vector<std::string> texts;
    for (const auto& row : rows)
        texts.push_back(row.second);
    return texts;
}

TEST(PanelRows, EachModeListsItsRowsAndEveryRowKnowsItsItem) {
    CHouseObject object;
    object.addReminder(std::make_unique<CReminder>(LocalDateTime{2004, 3, 5, 18, 30, 0})).notes =
        "Oil";
    // A category read from a file may bear the reminder list's name; it stays a category.
    object.appendCategory(std::make_unique<CFieldList>("Reminder")).append("Kind", "gas");

    EXPECT_EQ(selectorEntries(object),
              (std::vector<std::string>{"Location", "Value", "Guarantee", "Reminder", "Reminder"}));
    EXPECT_EQ(selectorIndexFor(object), 0);

    EXPECT_EQ(seconds(panelRows(object, 1, false)),
              (std::vector<std::string>{"Price paid", "Insurance value"}));
    const auto reminders = panelRows(object, 4, false);
    ASSERT_EQ(reminders.size(), 1u);
    EXPECT_EQ(reminders[0].first, "Reminder");
    EXPECT_EQ(reminders[0].second, "05 March 2004");
    EXPECT_EQ(reminders[0].third, "Oil");

    const auto all = panelRows(object, 0, true);
    ASSERT_EQ(all.size(), 9u);
    EXPECT_EQ(all[5].first, "Guarantee");
    EXPECT_EQ(all[5].position, 2);
    EXPECT_EQ(all[7].first, "Reminder");
    EXPECT_FALSE(all[7].isReminder());
    EXPECT_EQ(all[7].category, 3);
    EXPECT_TRUE(all[8].isReminder());
    EXPECT_EQ(all[8].position, 0);

    // An object whose current category is gone shows the reminders.
    object.clearCategories();
    EXPECT_EQ(selectorIndexFor(object), 0);
    EXPECT_EQ(selectorEntries(object), std::vector<std::string>{"Reminder"});
    EXPECT_EQ(panelRows(object, 0, false).size(), 1u);
}

} // namespace
