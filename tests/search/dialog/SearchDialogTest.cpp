// The search dialog driven as a user would: criteria bookkeeping, the scope tree, the report and
// its printing, with every message answered by the test.
#include "search/dialog/SearchDialog.h"
#include "FakePrintSeam.h"
#include "model/CBrenvikaDoc.h"
#include "platform/SettingsFile.h"
#include "search/dialog/ReportView.h"
#include "search/engine/ReportWriter.h"
#include "tests/support/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

using Kind = test::ScriptedPrompter::Kind;

CHouseObject& addObject(CBlock& block, const std::string& name, const std::string& price) {
    auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    object->name = name;
    auto value = std::make_unique<CFieldList>("Value");
    value->append("Price paid", price);
    object->appendCategory(std::move(value));
    return block.appendFloorObjectAsStored(std::move(object));
}

class SearchDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_doc.clearSections();
        auto ground = std::make_unique<CSection>();
        ground->name = "Ground";
        addObject(*ground->blocks().front(), "Desk LAMP", "20");
        auto kitchen = CBlock::create(BlockKind::Room);
        kitchen->name = "Kitchen";
        kitchen->id = ground->nextBlockId++;
        addObject(*kitchen, "Lamp <b>", "5");
        ground->appendBlockAsStored(std::move(kitchen));
        m_doc.appendSection(std::move(ground));
        auto cellar = std::make_unique<CSection>();
        cellar->name = "Cellar";
        addObject(*cellar->blocks().front(),
                  "K\xDC"
                  "HLSCHRANK",
                  "300"); // Windows-1252 Ü
        m_doc.appendSection(std::move(cellar));
        m_reportPath = m_dir.filePath("temp.html");
    }

    std::unique_ptr<SearchDialog> open() {
        auto dialog = std::make_unique<SearchDialog>(m_doc, m_reportPath, m_prompter, m_print);
        dialog->show();
        // Wait for the delayed ticking and synchronisation of the scope tree.
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->scope().isSearched(1, 0); }, 3000));
        return dialog;
    }
    template <typename T> static T* child(QWidget* dialog, const char* name) {
        T* found = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(QWidget* dialog, const char* button) {
        QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
    }
    QByteArray reportBytes() const {
        QFile file(m_reportPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The messages shown, each titled with the program's name.
    QStringList messages() const {
        for (const auto& shown : m_prompter.shown)
            if (shown.kind == Kind::Message)
                EXPECT_EQ(shown.title, applicationTitle());
        return m_prompter.texts(Kind::Message);
    }
    Prompter::Icon icon(qsizetype message) const {
        QList<Prompter::Icon> icons;
        for (const auto& shown : m_prompter.shown)
            if (shown.kind == Kind::Message)
                icons << shown.icon;
        return message < 0 ? icons.back() : icons.value(message);
    }
    // The file names the PDF dialog proposed, with its caption and filter checked.
    QStringList pdfSuggestions() const {
        QStringList proposed;
        for (const auto& shown : m_prompter.shown) {
            if (shown.kind != Kind::SaveFile)
                continue;
            EXPECT_EQ(shown.file.caption, "Save as PDF");
            EXPECT_EQ(shown.file.filter, "PDF files (*.pdf)");
            proposed << shown.file.start;
        }
        return proposed;
    }

    QTemporaryDir m_dir;
    QString m_reportPath;
    CBrenvikaDoc m_doc;
    test::ScriptedPrompter m_prompter;
    test::FakePrintSeam m_print;
};

TEST_F(SearchDialogTest, TreeListsSectionsAndBlocksAndTicksEverythingShortlyAfterOpening) {
    SearchDialog dialog(m_doc, m_reportPath, m_prompter, m_print);
    auto* tree = child<QTreeWidget>(&dialog, "scopeTree");
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Ground");
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), "Kitchen");
    EXPECT_EQ(tree->topLevelItem(1)->child(0)->text(0), "I'm a hall");
    EXPECT_EQ(tree->topLevelItem(0)->checkState(0), Qt::Unchecked);
    EXPECT_FALSE(dialog.scope().anySearched());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return dialog.scope().isSearched(0, 0) && dialog.scope().isSearched(0, 1) &&
                   dialog.scope().isSearched(1, 0);
        },
        3000));
    EXPECT_EQ(tree->topLevelItem(1)->child(0)->checkState(0), Qt::Checked);
}

