// The search dialog in another language: its lists and messages are translated, while the report
// file, which other programs and the golden files read, keeps the English words.
#include "FakePrintSeam.h"
#include "model/CBrenvikaDoc.h"
#include "search/dialog/ScopeTree.h"
#include "search/dialog/SearchDialog.h"
#include "tests/support/BracketingTranslator.h"
#include "tests/support/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

namespace ardenvo {
namespace {

TEST(SearchLanguage, TheComparisonListIsTranslatedAndTheReportKeepsItsEnglish) {
    test::BracketingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QTemporaryDir dir;
    CBrenvikaDoc doc;
    auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    object->name = "Lamp";
    auto value = std::make_unique<CFieldList>("Value");
    value->append("Price paid", "20");
    object->appendCategory(std::move(value));
    doc.clearSections();
    auto section = std::make_unique<CSection>();
    section->blocks().front()->appendFloorObjectAsStored(std::move(object));
    doc.appendSection(std::move(section));
    test::ScriptedPrompter prompter;
    test::FakePrintSeam printing;
    const QString reportPath = dir.filePath("temp.html");
    SearchDialog dialog(doc, reportPath, prompter, printing);

    dialog.askTheTobrin();
    EXPECT_EQ(prompter.texts(), QStringList("[Check at least one check box]"));

    auto* comparison = dialog.findChild<QComboBox*>("comparisonCombo");
    ASSERT_NE(comparison, nullptr);
    EXPECT_EQ(comparison->itemText(3), "[is greater than]");
    dialog.findChild<QCheckBox*>("fieldCheck")->setChecked(true);
    dialog.findChild<QLineEdit*>("fieldEdit")->setText("Price");
    dialog.findChild<QCheckBox*>("valueCheck")->setChecked(true);
    comparison->setCurrentIndex(3);
    dialog.findChild<ScopeTree*>("scopeTree")->tickAll();
    dialog.findChild<QLineEdit*>("valueEdit")->setText("10");
    dialog.askTheTobrin();

    QFile report(reportPath);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray html = report.readAll();
    EXPECT_TRUE(html.contains("is greater than")) << html.toStdString();
    EXPECT_TRUE(html.contains("Lamp"));
    EXPECT_FALSE(html.contains('['));
    QCoreApplication::removeTranslator(&translator);
}

} // namespace
} // namespace ardenvo
