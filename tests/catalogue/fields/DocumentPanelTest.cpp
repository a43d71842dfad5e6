// "Attach document..." in the category panel: the file copied into the Documents folder, its row
// with the first page and "Open", a file that went missing, one that cannot be shown, and one
// receipt shared by two objects.
#include "PanelTestSupport.h"

#include "documents/DocumentThumbnailer.h"
#include "support/TestDocuments.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

namespace ardenvo::test {
namespace {

class DocumentPanel : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(documents()));
        ASSERT_TRUE(QDir().mkpath(downloads()));
        FieldPanelSettings settings;
        settings.documentsFolder = QFile::encodeName(documents()).toStdString();
        settings.openDocument = [this](const QUrl& url) {
            opened << url;
            return openWorks;
        };
        panel = new CategoryPanel(prompter, settings, &window);
        window.resize(900, 400);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        boiler.name = "Boiler";
        select(&boiler);
    }
    QString documents() const { return dir.filePath("Documents"); }
    QString downloads() const { return dir.filePath("Downloads"); }
    void select(CHouseObject* object) {
        panel->selectionChanged(object);
        panel->setControlsEnabled(object != nullptr);
    }
    // The user attaches the file through the dialog.
    void attach(const QString& path) {
        prompter.fileNames.push_back(path);
        QTest::mouseClick(panel->attachButton(), Qt::LeftButton);
    }
    void choose(const QString& entry) {
        panel->categorySelector()->setCurrentIndex(panel->categorySelector()->findText(entry));
    }
    void clickRow(int row) {
        QTreeWidget* list = panel->attributeList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(row)).center());
    }
    QString rowText(int row, int column) const {
        return panel->attributeList()->topLevelItem(row)->text(column);
    }
    // Until the worker has drawn the selected document.
    bool pictureShown() const {
        return QTest::qWaitFor([this] { return !panel->documentPicture()->pixmap().isNull(); },
                               10000);
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    QWidget window;
    CategoryPanel* panel = nullptr;
    CHouseObject boiler;
    QList<QUrl> opened;
    bool openWorks = true;
};

TEST_F(DocumentPanel, AttachedPdfIsCopiedShownAndOpened) {
    const QString source = downloads() + "/Receipt Boiler.pdf";
    ASSERT_TRUE(writeTestPdf(source));
    attach(source);

    // The dialog offered PDFs, pictures and text files.
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].file.filter.contains("*.pdf"));
    EXPECT_TRUE(prompter.shown[0].file.filter.contains("*.png"));
    EXPECT_TRUE(prompter.shown[0].file.filter.contains("*.txt"));

    EXPECT_TRUE(QFileInfo::exists(documents() + "/Receipt Boiler.pdf"));
    EXPECT_EQ(panel->categorySelector()->currentText(), "Documents");
    ASSERT_EQ(panel->attributeList()->topLevelItemCount(), 1);
    EXPECT_EQ(rowText(0, 0), "Documents");
    EXPECT_EQ(rowText(0, 1), "Receipt");
    EXPECT_EQ(rowText(0, 2), "Receipt Boiler.pdf");
    EXPECT_EQ(panel->selectedRow(), 0);
    EXPECT_EQ(panel->nameEdit()->text(), "Receipt");
    ASSERT_EQ(boiler.categories().size(), 4u);
    EXPECT_EQ(boiler.categories()[3]->entryAt(0).value.str(), "Receipt Boiler.pdf");

    ASSERT_TRUE(pictureShown());
    EXPECT_TRUE(panel->documentBox()->isVisible());
    EXPECT_EQ(panel->documentPicture()->pixmap().height(), 120);
    EXPECT_TRUE(panel->documentStatus()->text().contains("PDF, 1 page"));
    EXPECT_FALSE(panel->attributeList()->topLevelItem(0)->icon(2).isNull());

    // Renaming it through "Name:" renames the document.
    QTest::keyClicks(panel->nameEdit(), "Warranty card");
    EXPECT_EQ(boiler.categories()[3]->entryAt(0).name.str(), "Warranty card");

    ASSERT_TRUE(panel->openButton()->isEnabled());
    QTest::mouseClick(panel->openButton(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(documents() + "/Receipt Boiler.pdf"));
    openWorks = false;
    QTest::mouseClick(panel->openButton(), Qt::LeftButton);
    EXPECT_EQ(errorsShown(prompter), QStringList{"No program could open \"Receipt Boiler.pdf\"."});

    // Another row hides the document's box again.
    choose("Value");
    EXPECT_FALSE(panel->documentBox()->isVisible());
}

TEST_F(DocumentPanel, MissingAndUnshowableFilesSaySo) {
    ASSERT_TRUE(writeFileBytes(downloads() + "/manual.pdf", encryptedPdfBytes()));
    attach(downloads() + "/manual.pdf");
    ASSERT_TRUE(pictureShown());
    EXPECT_TRUE(panel->documentStatus()->text().contains("Cannot show this document (encrypted)"));
    EXPECT_EQ(rowText(0, 1), "Manual");

    // Deleted outside the program.
    ASSERT_TRUE(QFile::remove(documents() + "/manual.pdf"));
    select(nullptr);
    select(&boiler);
    choose("Documents");
    clickRow(0);
    EXPECT_EQ(panel->documentStatus()->text(),
              "The file \"manual.pdf\" is missing from the Documents folder.");
    EXPECT_FALSE(panel->openButton()->isEnabled());
    EXPECT_EQ(panel->attributeList()->topLevelItem(0)->toolTip(2),
              "The file is missing from the Documents folder");
    // A name leading outside is never opened.
    QTest::keyClicks(panel->detailsEdit(), "/../../etc/passwd");
    EXPECT_TRUE(panel->documentStatus()->text().contains("leads outside the Documents folder"));
    EXPECT_FALSE(panel->openButton()->isEnabled());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(DocumentPanel, TwoObjectsShareOneReceiptFile) {
    const QString source = downloads() + "/receipt.pdf";
    ASSERT_TRUE(writeTestPdf(source));
    attach(source);
    CHouseObject kettle;
    kettle.name = "Kettle";
    select(&kettle);
    // A name typed first names the document.
    QTest::keyClicks(panel->nameEdit(), "Receipt (shop)");
    attach(source);
    EXPECT_EQ(rowText(0, 1), "Receipt (shop)");
    EXPECT_EQ(rowText(0, 2), "receipt.pdf");
    EXPECT_EQ(QDir(documents()).entryList(QDir::Files).size(), 1);

    // Another paper of the same name is kept beside it, never over it.
    ASSERT_TRUE(writeFileBytes(source, "plain text, not the receipt"));
    attach(source);
    EXPECT_EQ(rowText(1, 2), "receipt 2.pdf");
    EXPECT_EQ(QDir(documents()).entryList(QDir::Files).size(), 2);
    // Cancelling the dialog changes nothing.
    attach(QString());
    EXPECT_EQ(panel->attributeList()->topLevelItemCount(), 2);
}

} // namespace
} // namespace ardenvo::test
