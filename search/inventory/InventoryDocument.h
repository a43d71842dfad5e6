#pragma once

#include "model/Translatable.h"
#include "search/inventory/Thumbnails.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace ardenvo {

struct InventoryReport;

// The most HTML a report is laid out from, some 30 000 objects. Qt's rich text holds every
// character and cell of the page at once, about forty bytes per byte of HTML (and lays a page of
// this size out for minutes), so a longer report is refused rather than left to run out of
// memory; as HTML it can be written at any length.
inline constexpr std::size_t kMaxDocumentHtmlBytes = std::size_t{8} << 20;
// What the tool and the dialog say when a report passes that size; the dialog in the user's
// language (kDocumentTooLargeContext).
inline constexpr const char* kDocumentTooLarge = AV_TRANSLATE_NOOP(
    "ardenvo::InventoryDocument",
    "The report is too large to lay out as pages; save it as HTML, or choose fewer rooms or "
    "leave out the nested objects");
inline constexpr const char* kDocumentTooLargeContext = "ardenvo::InventoryDocument";

// The report laid out by Qt's rich text, for the preview, printing and PDF. Thumbnails are held
// by the document as small JPEG resources and decoded when a page shows them. Needs a
// QGuiApplication (fonts). Nothing when the page passes kMaxDocumentHtmlBytes.
std::unique_ptr<QTextDocument> makeInventoryDocument(const InventoryReport& report,
                                                     const ThumbnailSet& thumbnails);

// Paints the document on the device's pages (a printer or a PDF writer), page by page; false when
// `progress` stopped it or nothing could be painted. The document is left as it was.
bool paintInventory(QTextDocument& doc, QPagedPaintDevice& device,
                    const InventoryProgress& progress = {});

// The document as an A4 PDF file with 15 mm margins. On failure `error` says why.
bool writeInventoryPdf(QTextDocument& doc, const QString& path, const QString& title,
                       QString& error, const InventoryProgress& progress = {});

// The first page as it will come out on A4, `width` pixels wide.
QImage previewFirstPage(QTextDocument& doc, int width);

} // namespace ardenvo
