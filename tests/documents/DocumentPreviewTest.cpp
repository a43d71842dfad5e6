// The first pages of documents: PDFs made by Qt's own writer, pictures and text files; broken,
// encrypted and hostile PDFs; and the worker that makes them for a window.
#include "documents/DocumentPreview.h"
#include "documents/DocumentThumbnailer.h"
#include "support/TestDocuments.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

const QSize kBox(340, 255);

class Previews : public testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(Previews, FirstPageOfPdfsPicturesAndTextFiles) {
    ASSERT_TRUE(writeTestPdf(file("receipt.pdf")));
    // Only page 1 of a long manual is drawn.
    ASSERT_TRUE(writeTestPdf(file("manual.pdf"), 2000));
    QImage photo(800, 600, QImage::Format_RGB32);
    photo.fill(Qt::red);
    ASSERT_TRUE(photo.save(file("card.png")));
    ASSERT_TRUE(writeFileBytes(file("notes.txt"), "Serial number 1234\n"));

    const struct {
        QString name;
        DocumentKind kind;
        QString format;
        int pages;
    } cases[] = {{"receipt.pdf", DocumentKind::Pdf, "pdf", 1},
                 {"manual.pdf", DocumentKind::Pdf, "pdf", 2000},
                 {"card.png", DocumentKind::Picture, "png", 0},
                 {"notes.txt", DocumentKind::Text, "text", 0}};
    for (const auto& c : cases) {
        const DocumentPreview preview = previewDocument(file(c.name), kBox);
        ASSERT_TRUE(preview.ok) << c.name.toStdString() << preview.problem.toStdString();
        EXPECT_EQ(preview.kind, c.kind);
        EXPECT_EQ(preview.format, c.format);
        EXPECT_EQ(preview.pages, c.pages);
        EXPECT_LE(preview.image.width(), kBox.width());
        EXPECT_LE(preview.image.height(), kBox.height());
        // Filled to the box's height or width, not drawn at a stamp's size.
        EXPECT_TRUE(preview.image.width() >= kBox.width() - 2 ||
                    preview.image.height() >= kBox.height() - 2);
    }
    // The blue band at the top of the page, white paper below.
    const QImage page = previewDocument(file("receipt.pdf"), kBox).image;
    EXPECT_EQ(page.height(), kBox.height());
    EXPECT_LT(qRed(page.pixel(page.width() / 2, 5)), 40);
    EXPECT_GT(qBlue(page.pixel(page.width() / 2, 5)), 100);
    EXPECT_GT(qRed(page.pixel(page.width() / 2, page.height() - 5)), 200);
}

TEST_F(Previews, BrokenAndEncryptedPdfsSayWhyAndNeverCrash) {
    ASSERT_TRUE(writeTestPdf(file("good.pdf")));
    const QByteArray good = fileBytes(file("good.pdf"));
    const struct {
        QString name;
        QByteArray bytes;
        QString problem;
    } cases[] = {
        {"encrypted.pdf", encryptedPdfBytes(), "encrypted"},
        {"header.pdf", "%PDF-1.4\n", "damaged"},
        {"garbage.pdf", QByteArray(4096, '\x7f').prepend("%PDF-1.7\n"), "damaged"},
        {"empty.pdf", QByteArray(), "damaged"}, // a PDF by its name alone
        {"cut.pdf", good.left(good.size() / 3), "damaged"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFileBytes(file(c.name), c.bytes));
        const DocumentPreview preview = previewDocument(file(c.name), kBox);
        EXPECT_FALSE(preview.ok) << c.name.toStdString();
        EXPECT_TRUE(preview.image.isNull());
        EXPECT_EQ(preview.problem, c.problem) << c.name.toStdString();
    }
    EXPECT_EQ(previewDocument(file("gone.pdf"), kBox).problem, "missing");
    EXPECT_EQ(previewDocument(dir.path(), kBox).problem, "unreadable");
    ASSERT_TRUE(writeFileBytes(file("letter.docx"), "PK"));
    EXPECT_EQ(previewDocument(file("letter.docx"), kBox).problem,
              "not a PDF, picture or text file");
    // What shows in their place.
    const QImage notice = documentNotice(QSize(90, 120), "cannot show this document");
    EXPECT_EQ(notice.size(), QSize(90, 120));
    EXPECT_EQ(notice.pixel(0, 0), qRgb(0x80, 0, 0));
}

// Byte-flipped PDFs, each in a child process held to a memory limit and a time limit: a crash, a
// hang or a huge allocation ends the child and fails the test, never the run.
TEST_F(Previews, ByteFlippedPdfsStayWithinTimeAndMemory) {
    ASSERT_TRUE(writeTestPdf(file("seed.pdf"), 3));
    const QByteArray seed = fileBytes(file("seed.pdf"));
    std::mt19937 random(33);
    constexpr int kRuns = 120;
    std::vector<QByteArray> inputs;
    for (int i = 0; i < kRuns; ++i)
        inputs.push_back(flippedBytes(seed, 1 + i % 16, random));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit memory{rlim_t{3} << 30, rlim_t{3} << 30}; // well above one page, far below a leak
        ::setrlimit(RLIMIT_AS, &memory);
        ::alarm(240);
        for (int i = 0; i < kRuns; ++i) {
            const QString path = file(QStringLiteral("flipped-%1.pdf").arg(i));
            if (!writeFileBytes(path, inputs[static_cast<std::size_t>(i)]))
                ::_exit(3);
            const DocumentPreview preview = previewDocument(path, kBox, 2000);
            if (preview.ok &&
                (preview.image.width() > kBox.width() || preview.image.height() > kBox.height()))
                ::_exit(4);
            if (!preview.ok && preview.problem.isEmpty())
                ::_exit(5);
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(Previews, ThumbnailerWorksAsideAndFollowsTheFile) {
    ASSERT_TRUE(writeTestPdf(file("receipt.pdf")));
    DocumentThumbnailer thumbnailer(QSize(90, 120));
    QSignalSpy ready(&thumbnailer, &DocumentThumbnailer::ready);
    EXPECT_EQ(thumbnailer.preview(file("receipt.pdf")), nullptr); // being made
    ASSERT_TRUE(ready.wait(10000));
    const DocumentPreview* made = thumbnailer.preview(file("receipt.pdf"));
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->ok);
    EXPECT_EQ(made->image.height(), 120);

    // Replaced by a damaged file: made again, and says so.
    ASSERT_TRUE(writeFileBytes(file("receipt.pdf"), "%PDF-1.4\ntruncated"));
    EXPECT_EQ(thumbnailer.preview(file("receipt.pdf")), nullptr);
    ASSERT_TRUE(ready.wait(10000));
    ASSERT_NE(thumbnailer.preview(file("receipt.pdf")), nullptr);
    EXPECT_FALSE(thumbnailer.preview(file("receipt.pdf"))->ok);
}

} // namespace
