// The shared dialogs in another language and from the keyboard: what they show is translated while
// what they give back stays as stored, button texts get letters of their own, and a label's
// letter reaches its field.
#include "planeditor/view/DialogTestSupport.h"

#include "platform/Settings.h"
#include "tests/support/BracketingTranslator.h"
#include "widgets/ObjectPropertiesDialog.h"
#include "widgets/ReminderEditor.h"
#include "widgets/ResizeDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

class Translated : public testing::Test {
protected:
    void SetUp() override { QCoreApplication::installTranslator(&translator); }
    void TearDown() override { QCoreApplication::removeTranslator(&translator); }
    BracketingTranslator translator;
};

TEST(AltLetters, EachButtonGetsAFreeLetterAndKeepsOneItHas) {
    EXPECT_EQ(withAltLetters({"Overwrite", "Reload", "Cancel"}),
              QStringList({"&Overwrite", "&Reload", "&Cancel"}));
    // A taken first letter moves on to the next free one, also past a letter another text has.
    EXPECT_EQ(withAltLetters({"Save", "Skip", "&Keep", "Sk"}),
              QStringList({"&Save", "Sk&ip", "&Keep", "Sk"}));
    EXPECT_EQ(withAltLetters({"Tom && Jerry", "T"}), QStringList({"&Tom && Jerry", "T"}));
    EXPECT_EQ(withAltLetters({"", "..."}), QStringList({"", "..."}));
}

TEST_F(Translated, UnitsAndPositionsShowTranslatedWhileTheirIndexIsKept) {
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath("registry.conf").toStdString());
    ScriptedPrompter prompter;
    ObjectPropertiesDialog d(nullptr, std::nullopt, false, settings, prompter);
    EXPECT_EQ(d.unitCombo()->itemText(2), "[Inches]");
    EXPECT_EQ(d.positionCombo()->itemText(1), "[Inside]");
    d.unitCombo()->setCurrentIndex(2);
    d.show();
    clickOk(&d);
    EXPECT_EQ(Settings(settings).objectUnits(), 2);

    const auto hall = CBlock::create(BlockKind::Hall, {0, 0, 100, 100});
    ResizeDialog resize(nullptr, UnitTable(1), *hall, nullptr, prompter);
    QStringList labels;
    for (const QLabel* label : resize.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("[meters]")) << labels.join(", ").toStdString();
    EXPECT_TRUE(labels.contains("[&Width:]"));
}

TEST_F(Translated, ABadNumberIsRefusedInTheUsersLanguage) {
    ScriptedPrompter prompter;
    const auto hall = CBlock::create(BlockKind::Hall, {0, 0, 100, 100});
    ResizeDialog d(nullptr, UnitTable(0), *hall, nullptr, prompter);
    d.show();
    retype(d.widthEdit(), "wide");
    clickOk(&d);
    EXPECT_EQ(prompter.texts(), QStringList("[Please enter a number.]"));
    EXPECT_TRUE(d.isVisible());
}

// Alt and a label's letter put the focus in the field the label names, the date beside its time
// included.
TEST(ReminderKeys, EachLabelsLetterReachesItsField) {
    for (const auto form :
         {ReminderEditorForm::CategoryPanel, ReminderEditorForm::SettingsDialog}) {
        QWidget window;
        auto* editor = new ReminderEditor(&window, form);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(editor->fieldsWidget());
        layout->addWidget(editor->periodicalGroup());
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_D, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), editor->datePicker());
        QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), editor->notesBox());
        QTest::keyClick(&window, Qt::Key_T, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), editor->typeList());
        EXPECT_FALSE(editor->timeBox()->accessibleName().isEmpty());
    }
}

} // namespace