TEST_F(SearchDialogTest, TypingAndChoosingKeepTheCheckBoxesInStep) {
    auto dialog = open();
    auto* namesEdit = child<QLineEdit>(dialog.get(), "namesEdit");
    auto* namesCheck = child<QCheckBox>(dialog.get(), "namesCheck");
    QTest::keyClicks(namesEdit, "lamp");
    EXPECT_TRUE(namesCheck->isChecked());
    namesEdit->selectAll();
    QTest::keyClick(namesEdit, Qt::Key_Delete);
    EXPECT_FALSE(namesCheck->isChecked());

    auto* valueEdit = child<QLineEdit>(dialog.get(), "valueEdit");
    auto* valueCheck = child<QCheckBox>(dialog.get(), "valueCheck");
    QTest::keyClicks(valueEdit, "5");
    EXPECT_TRUE(valueCheck->isChecked());
    valueCheck->setChecked(false);

    auto* combo = child<QComboBox>(dialog.get(), "comparisonCombo");
    combo->setCurrentIndex(5);
    emit combo->activated(5);
    EXPECT_TRUE(valueCheck->isChecked());
    EXPECT_FALSE(valueEdit->isVisible());
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_TRUE(valueEdit->isVisible());
}

TEST_F(SearchDialogTest, AskingWritesTheReportAndShowsIt) {
    auto dialog = open();
    click(dialog.get(), "askButton");
    EXPECT_EQ(messages(), QStringList{"Check at least one check box"});
    EXPECT_EQ(icon(-1), Prompter::Icon::Warning);
    EXPECT_FALSE(QFile::exists(m_reportPath));

    QTest::keyClicks(child<QLineEdit>(dialog.get(), "namesEdit"), "LAMP");
    QTest::keyClicks(child<QLineEdit>(dialog.get(), "titleEdit"), "Lights & more");
    // Enter in an edit runs the default button.
    QTest::keyClick(child<QLineEdit>(dialog.get(), "titleEdit"), Qt::Key_Return);
    ASSERT_TRUE(QFile::exists(m_reportPath));
    const SearchCriteria c = dialog->criteria();
    EXPECT_EQ(c.title, "Lights & more");
    const std::string expected =
        writeReport(searchReport(m_doc, c, SearchScope::wholeHouse(m_doc)));
    EXPECT_EQ(reportBytes().toStdString(), expected);

    auto* view = child<ReportView>(dialog.get(), "reportBrowser");
    const QString shown = view->toPlainText();
    EXPECT_TRUE(shown.contains("Lights & more"));
    EXPECT_TRUE(shown.contains("Lamp <b>")); // escaped in the file, shown as typed
    EXPECT_TRUE(shown.contains("Desk LAMP"));

    // A second search rewrites the same file and shows the new one.
    auto* namesEdit = child<QLineEdit>(dialog.get(), "namesEdit");
    namesEdit->setText(QString::fromUtf8("k\xC3\xBC")); // ü finds the old file's capital Ü
    click(dialog.get(), "askButton");
    EXPECT_TRUE(view->toPlainText().contains(QString::fromUtf8("K\xC3\x9CHLSCHRANK")));
    EXPECT_FALSE(view->toPlainText().contains("Desk LAMP"));
}

TEST_F(SearchDialogTest, UntickedRoomsAreLeftOut) {
    auto dialog = open();
    auto* tree = child<QTreeWidget>(dialog.get(), "scopeTree");
    QTest::keyClicks(child<QLineEdit>(dialog.get(), "namesEdit"), "a");

    tree->topLevelItem(1)->setCheckState(0, Qt::Unchecked); // the cellar with its block
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return tree->topLevelItem(1)->child(0)->checkState(0) == Qt::Unchecked; }, 3000));
    tree->topLevelItem(0)->child(0)->setCheckState(0, Qt::Unchecked); // one block of the ground
    click(dialog.get(), "askButton"); // counts at once, without waiting for the tree
    QString shown = child<ReportView>(dialog.get(), "reportBrowser")->toPlainText();
    EXPECT_TRUE(shown.contains("Lamp <b>"));
    EXPECT_FALSE(shown.contains("Desk LAMP"));
    EXPECT_FALSE(shown.contains("SCHRANK"));

    tree->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    click(dialog.get(), "askButton");
    shown = child<ReportView>(dialog.get(), "reportBrowser")->toPlainText();
    EXPECT_TRUE(shown.contains("you must tell him where to look"));
}

