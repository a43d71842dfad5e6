// The "Inventory report" dialog driven as a user would: its defaults, the preview of the first
// page, and the report saved as PDF and HTML and printed, every question answered by the test.
#include "search/dialog/InventoryDialog.h"
#include "FakePrintSeam.h"
#include "model/CBrenvikaDoc.h"
#include "search/inventory/InventoryDocument.h"
#include "tests/support/ScriptedPrompter.h"

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

using Kind = test::ScriptedPrompter::Kind;

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
        m_dialog = std::make_unique<InventoryDialog>(m_doc, m_dir.path().toStdString(), m_prompter,
                                                     m_print);
    }

    void click(const char* button) {
        m_dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    QTemporaryDir m_dir;
    CBrenvikaDoc m_doc;
    // Every message is a stop message with the program's name as its title.
    QStringList messages() const {
        for (const auto& shown : m_prompter.shown) {
            if (shown.kind == Kind::Message) {
                EXPECT_EQ(shown.icon, Prompter::Icon::Stop);
                EXPECT_EQ(shown.title, applicationTitle());
            }
        }
        return m_prompter.texts(Kind::Message);
    }
    // The file names proposed by the save dialogs.
    QStringList suggestions() const {
        QStringList proposed;
        for (const auto& shown : m_prompter.shown)
            if (shown.kind == Kind::SaveFile)
                proposed << shown.file.start;
        return proposed;
    }

    test::ScriptedPrompter m_prompter;
    test::FakePrintSeam m_print;
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
    m_prompter.fileNames = {pdf};
    click("pdfButton");
    EXPECT_TRUE(readAll(pdf).startsWith("%PDF"));
    EXPECT_EQ(suggestions().value(0), m_dir.filePath("flat.pdf"));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].file.caption, "Save as PDF");
    EXPECT_EQ(m_prompter.shown[0].file.filter, "PDF files (*.pdf)");

    const QString html = m_dir.filePath("out.html");
    m_prompter.fileNames = {html, html};
    click("htmlButton");
    const QByteArray page = readAll(html);
    EXPECT_TRUE(page.contains("Desk &lt;lamp&gt;"));
    EXPECT_TRUE(page.contains("missing picture: lamp.jpg"));
    EXPECT_TRUE(page.contains("12.50"));

    m_dialog->findChild<QCheckBox*>("photosCheck")->setChecked(false);
    click("htmlButton");
    EXPECT_FALSE(readAll(html).contains("missing picture"));
    EXPECT_EQ(m_prompter.shown.back().file.filter, "HTML files (*.html *.htm)");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InventoryDialogTest, CancelledNamesWriteNothingAndFailuresAreToldOnce) {
    click("pdfButton"); // no name queued: cancelled
    click("htmlButton");
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(messages().isEmpty());

    m_prompter.fileNames = {m_dir.filePath("no such folder/out.html"),
                            m_dir.filePath("no such folder/out.pdf")};
    click("htmlButton");
    click("pdfButton");
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[0].contains("out.html"));
    EXPECT_TRUE(messages()[1].contains("out.pdf"));
}

TEST_F(InventoryDialogTest, APageTooLargeToLayOutIsToldAndStillSavesAsHtml) {
    auto diary = std::make_unique<CHouseObject>();
    diary->notes = std::string(kMaxDocumentHtmlBytes + 1, 'w');
    m_doc.sections().front()->blocks().front()->addFloorObject(std::move(diary));
    m_dialog =
        std::make_unique<InventoryDialog>(m_doc, m_dir.path().toStdString(), m_prompter, m_print);
    auto* preview = m_dialog->findChild<QLabel*>("preview");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !preview->text().isEmpty(); }, 3000));
    EXPECT_TRUE(preview->text().contains("too large to lay out"));

    const QString bigPdf = m_dir.filePath("big.pdf");
    m_prompter.fileNames = {bigPdf};
    click("pdfButton");
    m_print.printTo = m_dir.filePath("printed.pdf");
    click("printButton");
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[0].contains("too large to lay out"));
    EXPECT_TRUE(messages()[1].contains("too large to lay out"));
    EXPECT_FALSE(QFileInfo::exists(bigPdf));
    EXPECT_FALSE(QFileInfo::exists(m_print.printTo));

    const QString bigHtml = m_dir.filePath("big.html");
    m_prompter.fileNames = {bigHtml};
    click("htmlButton");
    EXPECT_GT(QFileInfo(bigHtml).size(), qint64(kMaxDocumentHtmlBytes));
    EXPECT_EQ(messages().size(), 2);
}

TEST_F(InventoryDialogTest, PrintsOnThePrinterTheUserChose) {
    m_print.printTo = m_dir.filePath("printed.pdf");
    click("printButton");
    EXPECT_TRUE(readAll(m_print.printTo).startsWith("%PDF"));
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
