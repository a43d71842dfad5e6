// The report view shows a long report piece by piece; whole, it must read as the report laid out
// by Qt in one go, whatever the texts in its cells.
#include "search/dialog/ReportView.h"
#include "ReportHouse.h"
#include "search/engine/CaseFold.h"

#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

class ReportViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // Writes the report file; returns its path.
    QString writeFile() {
        const SearchCriteria c = m_house.criteria("Everything & more");
        const QString path = m_dir.filePath("temp.html");
        std::string error;
        EXPECT_TRUE(saveReport(path.toStdString(), c, m_house.result(c), error));
        return path;
    }

    // The report as Qt reads it when it lays it out whole from its HTML.
    static QString wholeText(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QTextDocument doc;
        doc.setHtml(QString::fromStdString(toUtf8(bytes.toStdString())));
        return doc.toPlainText();
    }

    // Lines with text, so pieces joined with or without an empty line compare alike.
    static QStringList lines(const QString& text) {
        QStringList out = text.split(u'\n');
        out.removeAll(QString());
        return out;
    }

    QTemporaryDir m_dir;
    test::ReportHouse m_house{"Ground & <first>"};
};

TEST_F(ReportViewTest, ALongReportReadsAsTheWholeHtmlWithEveryCellsText) {
    // Texts that test the reading of cells: references, runs of white space and line breaks that
    // HTML makes one blank, empty notes, and an old Windows-1252 byte.
    const int rows = ReportView::kFirstPieceRows + 2 * ReportView::kRowsPerPiece + 5;
    for (int i = 0; i < rows; ++i)
        m_house.add("Box " + std::to_string(i) + (i % 7 == 0 ? " <big> & \"old\" 'one'" : ""),
                    i % 5 == 0   ? ""
                    : i % 5 == 1 ? "two\r\nlines  and\ttabs "
                                 : "K\xDC"
                                   "HL",
                    std::to_string(i));
    ReportView view;
    view.resize(700, 400);
    ASSERT_TRUE(view.showReport(writeFile()));
    EXPECT_TRUE(view.isLoading());
    EXPECT_EQ(view.content().rows.size(), static_cast<std::size_t>(rows));
    view.finishLoading();
    EXPECT_FALSE(view.isLoading());

    const QString path = m_dir.filePath("temp.html");
    const QStringList shown = lines(view.toPlainText());
    const QStringList whole = lines(wholeText(path));
    ASSERT_EQ(shown.size(), whole.size());
    for (qsizetype i = 0; i < shown.size(); ++i)
        ASSERT_EQ(shown[i].toStdString(), whole[i].toStdString()) << "line " << i;
    EXPECT_TRUE(shown.contains(QString::fromUtf8("K\xC3\x9CHL")));
    EXPECT_TRUE(shown.last().startsWith("The sum for the custom field"));
}

// Counts the paintings of a widget.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int paints = 0;
};

TEST_F(ReportViewTest, RowsComingInAreShownToAUserAtTheEndAndDoNotMoveTheView) {
    for (int i = 0; i < ReportView::kFirstPieceRows + ReportView::kRowsPerPiece; ++i)
        m_house.add("Box " + std::to_string(i), "", "1");
    ReportView view;
    view.resize(700, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(view.showReport(writeFile()));
    QScrollBar* bar = view.verticalScrollBar();
    bar->setValue(bar->maximum());
    const int atEnd = bar->value();
    view.repaint(); // what is due is painted now, so that only the rows' painting is counted
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    view.finishLoading();
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(bar->value(), atEnd);
    // The scroll range has grown with the rows: the statistics are at its end.
    bar->setValue(bar->maximum());
    EXPECT_TRUE(view.cursorForPosition(QPoint(5, view.viewport()->height() - 5))
                    .block()
                    .text()
                    .startsWith("The sum for the custom field"));
}

TEST_F(ReportViewTest, AFileNotAsTheWriterMakesItIsShownWholeAsItsHtml) {
    for (int i = 0; i < ReportView::kFirstPieceRows + 10; ++i)
        m_house.add("Box " + std::to_string(i), "", "1");
    const QString path = writeFile();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    bytes.replace("<td>Box 3</td>", "<td><b>Box 3</b></td>");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    ReportView view;
    ASSERT_TRUE(view.showReport(path));
    EXPECT_FALSE(view.isLoading());
    EXPECT_FALSE(view.content().tabular);
    EXPECT_EQ(lines(view.toPlainText()), lines(wholeText(path)));

    view.clearReport();
    EXPECT_FALSE(view.hasReport());
    EXPECT_FALSE(view.showReport(m_dir.filePath("missing.html")));
    EXPECT_TRUE(view.toPlainText().isEmpty());
}

} // namespace
} // namespace ardenvo
