#pragma once

#include "documents/core/ObjectDocuments.h"
#include "search/inventory/Thumbnails.h"

#include <string>
#include <vector>

namespace ardenvo {

class CHouseObject;

// The receipts of an object that a report shows with their first pages.
std::vector<ObjectDocument> inventoryReceipts(const CHouseObject& object);

// One document file as a report thumbnail: its first page (or the picture), at most
// kThumbnailPixels, as a JPEG; "missing" or why it cannot be shown otherwise.
Thumbnail documentThumbnail(const std::string& path);

// The first pages of every receipt of the listed objects, read from `documentsFolder` (nothing
// outside it) into `thumbnails`. The pages are drawn on a worker thread while this one reports
// progress; false when `progress` stopped it.
bool addReceiptThumbnails(ThumbnailSet& thumbnails, const InventoryReport& report,
                          const std::string& documentsFolder,
                          const InventoryProgress& progress = {});

} // namespace ardenvo
