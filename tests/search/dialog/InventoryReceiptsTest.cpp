// "Include receipts" of the "Inventory report" dialog: off at first, and when checked the first
// page of each receipt kept with an object is in the saved report, read from the Documents folder.
#include "FakePrintSeam.h"
#include "model/CBrenvikaDoc.h"
#include "search/dialog/InventoryDialog.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TestDocuments.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

TEST(InventoryReceipts, CheckedTheReceiptsFirstPagesAreInTheReport) {
    QTemporaryDir dir;
    const QString documents = dir.filePath("Documents");
    ASSERT_TRUE(QDir().mkpath(documents));
    ASSERT_TRUE(test::writeTestPdf(documents + "/lamp receipt.pdf"));
    CBrenvikaDoc doc;
    doc.clearSections();
    auto ground = std::make_unique<CSection>();
    auto lamp = std::make_unique<CHouseObject>();
    lamp->name = "Lamp";
    auto& papers = lamp->appendCategory(std::make_unique<CFieldList>("Documents"));
    papers.append("Receipt", "lamp receipt.pdf", "Documents");
    papers.append("Receipt 2", "gone.pdf", "Documents");
    ground->blocks().front()->addFloorObject(std::move(lamp));
    doc.appendSection(std::move(ground));

    test::ScriptedPrompter prompter;
    test::FakePrintSeam print;
    InventoryDialog dialog(doc, dir.filePath("Images").toStdString(), prompter, print);
    dialog.setDocumentsFolder(documents.toStdString());
    dialog.findChild<QTreeWidget*>("scopeTree")->topLevelItem(0)->setCheckState(0, Qt::Checked);
    auto* receipts = dialog.findChild<QCheckBox*>("receiptsCheck");
    ASSERT_NE(receipts, nullptr);
    EXPECT_FALSE(receipts->isChecked());
    EXPECT_FALSE(dialog.options(0).includeReceipts);

    const QString html = dir.filePath("out.html");
    prompter.fileNames = {html, html};
    dialog.findChild<QPushButton*>("htmlButton")->click();
    EXPECT_FALSE(test::fileBytes(html).contains("<img"));

    receipts->setChecked(true);
    dialog.findChild<QPushButton*>("htmlButton")->click();
    const QByteArray page = test::fileBytes(html);
    EXPECT_TRUE(page.contains("alt=\"lamp receipt.pdf\"")) << page.toStdString();
    EXPECT_TRUE(page.contains("data:image/jpeg;base64,"));
    EXPECT_TRUE(page.contains("missing document: gone.pdf"));
}

} // namespace
} // namespace ardenvo
