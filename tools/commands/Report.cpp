// ardenvo-tool report: the inventory report of the main program's "Inventory report..." dialog,
// as a PDF or a self-contained HTML file.
#include "model/CBrenvikaDoc.h"
#include "model/LocalTime.h"
#include "model/ReminderSchedule.h"
#include "search/inventory/InventoryDocument.h"
#include "search/inventory/InventoryHtml.h"
#include "search/inventory/InventoryReport.h"
#include "search/inventory/Thumbnails.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolSupport.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kUsage =
    usageEntry({"report FILE [--room SECTION/BLOCK]... [--no-photos] [--no-nested] [--title TEXT]",
                "[--images DIR] [--date YYYY-MM-DD] --pdf OUT | --html OUT"},
               {"the inventory report of File > \"Inventory report...\": every",
                "object room by room in tree order with notes, attributes,",
                "reminders and thumbnails, the Price paid and Insurance value",
                "totals; A4 PDF, or one HTML file with the pictures embedded;",
                "DIR and the title default as for pictures and the dialog,", "the date to today"});

struct ReportArgs {
    std::string file;
    std::vector<std::string> rooms;
    bool photos = true;
    bool nested = true;
    std::optional<std::string> title;
    std::string images;
    std::optional<std::int64_t> date;
    std::string pdf;
    std::string html;
};

bool usageError(std::ostream& err, const std::string& message) {
    reportError(err, message);
    printUsage(err, kUsage);
    return false;
}

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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--no-photos") {
            parsed.photos = false;
            continue;
        }
        if (arg == "--no-nested") {
            parsed.nested = false;
            continue;
        }
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!parsed.file.empty())
                return usageError(err, "more than one file: " + arg);
            parsed.file = arg;
            continue;
        }
        if (i + 1 >= args.size())
            return usageError(err, arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--room") {
            parsed.rooms.push_back(value);
        } else if (arg == "--title") {
            parsed.title = value;
        } else if (arg == "--images") {
            parsed.images = value;
        } else if (arg == "--date") {
            parsed.date = parseDate(value);
            if (!parsed.date)
                return usageError(err, "--date needs a date as YYYY-MM-DD, not \"" + value + "\"");
        } else if (arg == "--pdf") {
            parsed.pdf = value;
        } else if (arg == "--html") {
            parsed.html = value;
        } else {
            return usageError(err, "unknown option " + arg);
        }
    }
    if (parsed.file.empty())
        return usageError(err, "no house file given");
    if (parsed.pdf.empty() == parsed.html.empty())
        return usageError(err, "give one of --pdf FILE and --html FILE");
    return true;
}

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
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
    options.includePhotos = parsed.photos;
    options.includeNested = parsed.nested;
    options.now = parsed.date.value_or(static_cast<std::int64_t>(std::time(nullptr)));

    const InventoryReport report = collectInventory(doc, options);
    ThumbnailSet thumbnails;
    if (parsed.photos)
        thumbnails.build(report, parsed.images.empty() ? mainProgramImages() : parsed.images);

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

const CommandRegistration registration("report", kUsage, runReport);

} // namespace
} // namespace ardenvo::tool
