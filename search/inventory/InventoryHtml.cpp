#include "search/inventory/InventoryHtml.h"

#include "model/CBlock.h"
#include "model/CHouseObject.h"
#include "model/CSection.h"
#include "model/LocalTime.h"
#include "model/ReminderSchedule.h"
#include "search/engine/CaseFold.h"
#include "search/engine/ReportWriter.h"
#include "search/inventory/DocumentThumbnails.h"
#include "search/inventory/InventoryReport.h"
#include "search/inventory/Thumbnails.h"

namespace ardenvo {
namespace {

// Further pictures of an object per row of small thumbnails, so a row fits a page's width.
constexpr std::size_t kThumbnailsPerRow = 5;

// The page is handed on in pieces of about this size.
constexpr std::size_t kPieceBytes = 1 << 20;

// A text of the house, readable and harmless: UTF-8, escaped, control characters shown as bytes,
// line breaks kept.
std::string text(std::string_view bytes) {
    const std::string escaped = htmlEscape(bytes);
    std::string out;
    out.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\r') {
            if (i + 1 < escaped.size() && escaped[i + 1] == '\n')
                ++i;
            out += "<br>";
        } else if (escaped[i] == '\n') {
            out += "<br>";
        } else {
            out += escaped[i];
        }
    }
    return out;
}

std::string orNbsp(std::string_view bytes) {
    return bytes.empty() ? std::string("&nbsp;") : text(bytes);
}

const char* const kStyle = "<style>\n"
                           "body { font-family: sans-serif; font-size: 9pt; }\n"
                           "h1 { font-size: 20pt; }\n"
                           "h2 { font-size: 14pt; }\n"
                           "h3 { font-size: 11pt; }\n"
                           "table.objects { border-collapse: collapse; }\n"
                           "th { background-color: #eeeeee; text-align: left; }\n"
                           "td.missing { border: 1px solid #800000; color: #800000; }\n"
                           ".caption { font-size: 8pt; }\n"
                           "</style>\n";

void totalsTable(std::string& html, const InventoryTotals& totals) {
    html += "<table class=\"totals\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
            "<tr><th>&nbsp;</th><th>Total</th><th>Objects with a value</th></tr>\n";
    const auto row = [&](const char* name, double sum, int count) {
        html += "<tr><td>";
        html += name;
        html += "</td><td align=\"right\">" + formatAmount(sum) + "</td><td align=\"right\">" +
                std::to_string(count) + " of " + std::to_string(totals.objects) + "</td></tr>\n";
    };
    row(kPricePaid, totals.pricePaid, totals.priced);
    row(kInsuranceValue, totals.insuranceValue, totals.insured);
    html += "</table>\n";
}

// One line per category: its name, then each attribute's name and value. Lines rather than a
// table inside the table: a report of thousands of objects lays out several times faster.
void attributes(std::string& html, const CHouseObject& object) {
    bool any = false;
    for (const auto& category : object.categories()) {
        if (category->empty())
            continue;
        html += any ? "<br>" : "<tr><td colspan=\"4\" class=\"attributes\">";
        any = true;
        html += "<i>" + orNbsp(category->title) + "</i>: ";
        bool first = true;
        for (const auto& field : category->entries()) {
            if (!first)
                html += " &middot; ";
            first = false;
            html += text(field->name) + " <b>" + text(field->value) + "</b>";
        }
    }
    if (any)
        html += "</td></tr>\n";
}

void reminders(std::string& html, const CHouseObject& object) {
    if (object.reminders().empty()) {
        html += "&nbsp;";
        return;
    }
    bool first = true;
    for (const auto& reminder : object.reminders()) {
        if (!first)
            html += "<br>";
        first = false;
        html += "<b>" + formatCategoryDate(reminder->start()) + " " +
                formatEditorTime(reminder->start()) + "</b>";
        if (!reminder->notes.empty())
            html += " " + text(reminder->notes);
    }
}

