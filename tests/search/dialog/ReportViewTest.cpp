// The report view shows a long report piece by piece; whole, it must read as the report file laid
// out by Qt in one go, whatever the texts in its cells.
#include "search/dialog/ReportView.h"
#include "ReportHouse.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

class ReportViewTest : public ::testing::Test {
protected:
    ReportTable report() const { return m_house.report(m_house.criteria("Everything & more")); }

    // The report as Qt reads it when it lays the file's HTML out whole.
    static QString wholeText(const ReportTable& table) {
        QTextDocument doc;
        doc.setHtml(QString::fromStdString(writeReport(table)));
        return doc.toPlainText();
    }

    // Lines with text, so pieces joined with or without an empty line compare alike.
    static QStringList lines(const QString& text) {
        QStringList out = text.split(u'\n');
        out.removeAll(QString());
        return out;
    }

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
    view.showReport(report());
    EXPECT_TRUE(view.isLoading());
    EXPECT_EQ(view.table().rowCount(), static_cast<std::size_t>(rows));
    view.finishLoading();
    EXPECT_FALSE(view.isLoading());

    const QStringList shown = lines(view.toPlainText());
    const QStringList whole = lines(wholeText(view.table()));
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
    view.showReport(report());
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

TEST_F(ReportViewTest, AReportWithoutRowsIsShownWholeAsItsHtml) {
    ReportView view;
    view.showReport(report()); // nothing in the house yet
    EXPECT_TRUE(view.hasReport());
    EXPECT_FALSE(view.isLoading());
    EXPECT_EQ(view.table().body(), ReportTable::Body::NothingFound);
    EXPECT_EQ(lines(view.toPlainText()), lines(wholeText(view.table())));
    EXPECT_TRUE(view.toPlainText().contains("No objects found"));

    view.clearReport();
    EXPECT_FALSE(view.hasReport());
    EXPECT_TRUE(view.toPlainText().isEmpty());
}

} // namespace
} // namespace ardenvo
