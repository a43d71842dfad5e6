#pragma once

#include "search/inventory/Thumbnails.h"

#include <QImage>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace ardenvo {

struct InventoryReport;

// The report laid out by Qt's rich text, for the preview, printing and PDF. Thumbnails are held
// by the document as small JPEG resources and decoded when a page shows them. Needs a
// QGuiApplication (fonts).
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