// A picture with its name under it; an unnamed one is captioned with its file name.
void picture(std::string& html, const InventoryPicture& shown, const QSize& box,
             const ThumbnailSet& thumbnails, const ThumbnailSource& source) {
    const Thumbnail* thumb = thumbnails.find(shown.file);
    if (!thumb || !thumb->ok) {
        html += "<td class=\"missing\" style=\"border: 1px solid #800000\">missing picture: " +
                text(shown.file);
        if (!shown.name.empty())
            html += "<br>" + text(shown.name);
        html += "</td>";
        return;
    }
    const QSize size = ThumbnailSet::shownSize(thumb->pixels, box);
    html += "<td valign=\"top\"><img src=\"" + source(shown.file, *thumb) + "\" width=\"" +
            std::to_string(size.width()) + "\" height=\"" + std::to_string(size.height()) +
            "\" alt=\"" + text(shown.file) + "\"><br><span class=\"caption\">" +
            text(shown.name.empty() ? shown.file : shown.name) + "</span></td>";
}

// The first picture large, the further ones in rows of small ones.
void pictures(std::string& html, const std::vector<InventoryPicture>& shown,
              const ThumbnailSet& thumbnails, const ThumbnailSource& source) {
    html += "<table class=\"pictures\" cellspacing=\"4\"><tr>";
    picture(html, shown.front(), kFirstThumbnail, thumbnails, source);
    html += "</tr></table>\n";
    for (std::size_t i = 1; i < shown.size(); i += kThumbnailsPerRow) {
        html += "<table class=\"pictures\" cellspacing=\"4\"><tr>";
        for (std::size_t j = i; j < shown.size() && j < i + kThumbnailsPerRow; ++j)
            picture(html, shown[j], kFurtherThumbnail, thumbnails, source);
        html += "</tr></table>\n";
    }
}

// The first page of each receipt, captioned with the document's name; one that cannot be shown
// says so in a frame.
void receipts(std::string& html, const CHouseObject& object, const ThumbnailSet& thumbnails,
              const ThumbnailSource& source) {
    const std::vector<ObjectDocument> shown = inventoryReceipts(object);
    if (shown.empty())
        return;
    html += "<tr><td colspan=\"4\">\n<table class=\"receipts\" cellspacing=\"4\"><tr>";
    for (const ObjectDocument& receipt : shown) {
        const Thumbnail* thumb = thumbnails.findDocument(receipt.file);
        if (!thumb || !thumb->ok) {
            html += std::string("<td class=\"missing\" style=\"border: 1px solid #800000\">") +
                    (thumb && thumb->error == "missing" ? "missing document: "
                                                        : "cannot show this document: ") +
                    text(receipt.file) + "<br>" + text(receipt.name) + "</td>";
            continue;
        }
        // Under a key no picture's file name can have, so the two never mix.
        const QSize size = ThumbnailSet::shownSize(thumb->pixels, kFirstThumbnail);
        html += "<td valign=\"top\"><img src=\"" + source("/Documents/" + receipt.file, *thumb) +
                "\" width=\"" + std::to_string(size.width()) + "\" height=\"" +
                std::to_string(size.height()) + "\" alt=\"" + text(receipt.file) +
                "\"><br><span class=\"caption\">" + text(receipt.name) + "</span></td>";
    }
    html += "</tr></table>\n</td></tr>\n";
}

void roomTotals(std::string& html, const InventoryRoom& room) {
    const InventoryTotals& t = room.totals;
    html += "<p class=\"room-totals\"><b>Totals of " + text(room.block->name) + ":</b> " +
            std::to_string(t.objects) + (t.objects == 1 ? " object" : " objects") + "; " +
            kPricePaid + " " + formatAmount(t.pricePaid) + " (" + std::to_string(t.priced) +
            " with a value); " + kInsuranceValue + " " + formatAmount(t.insuranceValue) + " (" +
            std::to_string(t.insured) + " with a value)</p>\n";
}

// Hands the page written so far on once it makes a piece.
void handOn(std::string& html, const HtmlSink& sink) {
    if (html.size() < kPieceBytes)
        return;
    sink(html);
    html.clear();
}

