// The "Inventory report" dialog driven as a user would: its defaults, the preview of the first
// page, and the report saved as PDF and HTML and printed, every question answered by the test.
#include "search/dialog/InventoryDialog.h"
#include "model/CBrenvikaDoc.h"
#include "search/dialog/InventoryPrompts.h"
#include "search/inventory/InventoryDocument.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

class FakeInventoryPrompts : public InventoryPrompts {
public:
    void message(QWidget*, const QString& text) override { messages << text; }
    bool askPrint(QWidget*, QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return !printTo.isEmpty();
    }
    QString askSaveFileName(QWidget*, const QString&, const QString& suggestion,
                            const QString&) override {
        suggestions << suggestion;
        return saveTo;
    }

    QStringList messages;
    QStringList suggestions;
    QString saveTo;
    QString printTo;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class InventoryDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_doc.clearSections();
        auto ground = std::make_unique<CSection>();
        ground->name = "Ground";
        CBlock& hall = *ground->blocks().front();
        auto lamp = std::make_unique<CHouseObject>();
        lamp->name = "Desk <lamp>";
        lamp->categoryAt(1)->entryAt(0).value = "12.50";
        lamp->pictures.append("", "lamp.jpg"); // never written: a missing picture
        hall.addFloorObject(std::move(lamp));
        m_doc.appendSection(std::move(ground));
        m_doc.setPathName(m_dir.filePath("flat.av").toStdString());
        m_dialog = std::make_unique<InventoryDialog>(m_doc, m_dir.path().toStdString(), m_prompts);
    }

    void click(const char* button) {
        m_dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    QTemporaryDir m_dir;
    CBrenvikaDoc m_doc;
    FakeInventoryPrompts m_prompts;
    std::unique_ptr<InventoryDialog> m_dialog;
};

TEST_F(InventoryDialogTest, OpensWithEverythingIncludedAndPreviewsTheTitlePage) {
    EXPECT_EQ(m_dialog->findChild<QLineEdit*>("titleEdit")->text(), "flat.av");
    EXPECT_TRUE(m_dialog->findChild<QCheckBox*>("photosCheck")->isChecked());
    EXPECT_TRUE(m_dialog->findChild<QCheckBox*>("nestedCheck")->isChecked());
    auto* tree = m_dialog->findChild<QTreeWidget*>("scopeTree");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_dialog->preview().isNull(); }, 3000));
    EXPECT_EQ(tree->topLevelItem(0)->checkState(0), Qt::Checked);
    const QImage page = m_dialog->preview();
    // An A4 page, portrait, with something written on it.
    EXPECT_NEAR(double(page.height()) / page.width(), 297.0 / 210.0, 0.02);
    int dark = 0;
    for (int y = 0; y < page.height() / 3; ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(dark, 100);
}

TEST_F(InventoryDialogTest, SavesAsPdfAndHtmlUnderTheNameTheUserGives) {
    m_dialog->findChild<QTreeWidget*>("scopeTree")->topLevelItem(0)->setCheckState(0, Qt::Checked);
    const QString pdf = m_dir.filePath("out.pdf");
    m_prompts.saveTo = pdf;
    click("pdfButton");
    EXPECT_TRUE(readAll(pdf).startsWith("%PDF"));
    EXPECT_EQ(m_prompts.suggestions.value(0), m_dir.filePath("flat.pdf"));

    const QString html = m_dir.filePath("out.html");
    m_prompts.saveTo = html;
    click("htmlButton");
    const QByteArray page = readAll(html);
    EXPECT_TRUE(page.contains("Desk &lt;lamp&gt;"));
    EXPECT_TRUE(page.contains("missing picture: lamp.jpg"));
    EXPECT_TRUE(page.contains("12.50"));

    m_dialog->findChild<QCheckBox*>("photosCheck")->setChecked(false);
    click("htmlButton");
    EXPECT_FALSE(readAll(html).contains("missing picture"));
    EXPECT_TRUE(m_prompts.messages.isEmpty());
}

TEST_F(InventoryDialogTest, CancelledNamesWriteNothingAndFailuresAreToldOnce) {
    m_prompts.saveTo.clear();
    click("pdfButton");
    click("htmlButton");
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(m_prompts.messages.isEmpty());

    m_prompts.saveTo = m_dir.filePath("no such folder/out.html");
    click("htmlButton");
    m_prompts.saveTo = m_dir.filePath("no such folder/out.pdf");
    click("pdfButton");
    ASSERT_EQ(m_prompts.messages.size(), 2);
    EXPECT_TRUE(m_prompts.messages[0].contains("out.html"));
    EXPECT_TRUE(m_prompts.messages[1].contains("out.pdf"));
}

TEST_F(InventoryDialogTest, APageTooLargeToLayOutIsToldAndStillSavesAsHtml) {
    auto diary = std::make_unique<CHouseObject>();
    diary->notes = std::string(kMaxDocumentHtmlBytes + 1, 'w');
    m_doc.sections().front()->blocks().front()->addFloorObject(std::move(diary));
    m_dialog = std::make_unique<InventoryDialog>(m_doc, m_dir.path().toStdString(), m_prompts);
    auto* preview = m_dialog->findChild<QLabel*>("preview");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !preview->text().isEmpty(); }, 3000));
    EXPECT_TRUE(preview->text().contains("too large to lay out"));

    m_prompts.saveTo = m_dir.filePath("big.pdf");
    click("pdfButton");
    m_prompts.printTo = m_dir.filePath("printed.pdf");
    click("printButton");
    ASSERT_EQ(m_prompts.messages.size(), 2);
    EXPECT_TRUE(m_prompts.messages[0].contains("too large to lay out"));
    EXPECT_TRUE(m_prompts.messages[1].contains("too large to lay out"));
    EXPECT_FALSE(QFileInfo::exists(m_prompts.saveTo));
    EXPECT_FALSE(QFileInfo::exists(m_prompts.printTo));

    m_prompts.saveTo = m_dir.filePath("big.html");
    click("htmlButton");
    EXPECT_GT(QFileInfo(m_prompts.saveTo).size(), qint64(kMaxDocumentHtmlBytes));
    EXPECT_EQ(m_prompts.messages.size(), 2);
}

TEST_F(InventoryDialogTest, PrintsOnThePrinterTheUserChose) {
    m_prompts.printTo = m_dir.filePath("printed.pdf");
    click("printButton");
    EXPECT_TRUE(readAll(m_prompts.printTo).startsWith("%PDF"));
}

TEST_F(InventoryDialogTest, AStoppedPdfLeavesTheOldFileAndALinkAtTheNameIsReplaced) {
    QTextDocument doc;
    doc.setHtml(QStringLiteral("<h1>Inventory</h1>"));
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    const QString old = m_dir.filePath("old.pdf");
    write(old, "the report of last year");
    QString error;
    EXPECT_FALSE(writeInventoryPdf(doc, old, "Flat", error, [](int, int) { return false; }));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(old), "the report of last year");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"old.pdf"});

    const QString elsewhere = m_dir.filePath("elsewhere.txt");
    write(elsewhere, "not a report");
    const QString link = m_dir.filePath("planted.pdf");
    ASSERT_TRUE(QFile::link(elsewhere, link));
    EXPECT_TRUE(writeInventoryPdf(doc, link, "Flat", error));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(readAll(link).startsWith("%PDF"));
    EXPECT_EQ(readAll(elsewhere), "not a report");
}

} // namespace
} // namespace ardenvo
