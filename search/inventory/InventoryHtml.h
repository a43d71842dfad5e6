#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ardenvo {

struct InventoryReport;
struct Thumbnail;
class ThumbnailSet;

// The address an <img> takes for a picture's thumbnail.
using ThumbnailSource = std::function<std::string(const std::string& fileName, const Thumbnail&)>;

// The thumbnail as a data address, so the report file holds its pictures and can be mailed alone.
std::string embeddedThumbnail(const std::string& fileName, const Thumbnail& thumb);

// The whole report as one HTML page in UTF-8: the title page with the totals, per room its
// pictures, a table per object and the room's totals, then the house's totals. Every text of the
// house is escaped. Pictures come from `thumbnails` (made for this report, or left empty without
// photos), each captioned with its name; one missing from it or that could not be read shows as
// a framed "missing picture: FILE".
std::string writeInventoryHtml(const InventoryReport& report, const ThumbnailSet& thumbnails,
                               const ThumbnailSource& source = embeddedThumbnail);

// Receives a page piece by piece, in order.
using HtmlSink = std::function<void(std::string_view)>;
// The same page handed to `sink` in pieces of about a megabyte, so that a report of any length is
// never held whole.
void streamInventoryHtml(const InventoryReport& report, const ThumbnailSet& thumbnails,
                         const HtmlSink& sink, const ThumbnailSource& source = embeddedThumbnail);
// The page with its pictures embedded, written to `path` as it is made and replacing the file
// safely, as every report. On failure returns false and sets `error` to the system's reason.
bool saveInventoryHtml(const std::string& path, const InventoryReport& report,
                       const ThumbnailSet& thumbnails, std::string& error);

} // namespace ardenvo
