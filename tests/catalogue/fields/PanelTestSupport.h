#pragma once

#include "catalogue/fields/CategoryPanel.h"
#include "model/CHouseObject.h"
#include "widgets/ReminderEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <string>

namespace ardenvo::test {

// The panel's questions and messages answered by the test, which records what was said.
struct FieldAnswers {
    QStringList questions;
    QStringList errors;
    QStringList warnings;
    bool answerYes = true;
    QString openPath;
    QString savePath;
    QStringList fileDialogFolders; // where each file dialog started

    FieldPrompts prompts() {
        FieldPrompts p;
        p.confirm = [this](QWidget*, const QString& text) {
            questions << text;
            return answerYes;
        };
        p.error = [this](QWidget*, const QString& text) {
            errors << text;
        };
        p.warn = [this](QWidget*, const QString& text) {
            warnings << text;
        };
        p.openFieldFile = [this](QWidget*, const QString& folder) {
            fileDialogFolders << folder;
            return openPath;
        };
        p.saveFieldFile = [this](QWidget*, const QString& folder) {
            fileDialogFolders << folder;
            return savePath;
        };
        return p;
    }
};

// A panel in a shown test window, with a new object selected in the (imagined) tree.
class PanelTest : public testing::Test {
protected:
    void SetUp() override {
        panel = new CategoryPanel(&window, answers.prompts());
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

    FieldAnswers answers;
    QWidget window;
    CategoryPanel* panel = nullptr;
    CHouseObject object;
};

} // namespace ardenvo::test
