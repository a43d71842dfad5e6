// Printing a report, read back from the PDF with poppler-utils: every row once and in order on
// pages of the chosen layout, the heading rows and "Page N of M" on every page, the paragraphs
// before and after.
#include "search/dialog/ReportPrinter.h"
#include "ReportHouse.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    // Text shaped with ligatures reads back with them.
    return QString::fromUtf8(process.readAllStandardOutput())
        .replace(QChar(0xFB01), QLatin1String("fi"))
        .replace(QChar(0xFB02), QLatin1String("fl"));
}

class ReportPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        if (!QFileInfo::exists("/usr/bin/pdftotext") || !QFileInfo::exists("/usr/bin/pdfinfo"))
            GTEST_SKIP() << "poppler-utils are not installed";
    }

    // Prints the report of a search for "price" adding to the sum as a PDF in `layout`.
    QString print(const QPageLayout& layout) {
        const SearchCriteria c = m_house.criteria("Insured things");
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(layout);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = m_dir.filePath("report.pdf");
        printer.setOutputFileName(pdf);
        EXPECT_TRUE(printReport(m_house.report(c), QApplication::font(), printer));
        return pdf;
    }

    QTemporaryDir m_dir;
    test::ReportHouse m_house{"Ground"};
};

TEST_F(ReportPrinterTest, EveryRowIsPrintedOnceInOrderOnPagesOfTheChosenLayout) {
    const int rows = 150;
    const std::string note = "a long note that cannot fit its column on one line and must wrap "
                             "onto several lines end";
    for (int i = 0; i < rows; ++i)
        m_house.add("Box " + std::to_string(i), i % 10 == 3 ? note + std::to_string(i) : "", "2");
    const QString pdf = print(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                          QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));

    const QString info = run("/usr/bin/pdfinfo", {pdf});
    EXPECT_TRUE(
        info.contains(QRegularExpression("Page size: +595[.0-9]* x 4[12][0-9.]* pts \\(A5\\)")))
        << info.toStdString();
    const int pages = QRegularExpression("Pages: +(\\d+)").match(info).captured(1).toInt();
    EXPECT_GT(pages, 3);

    const QString text = run("/usr/bin/pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(text.trimmed().startsWith("Insured things"));
    EXPECT_EQ(text.count("Custom field"), pages);
    int expected = 0;
    for (const auto& match : QRegularExpression("Box (\\d+)").globalMatch(text))
        EXPECT_EQ(match.captured(1).toInt(), expected++);
    EXPECT_EQ(expected, rows);
    // Wrapped notes keep every word, the last one included.
    EXPECT_EQ(text.count(QRegularExpression("\\bend\\d+")), rows / 10);
    const qsizetype statistics = text.indexOf("The sum for the custom field containing 'price' is");
    EXPECT_GT(statistics, text.indexOf(QStringLiteral("Box %1").arg(rows - 1)));
    EXPECT_TRUE(text.contains(QStringLiteral("%1\n").arg(pages))); // the last page's number
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(text.count(QStringLiteral("Page %1 of %2").arg(page).arg(pages)), 1) << page;
}

TEST_F(ReportPrinterTest, AReportWithoutRowsPrintsItsParagraphs) {
    const QString pdf =
        print(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const QString text = run("/usr/bin/pdftotext", {pdf, "-"});
    EXPECT_TRUE(text.contains("Insured things"));
    EXPECT_TRUE(text.contains("No objects found"));
    EXPECT_TRUE(text.contains("The sum for the custom field"));
    EXPECT_TRUE(text.contains("Page 1 of 1"));
}

} // namespace
} // namespace ardenvo