void room(std::string& html, const InventoryRoom& room, const InventoryOptions& options,
          const ThumbnailSet& thumbnails, const ThumbnailSource& source, const HtmlSink& sink) {
    const bool photos = options.includePhotos;
    html += "<h3>" + text(room.block->name) + "</h3>\n";
    if (photos) {
        const std::vector<InventoryPicture> shown = inventoryPictures(room.block->pictures);
        if (!shown.empty())
            pictures(html, shown, thumbnails, source);
    }
    if (room.items.empty())
        html += "<p>No objects</p>\n";
    // A table of its own for each object, so the printed pages keep an object's rows and
    // photos together (see InventoryDocument); the first one carries the column heads.
    bool first = true;
    for (const InventoryItem& item : room.items) {
        const CHouseObject& object = *item.object;
        html += "<table class=\"objects\" width=\"100%\" border=\"1\" cellspacing=\"0\" "
                "cellpadding=\"3\">\n";
        if (first)
            html += "<tr><th width=\"22%\">Object name</th><th width=\"26%\">Location</th>"
                    "<th width=\"30%\">Notes</th><th width=\"22%\">Reminders</th></tr>\n";
        first = false;
        html += "<tr><td width=\"22%\"><b>" + text(object.name) + "</b></td><td width=\"26%\">" +
                text(item.location) + "</td><td width=\"30%\">" + orNbsp(object.notes) +
                "</td><td width=\"22%\">";
        reminders(html, object);
        html += "</td></tr>\n";
        attributes(html, object);
        if (options.includeReceipts) {
            receipts(html, object, thumbnails, source);
            handOn(html, sink);
        }
        if (photos) {
            const std::vector<InventoryPicture> shown = inventoryPictures(object.pictures);
            if (!shown.empty()) {
                html += "<tr><td colspan=\"4\">\n";
                pictures(html, shown, thumbnails, source);
                html += "</td></tr>\n";
            }
            handOn(html, sink);
        }
        html += "</table>\n";
    }
    roomTotals(html, room);
}

} // namespace

std::string embeddedThumbnail(const std::string&, const Thumbnail& thumb) {
    return "data:image/jpeg;base64," + thumb.jpeg.toBase64().toStdString();
}

void streamInventoryHtml(const InventoryReport& report, const ThumbnailSet& thumbnails,
                         const HtmlSink& sink, const ThumbnailSource& source) {
    const InventoryOptions& o = report.options;
    std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                       text(o.title) + "</title>\n" + kStyle + "</head>\n<body>\n";
    html += "<h1>" + text(o.title) + "</h1>\n";
    html += "<p>House: <b>" + text(o.houseName) + "</b></p>\n";
    html += "<p>Date: " + formatCategoryDate(fromInstant(o.now)) + "</p>\n";
    html += "<p>Objects: " + std::to_string(report.totals.objects) + "</p>\n";
    totalsTable(html, report.totals);

    const CSection* section = nullptr;
    for (const InventoryRoom& r : report.rooms) {
        if (r.section != section) {
            section = r.section;
            html += "<h2 style=\"page-break-before: always\">" + text(section->name) + "</h2>\n";
        }
        room(html, r, o, thumbnails, source, sink);
    }
    html += "<h2 style=\"page-break-before: always\">Totals of the house</h2>\n";
    html += "<p>Objects: " + std::to_string(report.totals.objects) + "</p>\n";
    totalsTable(html, report.totals);
    html += "</body>\n</html>\n";
    sink(html);
}

std::string writeInventoryHtml(const InventoryReport& report, const ThumbnailSet& thumbnails,
                               const ThumbnailSource& source) {
    std::string html;
    streamInventoryHtml(
        report, thumbnails, [&html](std::string_view piece) { html += piece; }, source);
    return html;
}

bool saveInventoryHtml(const std::string& path, const InventoryReport& report,
                       const ThumbnailSet& thumbnails, std::string& error) {
    return saveReport(
        path, [&](const HtmlSink& write) { streamInventoryHtml(report, thumbnails, write); },
        error);
}

} // namespace ardenvo
