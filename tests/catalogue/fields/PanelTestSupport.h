#pragma once

#include "catalogue/fields/CategoryPanel.h"
#include "model/CHouseObject.h"
#include "support/ScriptedPrompter.h"
#include "widgets/ReminderEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <string>

namespace ardenvo::test {

// The texts of the messages shown with that title and icon: the panel's errors (titled "Error",
// stop icon) and refusals (the program's name as title, warning icon).
inline QStringList messagesShown(const ScriptedPrompter& prompter, const QString& title,
                                 Prompter::Icon icon) {
    QStringList texts;
    for (const auto& shown : prompter.shown)
        if (shown.kind == ScriptedPrompter::Kind::Message && shown.title == title &&
            shown.icon == icon)
            texts << shown.text;
    return texts;
}
inline QStringList errorsShown(const ScriptedPrompter& prompter) {
    return messagesShown(prompter, QStringLiteral("Error"), Prompter::Icon::Stop);
}
inline QStringList warningsShown(const ScriptedPrompter& prompter) {
    return messagesShown(prompter, applicationTitle(), Prompter::Icon::Warning);
}
// Where each field-file dialog started.
inline QStringList fileDialogFolders(const ScriptedPrompter& prompter) {
    QStringList folders;
    for (const auto& shown : prompter.shown)
        if (shown.kind == ScriptedPrompter::Kind::OpenFile ||
            shown.kind == ScriptedPrompter::Kind::SaveFile)
            folders << shown.file.start;
    return folders;
}

// A panel in a shown test window, with a new object selected in the (imagined) tree.
class PanelTest : public testing::Test {
protected:
    void SetUp() override {
        panel = new CategoryPanel(prompter, {}, &window);
        window.resize(900, 400);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        object.name = "Boiler";
        select(&object);
    }

    void select(CHouseObject* o) {
        panel->selectionChanged(o);
        panel->setControlsEnabled(o != nullptr);
    }
    QStringList selectorTexts() const {
        QStringList texts;
        for (int i = 0; i < panel->categorySelector()->count(); ++i)
            texts << panel->categorySelector()->itemText(i);
        return texts;
    }
    // The user picks an entry of the selector.
    void choose(const QString& entry) {
        const int index = panel->categorySelector()->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        panel->categorySelector()->setCurrentIndex(index);
    }
    QStringList rowTexts(int row) const {
        QTreeWidgetItem* item = panel->attributeList()->topLevelItem(row);
        return item ? QStringList{item->text(0), item->text(1), item->text(2)} : QStringList{};
    }
    int rowCount() const { return panel->attributeList()->topLevelItemCount(); }
    void clickRow(int row, Qt::MouseButton button = Qt::LeftButton) {
        QTreeWidget* list = panel->attributeList();
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), button, {}, rect.center());
    }
    void clickShowAll() { panel->showAllBox()->click(); }
    ReminderEditor& editor() const { return *panel->reminderEditor(); }

    // The panel's questions and messages, answered and recorded by the test.
    ScriptedPrompter prompter;
    QWidget window;
    CategoryPanel* panel = nullptr;
    CHouseObject object;
};

} // namespace ardenvo::test
