// ardenvo-tool report: the inventory report of the main program's "Inventory report..." dialog,
// as a PDF or a self-contained HTML file.
#include "model/CBrenvikaDoc.h"
#include "model/LocalTime.h"
#include "model/ReminderSchedule.h"
#include "search/inventory/DocumentThumbnails.h"
#include "search/inventory/InventoryDocument.h"
#include "search/inventory/InventoryHtml.h"
#include "search/inventory/InventoryReport.h"
#include "search/inventory/Thumbnails.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
#include "tools/HelperCommands.h"
#include "tools/ToolSupport.h"
#include "tools/helper/HelperRuns.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>

namespace ardenvo::tool {
namespace {

struct ReportArgs {
    std::string file;
    std::vector<std::string> rooms;
    bool noPhotos = false;
    bool noNested = false;
    std::optional<std::string> title;
    std::string images;
    bool receipts = false;
    std::string documents;
    std::optional<std::int64_t> date;
    std::string pdf;
    std::string html;
};

// "YYYY-MM-DD" as local noon of that day; anything else gives nothing.
std::optional<std::int64_t> parseDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 5, 8};
    const std::size_t lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (std::size_t i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            parts[p] = parts[p] * 10 + (text[i] - '0');
        }
    }
    if (parts[0] < 1970 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 ||
        parts[2] > daysInMonth(parts[0], parts[1]))
        return std::nullopt;
    return toInstant({parts[0], parts[1], parts[2], 12, 0, 0});
}

bool parseArgs(const std::vector<std::string>& args, ReportArgs& parsed, std::ostream& err) {
    ArgumentParser parser(kReportUsage, ArgumentParser::Style::Explained);
    parser.flag("--no-photos", parsed.noPhotos)
        .flag("--no-nested", parsed.noNested)
        .option("--room", parsed.rooms)
        .option("--title", parsed.title)
        .option("--images", parsed.images)
        .flag("--receipts", parsed.receipts)
        .option("--documents", parsed.documents)
        .option("--date",
                [&parsed](const std::string& value) {
                    parsed.date = parseDate(value);
                    return parsed.date ? std::string()
                                       : "--date needs a date as YYYY-MM-DD, not \"" + value + "\"";
                })
        .option("--pdf", parsed.pdf)
        .option("--html", parsed.html);
    if (!parser.parse(args, parsed.file, err))
        return false;
    if (parsed.pdf.empty() == parsed.html.empty())
        return parser.fail(err, "give one of --pdf FILE and --html FILE");
    if (!parsed.documents.empty() && !parsed.receipts)
        return parser.fail(err, "--documents DIR goes with --receipts");
    return true;
}

int runReportImpl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ReportArgs parsed;
    if (!parseArgs(args, parsed, err))
        return kExitUsage;
    silenceQtWarnings();
    CBrenvikaDoc doc;
    if (!loadHouse(parsed.file, doc, err))
        return kExitFailure;

    InventoryOptions options;
    if (!selectRooms(doc, parsed.rooms, options.scope, err))
        return kExitFailure;
    options.houseName = std::filesystem::path(parsed.file).filename().string();
    options.title = parsed.title.value_or(options.houseName);
    options.includePhotos = !parsed.noPhotos;
    options.includeNested = !parsed.noNested;
    options.includeReceipts = parsed.receipts;
    options.now = parsed.date.value_or(static_cast<std::int64_t>(std::time(nullptr)));

    const InventoryReport report = collectInventory(doc, options);
    ThumbnailSet thumbnails;
    if (!parsed.noPhotos)
        thumbnails.build(report, parsed.images.empty() ? mainProgramImages() : parsed.images);
    if (parsed.receipts)
        addReceiptThumbnails(thumbnails, report,
                             parsed.documents.empty() ? mainProgramDocuments() : parsed.documents);

    if (!parsed.html.empty()) {
        // As every report: replaced safely, and a link planted at the name is not written through.
        std::string error;
        if (!saveInventoryHtml(parsed.html, report, thumbnails, error)) {
            reportError(err, "Cannot write " + parsed.html + ": " + error);
            return kExitFailure;
        }
        return finishOutput(out, err);
    }
    // Laying out text needs fonts, hence a GUI application; without a display it draws offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "ardenvo-tool";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const auto document = makeInventoryDocument(report, thumbnails);
    if (!document) {
        reportError(err, "Cannot write " + parsed.pdf + ": " + kDocumentTooLarge);
        return kExitFailure;
    }
    QString error;
    if (!writeInventoryPdf(*document, QString::fromStdString(parsed.pdf),
                           QString::fromStdString(options.title), error)) {
        reportError(err, "Cannot write " + parsed.pdf + ": " + error.toStdString());
        return kExitFailure;
    }
    return finishOutput(out, err);
}

} // namespace

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runReportImpl(args, out, err);
}

} // namespace ardenvo::tool
