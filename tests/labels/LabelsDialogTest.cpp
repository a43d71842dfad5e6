// The "Print labels" dialog driven as a user would, every question answered by the test.
#include "labels/dialog/LabelsDialog.h"
#include "LabelHouse.h"
#include "labels/core/LabelCodes.h"
#include "labels/dialog/LabelTree.h"
#include "platform/SettingsFile.h"
#include "tests/search/dialog/FakePrintSeam.h"
#include "tests/support/BracketingTranslator.h"
#include "tests/support/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

using Kind = test::ScriptedPrompter::Kind;

class LabelsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        test::fillLabelHouse(m_doc, m_dir.filePath("house.av").toStdString());
        m_settings = std::make_unique<SettingsFile>(m_dir.filePath("settings.conf").toStdString());
    }

    std::unique_ptr<LabelsDialog> open(const CHouseObject* select = nullptr) {
        return std::make_unique<LabelsDialog>(m_doc, select, m_prompter, m_print, m_settings.get());
    }
    static void click(LabelsDialog& dialog, const char* button) {
        dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
    static std::vector<std::string> chosenNames(const LabelsDialog& dialog) {
        std::vector<std::string> names;
        for (const LabelSubject& s : dialog.tree()->chosen())
            names.push_back(s.isRoom() ? s.block->name : s.object->name);
        return names;
    }
    QString pdf(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    CBrenvikaDoc m_doc;
    std::unique_ptr<SettingsFile> m_settings;
    test::ScriptedPrompter m_prompter;
    test::FakePrintSeam m_print;
};

TEST_F(LabelsDialogTest, QuickChoicesTickTheirLabelsAndThePreviewShowsTheSheet) {
    auto dialog = open();
    EXPECT_EQ(chosenNames(*dialog), (std::vector<std::string>{"Shelf", "Box", "Tin", "Big box",
                                                              test::kScripts, test::kControls}));
    EXPECT_FALSE(dialog->preview().isNull());
    EXPECT_EQ(dialog->preview().width(), 320);
    click(*dialog, "roomsButton");
    EXPECT_EQ(chosenNames(*dialog), (std::vector<std::string>{"Garage", "Loft"}));
    // A section's tick carries to everything in it.
    QTreeWidgetItem* ground = dialog->tree()->topLevelItem(0);
    ground->setCheckState(0, Qt::Checked);
    EXPECT_EQ(chosenNames(*dialog).size(), 1u + 6 + 1 + 500 + 4 + 1); // the Loft still ticked
    ground->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(chosenNames(*dialog), (std::vector<std::string>{"Loft"}));

    // "Print label..." of the objects dialog ticks its object alone.
    const CHouseObject* box =
        m_doc.sections()[0]->blocks()[0]->floorObjects()[0]->children(NestPosition::OnTop)[0].get();
    EXPECT_EQ(chosenNames(*open(box)), (std::vector<std::string>{"Box"}));
}

TEST_F(LabelsDialogTest, SavingWithCodesStoresThemAndModifiesTheHouse) {
    auto dialog = open();
    dialog->findChild<QCheckBox*>(QStringLiteral("codesCheck"))->setChecked(true);
    m_prompter.fileNames.push_back(pdf("labels.pdf"));
    click(*dialog, "pdfButton");
    ASSERT_TRUE(QFile::exists(pdf("labels.pdf"))) << m_prompter.texts().join('\n').toStdString();
    QFile file(pdf("labels.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_TRUE(dialog->codesStored());
    EXPECT_EQ(storedCode(*dialog->tree()->chosen()[0].object), "AV-0001");
    EXPECT_EQ(m_prompter.shown.back().kind, Kind::SaveFile);

    // Printing goes to the printer the user chose, on the sheet's own page.
    m_print.printTo = pdf("printed.pdf");
    click(*dialog, "printButton");
    EXPECT_TRUE(QFile::exists(pdf("printed.pdf")));
}

TEST_F(LabelsDialogTest, RefusalsAreToldAndWriteNothing) {
    auto dialog = open();
    auto* sheets = dialog->findChild<QComboBox*>(QStringLiteral("sheetCombo"));
    sheets->setCurrentIndex(sheets->count() - 1);                              // the custom sheet
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("size4"))->setValue(75); // label width
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("size8"))->setValue(75); // its pitch
    dialog->updatePreview();
    EXPECT_TRUE(dialog->findChild<QLabel*>(QStringLiteral("problemLabel"))
                    ->text()
                    .contains(QStringLiteral("do not fit the page")));
    m_prompter.fileNames.push_back(pdf("wide.pdf"));
    click(*dialog, "pdfButton");
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].icon, Prompter::Icon::Stop);
    EXPECT_TRUE(m_prompter.shown[0].text.contains(QStringLiteral("225 mm")));
    EXPECT_FALSE(QFile::exists(pdf("wide.pdf")));

    // A custom sheet that fits is kept for the next time.
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("size8"))->setValue(70);
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("size4"))->setValue(65);
    click(*dialog, "pdfButton");
    EXPECT_TRUE(QFile::exists(pdf("wide.pdf")));
    EXPECT_EQ(sheetToText(open()->sheet()), "210x297 3x8 65x37 0,0.5 70x37");

    // Nothing ticked.
    dialog->tree()->choose([](const LabelSubject&) { return false; });
    m_prompter.shown.clear();
    click(*dialog, "printButton");
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_TRUE(m_prompter.shown[0].text.startsWith(QStringLiteral("No labels are chosen")));
    EXPECT_EQ(m_print.printAsked, 0);
    EXPECT_FALSE(m_doc.isModified());

    // A house without rooms opens no dialog.
    CBrenvikaDoc empty;
    empty.clearSections();
    EXPECT_TRUE(LabelsDialog::refuseEmptyHouse(nullptr, empty, m_prompter));
    EXPECT_TRUE(m_prompter.shown.back().text.contains(QStringLiteral("no rooms or halls")));
    EXPECT_FALSE(LabelsDialog::refuseEmptyHouse(nullptr, m_doc, m_prompter));
}

TEST_F(LabelsDialogTest, TheSheetsAndTheirProblemsAreShownInTheUsersLanguage) {
    test::BracketingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    auto dialog = open();
    auto* sheets = dialog->findChild<QComboBox*>(QStringLiteral("sheetCombo"));
    EXPECT_EQ(sheets->itemText(0), QStringLiteral("[A4, 3 x 8 labels of 70 x 37 mm]"));
    // The sheet's name is kept as the settings and the command line know it.
    EXPECT_EQ(sheets->itemData(0).toString(), QStringLiteral("a4-3x8"));
    sheets->setCurrentIndex(sheets->count() - 1);
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("size4"))->setValue(10); // label width
    dialog->updatePreview();
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("problemLabel"))->text(),
              QStringLiteral("[A label must be at least 25 x 15 mm to hold a readable code; these "
                             "are 10 x 37 mm.]"));
    m_prompter.fileNames.push_back(pdf("small.pdf"));
    click(*dialog, "pdfButton");
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_TRUE(m_prompter.shown[0].text.startsWith(QStringLiteral("[A label must")));
    QCoreApplication::removeTranslator(&translator);
    // The English stays for the command line.
    EXPECT_EQ(sheetProblem(dialog->sheet()).rfind("A label must be at least 25 x 15 mm", 0), 0u);
}

} // namespace
} // namespace ardenvo
