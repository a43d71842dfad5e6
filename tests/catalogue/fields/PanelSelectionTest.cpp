// What the panel selects and shows when the tree or "Add" change its rows, and the reminder
// values it keeps.
#include "PanelTestSupport.h"
#include "planeditor/view/DialogTestSupport.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

using PanelSelection = PanelTest;

// The row lies wholly within the list's height (the columns may be wider than the list).
bool inView(QTreeWidget* list, QTreeWidgetItem* item) {
    const QRect row = list->visualItemRect(item);
    return row.isValid() && row.top() >= 0 && row.bottom() <= list->viewport()->height();
}

TEST_F(PanelSelection, AnotherObjectStartsWithNoRowSelectedHoweverTheRowsChange) {
    // With "Show all category items" the boiler shows 8 attribute rows, the lamp 7, and the
    // chair 7 attributes and a reminder.
    object.categories()[2]->append("Repair 3", "none", "Guarantee");
    CHouseObject lamp;
    lamp.name = "Lamp";
    CHouseObject chair;
    chair.name = "Chair";
    chair.addReminder(std::make_unique<CReminder>(LocalDateTime{2031, 1, 1}));
    clickShowAll();
    ASSERT_EQ(rowCount(), 8);

    // The last row chosen each time: the boiler's goes with the switch to the lamp.
    for (CHouseObject* next : {&lamp, &chair, &object, &lamp}) {
        clickRow(rowCount() - 1);
        ASSERT_EQ(panel->selectedRow(), rowCount() - 1);
        select(next);
        EXPECT_EQ(panel->selectedRow(), -1) << next->name;
        EXPECT_EQ(panel->nameEdit()->text(), "") << next->name;
        EXPECT_EQ(panel->detailsEdit()->text(), "") << next->name;
        EXPECT_EQ(editor().notesBox()->text(), "") << next->name;
    }

    // Typing now changes no attribute of the object; "Add" makes a new one.
    retype(panel->nameEdit(), "Bulb");
    retype(panel->detailsEdit(), "E27");
    const auto attributes = [&lamp] {
        std::vector<std::string> names;
        for (const auto& category : lamp.categories())
            for (const auto& field : category->entries())
                names.emplace_back(field->name.view());
        return names;
    };
    const std::vector<std::string> before = attributes();
    EXPECT_EQ(std::count(before.begin(), before.end(), "Bulb"), 0);
    QTest::mouseClick(panel->addButton(), Qt::LeftButton);
    const std::vector<std::string> after = attributes();
    EXPECT_EQ(after.size(), 8u);
    EXPECT_EQ(std::count(after.begin(), after.end(), "Bulb"), 1);

    // The same with one category at a time.
    clickShowAll();
    clickRow(0);
    select(&chair);
    EXPECT_EQ(panel->selectedRow(), -1);
    EXPECT_EQ(panel->nameEdit()->text(), "");
}

TEST_F(PanelSelection, AddedRowsStayInViewWithoutBeingSelected) {
    panel->resize(700, 260);
    choose("Guarantee");
    QTreeWidget* list = panel->attributeList();
    for (int i = 0; i < 15; ++i) {
        retype(panel->nameEdit(), QString("Repair %1").arg(i + 3));
        QTest::mouseClick(panel->addButton(), Qt::LeftButton);
        QTreeWidgetItem* added = list->topLevelItem(rowCount() - 1);
        EXPECT_EQ(added->text(1), QString("Repair %1").arg(i + 3));
        EXPECT_FALSE(added->isSelected());
        EXPECT_TRUE(inView(list, added)) << i;
    }
    ASSERT_GT(rowCount() * list->visualItemRect(list->topLevelItem(0)).height(),
              list->viewport()->height()); // the list did have to scroll

    choose("Reminder");
    for (int i = 0; i < 15; ++i) {
        retype(editor().notesBox(), QString("Check %1").arg(i));
        QTest::mouseClick(panel->addButton(), Qt::LeftButton);
        QTreeWidgetItem* added = list->topLevelItem(rowCount() - 1);
        EXPECT_EQ(added->text(2), QString("Check %1").arg(i));
        EXPECT_FALSE(added->isSelected());
        EXPECT_TRUE(inView(list, added)) << i;
    }
    EXPECT_EQ(object.reminders().size(), 15u);
}

TEST_F(PanelSelection, StoredCountsAndListValuesAreShownAndKeptUntilTheUserChangesThem) {
    auto& stored = object.addReminder(std::make_unique<CReminder>(LocalDateTime{2030, 1, 1}));
    stored.type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
    stored.repeatEachCount = 0; // an older file
    stored.repeatOnNumber = 20000;
    stored.repeatEachUnit = 7; // no entry stands for these
    stored.repeatOnAnchor = 4;
    stored.repeatOnUnit = -1;
    choose("Reminder");
    clickRow(0);
    EXPECT_EQ(editor().repeatEachCount()->value(), 0);
    EXPECT_EQ(editor().repeatOnNumber()->value(), 20000);

    retype(editor().notesBox(), "Only the notes");
    EXPECT_EQ(stored.notes, "Only the notes");
    EXPECT_EQ(stored.repeatEachCount, 0);
    EXPECT_EQ(stored.repeatOnNumber, 20000);
    EXPECT_EQ(stored.repeatEachUnit, 7);
    EXPECT_EQ(stored.repeatOnAnchor, 4);
    EXPECT_EQ(stored.repeatOnUnit, -1);

    // What the user does change is stored, the rest still kept.
    editor().repeatOnNumber()->setValue(40000);
    editor().repeatOnUnit()->setCurrentIndex(static_cast<int>(PeriodUnit::Year));
    EXPECT_EQ(stored.repeatOnNumber, 40000);
    EXPECT_EQ(stored.repeatOnUnit, static_cast<int>(PeriodUnit::Year));
    EXPECT_EQ(stored.repeatEachUnit, 7);
    editor().repeatEachCount()->setValue(-3);
    EXPECT_EQ(stored.repeatEachCount, -3);
}

} // namespace
