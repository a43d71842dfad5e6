#include "search/inventory/InventoryReport.h"

#include "model/CBrenvikaDoc.h"
#include "model/TreeOrder.h"
#include "search/engine/LocationText.h"
#include "search/engine/NumberText.h"

#include <charconv>
#include <cmath>

namespace ardenvo {
namespace {

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void addValues(const CHouseObject& object, InventoryTotals& totals) {
    ++totals.objects;
    if (const CompactText* price = valueAttribute(object, kPricePaid)) {
        if (const auto number = valueNumber(*price)) {
            totals.pricePaid += *number;
            ++totals.priced;
        }
    }
    if (const CompactText* insured = valueAttribute(object, kInsuranceValue)) {
        if (const auto number = valueNumber(*insured)) {
            totals.insuranceValue += *number;
            ++totals.insured;
        }
    }
}

// Depth first as the object tree shows it, with the search report's locations. `chain` holds the
// containers of `object`; siblings share one location text.
void collectObject(const CHouseObject& object, std::string_view location, bool nested,
                   ContainerChain& chain, InventoryReport& report, InventoryRoom& room) {
    room.items.push_back({&object, location});
    addValues(object, room.totals);
    if (!nested)
        return;
    const std::string* shared = nullptr;
    for (const TreeChild& child : childrenInTreeOrder(object)) {
        if (!shared || chain.back().first != child.position) {
            if (shared)
                chain.pop_back();
            chain.emplace_back(child.position, &object);
            report.locations.push_back(std::make_unique<const std::string>(locationText(chain)));
            shared = report.locations.back().get();
        }
        collectObject(*child.object, *shared, nested, chain, report, room);
    }
    if (shared)
        chain.pop_back();
}

} // namespace

void InventoryTotals::add(const InventoryTotals& other) {
    objects += other.objects;
    pricePaid += other.pricePaid;
    priced += other.priced;
    insuranceValue += other.insuranceValue;
    insured += other.insured;
}

std::optional<double> valueNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    // A number starts with a digit, or a dot followed by one; "inf" and "nan" are not amounts.
    const bool digitFirst = pos < text.size() && isDigit(text[pos]);
    const bool dotFirst = pos + 1 < text.size() && text[pos] == '.' && isDigit(text[pos + 1]);
    if (!digitFirst && !dotFirst)
        return std::nullopt;
    const double value = leadingNumber(text);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

const CompactText* valueAttribute(const CHouseObject& object, std::string_view name) {
    for (const auto& category : object.categories()) {
        if (category->title != kValueCategory)
            continue;
        for (const auto& field : category->entries()) {
            if (field->name == name)
                return &field->value;
        }
    }
    return nullptr;
}

InventoryReport collectInventory(const CBrenvikaDoc& doc, const InventoryOptions& options) {
    InventoryReport report;
    report.options = options;
    const auto& sections = doc.sections();
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const auto& blocks = sections[s]->blocks();
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            if (!options.scope.isSearched(s, b))
                continue;
            InventoryRoom room;
            room.section = sections[s].get();
            room.block = blocks[b].get();
            ContainerChain chain;
            for (const CHouseObject* object : floorObjectsInTreeOrder(*blocks[b]))
                collectObject(*object, "On the floor", options.includeNested, chain, report, room);
            report.totals.add(room.totals);
            report.rooms.push_back(std::move(room));
        }
    }
    return report;
}

std::vector<InventoryPicture> inventoryPictures(const CFieldList& pictures) {
    std::vector<InventoryPicture> shown;
    for (const auto& entry : pictures.entries()) {
        if (!entry->value.empty())
            shown.push_back({entry->name.str(), entry->value.str()});
    }
    return shown;
}

std::string formatAmount(double value) {
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (ec != std::errc())
        return "0.00";
    return std::string(buffer, end);
}

} // namespace ardenvo
