// Documents kept with objects, as the report and the tool show them: the receipts' first pages
// in the HTML and PDF report (pdfimages finds them), "ardenvo-tool documents" with every state,
// and the search finding an object by a document's name.
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "search/inventory/DocumentThumbnails.h"
#include "search/inventory/InventoryDocument.h"
#include "search/inventory/InventoryHtml.h"
#include "search/inventory/InventoryReport.h"
#include "support/TestDocuments.h"
#include "tools/ToolRunner.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <filesystem>

namespace ardenvo {
namespace {

using test::runProgram;
using test::runTool;

class ReceiptReport : public ::testing::Test {
protected:
    void SetUp() override {
        documents = dir.file("Documents");
        std::filesystem::create_directory(documents);
        ASSERT_TRUE(test::writeTestPdf(QString::fromStdString(documents + "/boiler.pdf")));
        ASSERT_TRUE(test::writeTestPdf(QString::fromStdString(documents + "/manual.pdf"), 40));
        ASSERT_TRUE(test::writeFileBytes(QString::fromStdString(documents + "/safe.pdf"),
                                         test::encryptedPdfBytes()));
        ASSERT_TRUE(
            test::writeFileBytes(QString::fromStdString(documents + "/till.txt"), "Total 12.50"));

        doc.clearSections();
        auto section = std::make_unique<CSection>();
        section->name = "Ground floor";
        CBlock& kitchen = *section->blocks().front();
        kitchen.name = "Kitchen";
        const auto add = [&kitchen](const char* name,
                                    std::vector<std::pair<const char*, const char*>> papers) {
            auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
            object->name = name;
            auto& category = object->appendCategory(std::make_unique<CFieldList>("Documents"));
            for (const auto& [paper, file] : papers)
                category.append(paper, file, "Documents");
            kitchen.appendFloorObjectAsStored(std::move(object));
        };
        add("Boiler", {{"Receipt", "boiler.pdf"}, {"Manual", "manual.pdf"}});
        add("Kettle", {{"Receipt", "boiler.pdf"}, {"Warranty card", "gone.pdf"}}); // shared
        add("Safe", {{"Receipt", "safe.pdf"}, {"Receipt 2", "till.txt"}});
        add("Clock", {{"Receipt", "../secret.pdf"}});
        doc.appendSection(std::move(section));
        house = dir.file("house.av");
        ASSERT_EQ(saveProject(house, doc), FileError::None);
    }

    test::TempDir dir;
    std::string documents;
    std::string house;
    CBrenvikaDoc doc;
};

TEST_F(ReceiptReport, ReceiptsFirstPagesInTheHtmlAndThePdf) {
    InventoryOptions options;
    options.scope = SearchScope::wholeHouse(doc);
    options.includePhotos = false;
    options.includeReceipts = true;
    const InventoryReport report = collectInventory(doc, options);
    ThumbnailSet thumbnails;
    int lastDone = -1, lastTotal = -1;
    ASSERT_TRUE(addReceiptThumbnails(thumbnails, report, documents, [&](int done, int total) {
        lastDone = done;
        lastTotal = total;
        return true;
    }));
    EXPECT_EQ(lastDone, 4); // boiler.pdf once for both objects, safe.pdf, till.txt, ../secret.pdf
    EXPECT_EQ(lastTotal, 4);
    ASSERT_NE(thumbnails.findDocument("boiler.pdf"), nullptr);
    EXPECT_TRUE(thumbnails.findDocument("boiler.pdf")->ok);
    EXPECT_EQ(thumbnails.findDocument("manual.pdf"), nullptr); // not a receipt
    EXPECT_EQ(thumbnails.find("boiler.pdf"), nullptr);         // not a picture either

    const std::string html = writeInventoryHtml(report, thumbnails);
    // The documents are listed with the other categories; the receipts also shown.
    EXPECT_NE(html.find("<i>Documents</i>: Receipt <b>boiler.pdf</b> &middot; Manual "
                        "<b>manual.pdf</b>"),
              std::string::npos);
    EXPECT_NE(html.find("alt=\"boiler.pdf\""), std::string::npos);
    EXPECT_NE(html.find("alt=\"till.txt\""), std::string::npos);
    EXPECT_NE(html.find("cannot show this document: safe.pdf"), std::string::npos);
    EXPECT_NE(html.find("cannot show this document: ../secret.pdf"), std::string::npos);
    EXPECT_EQ(html.find("alt=\"manual.pdf\""), std::string::npos);

    // Without the option nothing is read and nothing shown.
    options.includeReceipts = false;
    EXPECT_EQ(writeInventoryHtml(collectInventory(doc, options), thumbnails).find("<img"),
              std::string::npos);

    // Stopped at once: false, and what was not read is not shown as read.
    ThumbnailSet stopped;
    EXPECT_FALSE(addReceiptThumbnails(stopped, report, documents, [](int, int) { return false; }));
}

TEST_F(ReceiptReport, ToolListsDocumentsAndPutsReceiptsInThePdf) {
    const test::ToolResult listed = runTool({"documents", house, "--documents", documents});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out,
              "Ground floor\tKitchen\tBoiler\tReceipt\tboiler.pdf\tok pdf 1 page\n"
              "Ground floor\tKitchen\tBoiler\tManual\tmanual.pdf\tok pdf 40 pages\n"
              "Ground floor\tKitchen\tKettle\tReceipt\tboiler.pdf\tok pdf 1 page\n"
              "Ground floor\tKitchen\tKettle\tWarranty card\tgone.pdf\tmissing\n"
              "Ground floor\tKitchen\tSafe\tReceipt\tsafe.pdf\tunreadable: encrypted\n"
              "Ground floor\tKitchen\tSafe\tReceipt 2\ttill.txt\tok text\n"
              "Ground floor\tKitchen\tClock\tReceipt\t../secret.pdf\tmissing: The file name "
              "leads outside the Documents folder\n");

    // A document's name finds its object like any attribute.
    const test::ToolResult found = runTool({"search", house, "--field", "Warranty card"});
    ASSERT_EQ(found.exitCode, 0) << found.err;
    EXPECT_NE(found.out.find("Kettle"), std::string::npos);
    EXPECT_EQ(found.out.find("Boiler"), std::string::npos);

    const std::string pdf = dir.file("report.pdf");
    const test::ToolResult made = runTool(
        {"report", house, "--no-photos", "--receipts", "--documents", documents, "--pdf", pdf});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    // The first page of boiler.pdf under each of its two objects and the text file's page; the
    // encrypted one and the one outside are framed notices.
    const test::ToolResult images = runProgram("/usr/bin/pdfimages", {"-list", pdf});
    ASSERT_EQ(images.exitCode, 0) << images.err;
    int count = 0;
    for (std::size_t at = 0; (at = images.out.find("\n", at)) != std::string::npos; ++at)
        ++count;
    EXPECT_EQ(count - 2, 3) << images.out; // after two heading lines
    const test::ToolResult text = runProgram("/usr/bin/pdftotext", {pdf, "-"});
    EXPECT_NE(text.out.find("cannot show this document"), std::string::npos);

    const test::ToolResult usage =
        runTool({"report", house, "--documents", documents, "--pdf", pdf});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("--documents DIR goes with --receipts"), std::string::npos);
}

} // namespace
} // namespace ardenvo
