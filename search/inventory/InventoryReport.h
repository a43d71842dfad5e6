#pragma once

#include "model/CompactText.h"
#include "search/engine/SearchScope.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

class CBlock;
class CBrenvikaDoc;
class CFieldList;
class CHouseObject;
class CSection;

// The two attributes of the default "Value" category that the totals add up.
inline constexpr const char* kValueCategory = "Value";
inline constexpr const char* kPricePaid = "Price paid";
inline constexpr const char* kInsuranceValue = "Insurance value";

// What the user chose for one report.
struct InventoryOptions {
    std::string title;
    std::string houseName; // the house's file name, shown on the title page
    SearchScope scope;     // the rooms and halls to include
    bool includePhotos = true;
    bool includeNested = true;
    bool includeReceipts = false; // the first page of each receipt (a document named "Receipt")
    std::int64_t now = 0;         // seconds since 1970: the date on the title page
};

// The sums of the two value attributes over some objects, and how many objects had each.
struct InventoryTotals {
    int objects = 0;
    double pricePaid = 0.0;
    int priced = 0;
    double insuranceValue = 0.0;
    int insured = 0;

    void add(const InventoryTotals& other);
};

// One listed object and where it stands, in the words of the search report.
struct InventoryItem {
    const CHouseObject* object = nullptr;
    std::string_view location; // "On the floor", "On the floor, inside the Wardrobe", ...
};

struct InventoryRoom {
    const CSection* section = nullptr;
    const CBlock* block = nullptr;
    std::vector<InventoryItem> items; // in the order of the object tree
    InventoryTotals totals;
};

// The report's content. The pointers refer into the house, which must outlive it.
struct InventoryReport {
    InventoryOptions options;
    std::vector<InventoryRoom> rooms; // house order; every chosen room, even an empty one
    InventoryTotals totals;
    // The location texts the items view, one per parent and nest position: a report is moved,
    // never copied.
    std::vector<std::unique_ptr<const std::string>> locations;
};

// The number a value starts with, read as the search reads it; nothing when the text does not
// start with a finite number (empty, "not yet", "n/a"), so such values stay out of the totals.
std::optional<double> valueNumber(std::string_view text);

// The value attribute of that name in the object's "Value" categories (the first one found).
const CompactText* valueAttribute(const CHouseObject& object, std::string_view name);

InventoryReport collectInventory(const CBrenvikaDoc& doc, const InventoryOptions& options);

// One picture as the report shows it: its name for the caption and its file in the Images folder.
struct InventoryPicture {
    std::string name;
    std::string file;
};

// The pictures of an object's or a room's picture list, in order (entries without a file left
// out).
std::vector<InventoryPicture> inventoryPictures(const CFieldList& pictures);

// A sum as the report prints it: two decimals and a dot.
std::string formatAmount(double value);

} // namespace ardenvo
