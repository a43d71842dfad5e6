// The page painter both printed reports go through: bands down the pages, a band that does not fit
// moved to the next page, the heading repeated on every page it runs onto and kept with the band
// it heads, explicit breaks, and "Page N of M" on every page, read back with poppler-utils.
#include "search/inventory/PagePainter.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace ardenvo {
namespace {

class PagePainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_writer = std::make_unique<QPdfWriter>(m_dir.filePath("pages.pdf"));
        m_writer->setResolution(300);
        m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                            QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    }

    // A band that records the page it is painted on and where.
    PagePainter::Paint band(const QString& name) {
        return [this, name](QPainter& painter, const QRectF& rect) {
            painter.drawText(rect.topLeft() + QPointF(0, 40), name);
            m_painted << QStringLiteral("%1:%2").arg(m_page).arg(name);
            m_tops << rect.top();
        };
    }
    // Paints the pages; each page's bands as "page:name".
    QStringList paint(PagePainter& pages, const PagePainter::Progress& progress = {}) {
        pages.setPageEnd([this](QPainter&, int page) {
            EXPECT_EQ(page, m_page);
            ++m_page;
        });
        QPainter painter(m_writer.get());
        m_result = pages.paint(painter, progress);
        painter.end();
        return m_painted;
    }
    QString pdfText() {
        m_writer.reset(); // the file is complete
        QProcess process;
        process.start("/usr/bin/pdftotext", {m_dir.filePath("pages.pdf"), "-"});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QPdfWriter> m_writer;
    QStringList m_painted;
    QList<qreal> m_tops;
    int m_page = 0;
    bool m_result = false;
};

TEST_F(PagePainterTest, BandsFillPagesAndTheHeadingRepeatsWhereItRunsOn) {
    PagePainter pages(*m_writer);
    const QRectF body = pages.body();
    EXPECT_NEAR(body.width(), 180 / 25.4 * 300, 10); // inside the page layout's margins
    const qreal h = body.height();
    pages.add(0.6 * h, band("intro"));
    pages.setHeading(0.1 * h, band("head"));
    pages.add(0.2 * h, band("row1"));
    pages.add(0.2 * h, band("row2")); // crosses the end: a new page, headed
    pages.add(0.2 * h, band("row3"));
    pages.clearHeading();
    pages.space(0.05 * h);
    pages.add(0.7 * h, band("after")); // no heading once the table ended
    EXPECT_EQ(pages.pageCount(), 3);
    EXPECT_EQ(paint(pages), (QStringList{"0:intro", "0:head", "0:row1", "1:head", "1:row2",
                                         "1:row3", "2:after"}));
    EXPECT_TRUE(m_result);
    EXPECT_DOUBLE_EQ(m_tops[1], body.top() + 0.6 * h);
    EXPECT_DOUBLE_EQ(m_tops[3], body.top());
    EXPECT_DOUBLE_EQ(m_tops[4], body.top() + 0.1 * h);
    EXPECT_DOUBLE_EQ(m_tops[6], body.top()); // the space is not carried over a page's top

    if (!QFileInfo::exists("/usr/bin/pdftotext"))
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString text = pdfText();
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of 3").arg(page))) << page;
    EXPECT_EQ(text.count("head"), 2);
}

TEST_F(PagePainterTest, AHeadingGoesWithItsBandAndBreaksAndTallBandsStartPages) {
    PagePainter pages(*m_writer, 100);
    EXPECT_EQ(pages.body().topLeft(), QPointF(100, 100));
    const qreal h = pages.body().height();
    pages.add(0.85 * h, band("intro"));
    pages.setHeading(0.1 * h, band("head")); // fits, but its first row does not
    pages.add(0.2 * h, band("row"));
    pages.clearHeading();
    pages.breakPage();
    pages.add(2 * h, band("tall")); // runs over the page it starts
    pages.add(0.1 * h, band("next"));
    EXPECT_EQ(paint(pages), (QStringList{"0:intro", "1:head", "1:row", "2:tall", "3:next"}));
}

TEST_F(PagePainterTest, ProgressIsToldEachPageAndCanStopThePainting) {
    PagePainter pages(*m_writer);
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            pages.breakPage();
        pages.add(10, band(QString::number(i)));
    }
    QList<int> told;
    paint(pages, [&told](int done, int total) {
        EXPECT_EQ(total, 3);
        told << done;
        return done < 2;
    });
    EXPECT_FALSE(m_result);
    EXPECT_EQ(told, (QList<int>{1, 2}));
    EXPECT_EQ(m_painted, (QStringList{"0:0", "1:1"}));
}

} // namespace
} // namespace ardenvo
