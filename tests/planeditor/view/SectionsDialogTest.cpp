#include "DialogTestSupport.h"

#include "planeditor/view/SectionsDialog.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

// A house of three sections, "House" (active), "Cellar" and "Attic".
class SectionsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        doc.appendSection(std::make_unique<CSection>()).name = "Cellar";
        doc.appendSection(std::make_unique<CSection>()).name = "Attic";
        doc.setModified(false);
    }
    std::unique_ptr<SectionsDialog> open() {
        auto d = std::make_unique<SectionsDialog>(nullptr, doc, prompter);
        d->show();
        return d;
    }
    static QStringList column(const SectionsDialog& d, int c) {
        QStringList texts;
        for (int i = 0; i < d.sectionList()->topLevelItemCount(); ++i)
            texts << d.sectionList()->topLevelItem(i)->text(c);
        return texts;
    }
    static void select(SectionsDialog& d, int row) {
        d.sectionList()->setCurrentItem(d.sectionList()->topLevelItem(row));
    }
    QStringList names() const {
        QStringList texts;
        for (const auto& s : doc.sections())
            texts << QString::fromStdString(s->name);
        return texts;
    }

    CBrenvikaDoc doc;
    ScriptedPrompter prompter;
};

} // namespace

TEST_F(SectionsDialogTest, ListsTheSectionsMarksTheActiveOneAndAddsNewSections) {
    auto d = open();
    EXPECT_EQ(column(*d, 0), (QStringList{"House", "Cellar", "Attic"}));
    EXPECT_EQ(column(*d, 1), (QStringList{"Yes", "", ""}));

    CSection* active = doc.currentSection();
    QTest::mouseClick(d->addButton(), Qt::LeftButton);
    EXPECT_EQ(column(*d, 0), (QStringList{"House", "Cellar", "Attic", "New Section"}));
    ASSERT_EQ(doc.sectionCount(), 4);
    EXPECT_EQ(doc.sectionAt(3)->blocks().size(), 1u);
    EXPECT_EQ(doc.sectionAt(3)->blocks()[0]->name, "I'm a hall");
    EXPECT_EQ(doc.currentSection(), active);
    EXPECT_FALSE(d->activeSectionChanged());
    d->reject();
}

TEST_F(SectionsDialogTest, DeletingANonActiveSectionAsksFirstAndTheActiveOneIsRefused) {
    auto d = open();
    // No selection.
    QTest::mouseClick(d->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(warnings(prompter), QStringList{"You must first select a section"});

    select(*d, 0);
    QTest::mouseClick(d->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(warnings(prompter).last(),
              QStringLiteral("Can't delete the active section. Activate another first"));
    EXPECT_TRUE(prompter.questions().isEmpty());

    // No leaves everything as it was.
    select(*d, 1);
    prompter.answers.push_back(Prompter::Answer::No);
    QTest::mouseClick(d->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.questions(), QStringList{"Are you sure?"});
    EXPECT_EQ(names(), (QStringList{"House", "Cellar", "Attic"}));
    EXPECT_EQ(column(*d, 0), (QStringList{"House", "Cellar", "Attic"}));
    EXPECT_FALSE(doc.isModified());

    prompter.answers.push_back(Prompter::Answer::Yes);
    QTest::mouseClick(d->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(names(), (QStringList{"House", "Attic"}));
    EXPECT_EQ(column(*d, 0), (QStringList{"House", "Attic"}));
    EXPECT_EQ(doc.currentSection()->name, "House");
    EXPECT_TRUE(doc.isModified());
    d->reject();
}

TEST_F(SectionsDialogTest, SetActiveAndDoubleClickChangeTheActiveSection) {
    auto d = open();
    QTest::mouseClick(d->setActiveButton(), Qt::LeftButton); // nothing selected: nothing happens
    EXPECT_EQ(doc.currentSectionIndex(), 0);
    EXPECT_FALSE(d->activeSectionChanged());

    select(*d, 2);
    QTest::mouseClick(d->setActiveButton(), Qt::LeftButton);
    EXPECT_EQ(doc.currentSectionIndex(), 2);
    EXPECT_EQ(column(*d, 1), (QStringList{"", "", "Yes"}));
    EXPECT_TRUE(d->activeSectionChanged());

    // A double click activates and closes with OK.
    QTreeWidget* list = d->sectionList();
    const QRect row = list->visualItemRect(list->topLevelItem(1));
    // A double click arrives after the press of its first click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    EXPECT_EQ(doc.currentSection()->name, "Cellar");
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Accepted);
}

TEST_F(SectionsDialogTest, RenamingInPlaceTakesANonEmptyNameAndRestoresAnEmptyOne) {
    auto d = open();
    QTreeWidget* list = d->sectionList();
    auto renameRow = [&](int row, const QString& text) {
        // The editor of an earlier rename goes only when deferred deletions run.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTreeWidgetItem* item = list->topLevelItem(row);
        list->setCurrentItem(item);
        list->editItem(item, 0);
        auto* editor = list->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        retype(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    };
    renameRow(1, "Basement");
    EXPECT_EQ(names(), (QStringList{"House", "Basement", "Attic"}));
    EXPECT_TRUE(doc.isModified());

    renameRow(2, "");
    EXPECT_EQ(names(), (QStringList{"House", "Basement", "Attic"}));
    EXPECT_EQ(column(*d, 0), (QStringList{"House", "Basement", "Attic"}));

    renameRow(2, "House"); // names need not be unique
    EXPECT_EQ(names(), (QStringList{"House", "Basement", "House"}));
    d->reject();
}

TEST_F(SectionsDialogTest, RunMarksTheHouseModifiedAndReportsAChangeHoweverItCloses) {
    whenModal([](QDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(SectionsDialog::run(nullptr, doc));
    EXPECT_TRUE(doc.isModified());

    whenModal([](QDialog* dialog) {
        auto* d = static_cast<SectionsDialog*>(dialog);
        d->sectionList()->setCurrentItem(d->sectionList()->topLevelItem(1));
        QTest::mouseClick(d->setActiveButton(), Qt::LeftButton);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_TRUE(SectionsDialog::run(nullptr, doc));
    EXPECT_EQ(doc.currentSection()->name, "Cellar");

    bool helped = false;
    SectionsDialog d(nullptr, doc);
    d.setHelpHandler([&](QWidget*) { helped = true; });
    QTest::mouseClick(d.helpButton(), Qt::LeftButton);
    EXPECT_TRUE(helped);
}