TEST_F(SearchDialogTest, AnUnwritableReportIsNamedAndNothingIsShown) {
    m_reportPath = m_dir.filePath("no-such-folder/temp.html");
    auto dialog = open();
    QTest::keyClicks(child<QLineEdit>(dialog.get(), "namesEdit"), "lamp");
    click(dialog.get(), "askButton");
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains(m_reportPath));
    EXPECT_EQ(icon(0), Prompter::Icon::Stop);
    EXPECT_TRUE(child<ReportView>(dialog.get(), "reportBrowser")->toPlainText().isEmpty());
    click(dialog.get(), "printButton");
    EXPECT_EQ(messages().back(), "There's no page to print");
    EXPECT_EQ(m_print.printAsked, 0);
}

TEST_F(SearchDialogTest, PrintingNeedsAPageAndPrintsIt) {
    auto dialog = open();
    click(dialog.get(), "printButton");
    click(dialog.get(), "pageSetupButton");
    click(dialog.get(), "pdfButton");
    EXPECT_EQ(messages(), (QStringList{"There's no page to print", "There's no page to configure",
                                       "There's no page to print"}));
    EXPECT_EQ(icon(1), Prompter::Icon::Stop);
    EXPECT_EQ(m_print.printAsked + m_print.pageSetupAsked, 0);

    QTest::keyClicks(child<QLineEdit>(dialog.get(), "fieldEdit"), "price");
    click(dialog.get(), "askButton");
    click(dialog.get(), "pageSetupButton");
    EXPECT_EQ(m_print.pageSetupAsked, 1);

    click(dialog.get(), "printButton"); // cancelled in the print dialog: nothing printed
    EXPECT_EQ(m_print.printAsked, 1);
    m_print.printTo = m_dir.filePath("printed.pdf");
    click(dialog.get(), "printButton");
    EXPECT_GT(QFileInfo(m_print.printTo).size(), 0);

    m_prompter.fileNames = {m_dir.filePath("kept")}; // the extension is added
    click(dialog.get(), "pdfButton");
    QFile pdf(m_dir.filePath("kept.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    const QString missing = m_dir.filePath("missing/kept.pdf");
    m_prompter.fileNames = {missing};
    click(dialog.get(), "pdfButton");
    EXPECT_TRUE(messages().back().contains(missing));
    EXPECT_EQ(icon(-1), Prompter::Icon::Stop);
    // cancelled: nothing happens
    const auto count = messages().size();
    click(dialog.get(), "pdfButton");
    EXPECT_EQ(messages().size(), count);
    EXPECT_EQ(pdfSuggestions().size(), 3);

    click(dialog.get(), "helpButton");
    EXPECT_EQ(m_print.manualTopics, QStringList{"search"});
    m_print.manualInstalled = false;
    click(dialog.get(), "helpButton");
    EXPECT_EQ(icon(-1), Prompter::Icon::Stop);
    EXPECT_EQ(messages().size(), count + 1);
}

TEST_F(SearchDialogTest, TheStatisticsCloseTheShownAndPrintedReportWhateverItsLength) {
    // Rows filling the first piece exactly, then one more piece, then several.
    CBlock& hall = *m_doc.sections()[0]->blocks()[0];
    int rows = 3;
    for (int more : {ReportView::kFirstPieceRows - rows, 1, ReportView::kRowsPerPiece}) {
        for (int i = 0; i < more; ++i)
            addObject(hall, "Box " + std::to_string(rows + i), "1");
        rows += more;
        auto dialog = open();
        QTest::keyClicks(child<QLineEdit>(dialog.get(), "fieldEdit"), "price");
        auto* combo = child<QComboBox>(dialog.get(), "comparisonCombo");
        combo->setCurrentIndex(5);
        emit combo->activated(5);
        click(dialog.get(), "askButton");
        auto* view = child<ReportView>(dialog.get(), "reportBrowser");
        const QString paragraph =
            QStringLiteral("The sum for the custom field containing 'price' is %1.000000")
                .arg(20 + 5 + 300 + rows - 3);
        // Printing takes the whole report too, so this checks what the printer gets.
        m_print.printTo = m_dir.filePath("printed.pdf");
        click(dialog.get(), "printButton");
        EXPECT_FALSE(view->isLoading());
        EXPECT_TRUE(view->toPlainText().endsWith(paragraph)) << rows;
        EXPECT_EQ(view->toPlainText().count("Price paid"), rows) << rows;
        // Scrolled to the end, the paragraph is what shows at the bottom.
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        const QPoint bottom(5, view->viewport()->height() - 5);
        EXPECT_EQ(view->cursorForPosition(bottom).block().text().toStdString(),
                  paragraph.toStdString())
            << rows;
    }
}

TEST_F(SearchDialogTest, ALongReportShowsAtOnceAndFillsInWithoutLosingRows) {
    CBlock& hall = *m_doc.sections()[0]->blocks()[0];
    const int extra = 2 * ReportView::kRowsPerPiece + 7;
    for (int i = 0; i < extra; ++i)
        addObject(hall, "Box " + std::to_string(i), "1");
    auto dialog = open();
    QTest::keyClicks(child<QLineEdit>(dialog.get(), "fieldEdit"), "price");
    auto* combo = child<QComboBox>(dialog.get(), "comparisonCombo");
    combo->setCurrentIndex(5);
    emit combo->activated(5);
    click(dialog.get(), "askButton");

    auto* view = child<ReportView>(dialog.get(), "reportBrowser");
    EXPECT_TRUE(view->isLoading());
    EXPECT_TRUE(view->toPlainText().contains("Desk LAMP"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->isLoading(); }, 20000));
    const QString shown = view->toPlainText();
    // Every row once, in order, and the statistics after the last one.
    EXPECT_EQ(shown.count("Box "), extra);
    EXPECT_LT(shown.indexOf("Box 0\n"), shown.indexOf(QStringLiteral("Box %1\n").arg(extra - 1)));
    EXPECT_GT(shown.indexOf("The sum for the custom field"), shown.indexOf("KÜHLSCHRANK"));
    EXPECT_TRUE(shown.contains(QStringLiteral("is %1.000000").arg(20 + 5 + 300 + extra)));

    // Printing while pieces are still coming prints them all.
    click(dialog.get(), "askButton");
    EXPECT_TRUE(view->isLoading());
    m_prompter.fileNames = {m_dir.filePath("long.pdf")};
    click(dialog.get(), "pdfButton");
    EXPECT_FALSE(view->isLoading());
    EXPECT_EQ(view->toPlainText().count("Box "), extra);
}

TEST_F(SearchDialogTest, APdfHasThePageSetUpAndReplacesALinkAtItsNameWithoutWritingThroughIt) {
    auto dialog = open();
    QTest::keyClicks(child<QLineEdit>(dialog.get(), "namesEdit"), "lamp");
    click(dialog.get(), "askButton");
    m_print.pageLayout = QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF());
    click(dialog.get(), "pageSetupButton");

    const QString elsewhere = m_dir.filePath("elsewhere.txt");
    QFile other(elsewhere);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("kept");
    other.close();
    const QString linked = m_dir.filePath("linked.pdf");
    m_prompter.fileNames = {linked};
    ASSERT_TRUE(QFile::link(elsewhere, linked));
    click(dialog.get(), "pdfButton");
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_FALSE(QFileInfo(linked).isSymLink());
    QFile pdf(linked);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    // A5 across: 595 points wide, 420 high.
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 595.000000 420.000000]"));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), "kept");
}

TEST_F(SearchDialogTest, PdfsAreSuggestedBesideTheHouseElseWhereTheLastWentElseAtHome) {
    SettingsFile settings(m_dir.filePath("registry.conf").toStdString());
    QDir().mkpath(m_dir.filePath("pdfs"));
    auto dialog = open();
    dialog->setFolderSettings(&settings);
    QTest::keyClicks(child<QLineEdit>(dialog.get(), "namesEdit"), "lamp");
    click(dialog.get(), "askButton");

    click(dialog.get(), "pdfButton");
    EXPECT_EQ(pdfSuggestions().last(), QDir::homePath() + "/report.pdf");
    m_prompter.fileNames = {m_dir.filePath("pdfs/lamps.pdf")};
    click(dialog.get(), "pdfButton");
    click(dialog.get(), "pdfButton"); // cancelled
    EXPECT_EQ(pdfSuggestions().last(), m_dir.filePath("pdfs/report.pdf"));

    m_doc.setPathName(m_dir.filePath("house/house.av").toStdString());
    click(dialog.get(), "pdfButton");
    EXPECT_EQ(pdfSuggestions().last(), m_dir.filePath("house/report.pdf"));
}

} // namespace
} // namespace ardenvo
