#include "importer/core/ImportMapping.h"

#include "model/Translatable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace ardenvo {

const char* formatName(KnownFormat format) {
    switch (format) {
    case KnownFormat::Ardenvo:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "the Ardenvo export");
    case KnownFormat::HomeBox:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "a HomeBox export");
    case KnownFormat::None:
        break;
    }
    return "";
}

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trimmed(std::string_view text) {
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    const auto end = text.find_last_not_of(" \t");
    return std::string(text.substr(begin, end - begin + 1));
}

struct Keyword {
    const char* word;
    TargetKind kind;
};

// Header words of common spreadsheets, and the command line's keywords.
constexpr std::array kKeywords = {
    Keyword{"leave out", TargetKind::LeaveOut}, Keyword{"section", TargetKind::Section},
    Keyword{"floor", TargetKind::Section},      Keyword{"storey", TargetKind::Section},
    Keyword{"room", TargetKind::Room},          Keyword{"location", TargetKind::Room},
    Keyword{"name", TargetKind::Name},          Keyword{"item", TargetKind::Name},
    Keyword{"object", TargetKind::Name},        Keyword{"notes", TargetKind::Notes},
    Keyword{"note", TargetKind::Notes},         Keyword{"description", TargetKind::Notes},
    Keyword{"inside", TargetKind::Inside},      Keyword{"inside of", TargetKind::Inside},
    Keyword{"on top of", TargetKind::OnTop},    Keyword{"on top", TargetKind::OnTop},
    Keyword{"under", TargetKind::Under},
};

std::optional<TargetKind> keywordKind(std::string_view text) {
    const std::string word = lower(trimmed(text));
    for (const Keyword& k : kKeywords)
        if (word == k.word)
            return k.kind;
    return std::nullopt;
}

// "Category/Attribute" with both parts present.
std::optional<std::pair<std::string, std::string>> splitAttribute(std::string_view text) {
    const auto slash = text.find('/');
    if (slash == std::string_view::npos || slash == 0 || slash + 1 == text.size())
        return std::nullopt;
    return std::pair{std::string(text.substr(0, slash)), std::string(text.substr(slash + 1))};
}

ColumnTarget attribute(std::string category, std::string name, ValueForm form = ValueForm::AsIs) {
    return {TargetKind::Attribute, std::move(category), std::move(name), form};
}

bool isArdenvoExport(const std::vector<std::string>& header) {
    static const std::array<std::string, 5> first = {"Section", "Room", "Where", "Name", "Notes"};
    if (header.size() < first.size() || !std::equal(first.begin(), first.end(), header.begin()))
        return false;
    for (std::size_t i = first.size(); i < header.size(); ++i)
        if (!splitAttribute(header[i]) &&
            !(i + 1 == header.size() && header[i] == "Other attributes"))
            return false;
    return true;
}

bool isHomeBoxExport(const std::vector<std::string>& header) {
    return std::any_of(header.begin(), header.end(),
                       [](const std::string& h) { return h == "HB.name"; });
}

// HomeBox's documented columns: those with a counterpart among a new object's default
// attributes go there, the others become attributes of the import's category.
ColumnTarget homeBoxTarget(const std::string& column, const std::string& category) {
    static const std::array<std::pair<const char*, const char*>, 13> named = {{
        {"HB.import_ref", "Import ref"},
        {"HB.quantity", "Quantity"},
        {"HB.asset_id", "Asset ID"},
        {"HB.insured", "Insured"},
        {"HB.serial_number", "Serial number"},
        {"HB.model_number", "Model number"},
        {"HB.manufacturer", "Manufacturer"},
        {"HB.labels", "Labels"},
        {"HB.warranty_details", "Warranty details"},
        {"HB.sold_to", "Sold to"},
        {"HB.sold_time", "Sold on"},
        {"HB.sold_price", "Sold for"},
        {"HB.sold_notes", "Sold notes"},
    }};
    if (column == "HB.location")
        return {TargetKind::Location};
    if (column == "HB.name")
        return {TargetKind::Name};
    if (column == "HB.description" || column == "HB.notes")
        return {TargetKind::Notes};
    if (column == "HB.purchase_from")
        return attribute("Location", "Where bought");
    if (column == "HB.purchase_price")
        return attribute("Value", "Price paid");
    if (column == "HB.purchase_time")
        return attribute("Guarantee", "When bought", ValueForm::Date);
    if (column == "HB.warranty_expires")
        return attribute("Guarantee", "Guarantee", ValueForm::DateUntil);
    if (column == "HB.lifetime_warranty")
        return attribute("Guarantee", "Guarantee", ValueForm::Lifetime);
    for (const auto& [hb, name] : named)
        if (column == hb)
            return attribute(category, name);
    constexpr std::string_view field = "HB.field.";
    if (column.starts_with(field) && column.size() > field.size())
        return attribute(category, column.substr(field.size()));
    return attribute(category, column.starts_with("HB.") ? column.substr(3) : column);
}

} // namespace

ColumnTarget attributeFor(const std::string& header, const std::string& category) {
    if (const auto split = splitAttribute(header))
        return attribute(split->first, split->second);
    return attribute(category, header);
}

ImportMapping guessMapping(const std::vector<std::string>& header, bool hasHeader,
                           const std::string& category) {
    ImportMapping mapping;
    if (!hasHeader) {
        for (std::size_t i = 0; i < header.size(); ++i)
            mapping.columns.push_back(i == 0 ? ColumnTarget{TargetKind::Name}
                                             : attribute(category, header[i]));
        return mapping;
    }
    if (isArdenvoExport(header)) {
        mapping.format = KnownFormat::Ardenvo;
        const TargetKind first[] = {TargetKind::Section, TargetKind::Room, TargetKind::Where,
                                    TargetKind::Name, TargetKind::Notes};
        for (std::size_t i = 0; i < header.size(); ++i)
            mapping.columns.push_back(i < 5 ? ColumnTarget{first[i]}
                                      : header[i] == "Other attributes"
                                          ? ColumnTarget{TargetKind::OtherAttributes}
                                          : attributeFor(header[i], category));
        return mapping;
    }
    if (isHomeBoxExport(header)) {
        mapping.format = KnownFormat::HomeBox;
        for (const std::string& column : header)
            mapping.columns.push_back(homeBoxTarget(column, category));
        return mapping;
    }
    // Each of the plain targets once, for the first column that names it.
    std::vector<TargetKind> taken;
    for (const std::string& column : header) {
        const auto kind = keywordKind(column);
        if (kind && *kind != TargetKind::LeaveOut &&
            std::find(taken.begin(), taken.end(), *kind) == taken.end()) {
            taken.push_back(*kind);
            mapping.columns.push_back({*kind});
        } else {
            mapping.columns.push_back(attributeFor(column, category));
        }
    }
    return mapping;
}

std::vector<ColumnTarget> choosableTargets() {
    return {{TargetKind::LeaveOut}, {TargetKind::Section}, {TargetKind::Room},
            {TargetKind::Name},     {TargetKind::Notes},   {TargetKind::Inside},
            {TargetKind::OnTop},    {TargetKind::Under}};
}

std::string targetLabel(const ColumnTarget& target) {
    switch (target.kind) {
    case TargetKind::LeaveOut:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Leave out");
    case TargetKind::Section:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Section");
    case TargetKind::Room:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Room");
    case TargetKind::Name:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Name");
    case TargetKind::Notes:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Notes");
    case TargetKind::Inside:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Inside (object name)");
    case TargetKind::OnTop:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "On top of (object name)");
    case TargetKind::Under:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Under (object name)");
    case TargetKind::Attribute:
        return target.category + "/" + target.attribute;
    case TargetKind::Where:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Where (Ardenvo export)");
    case TargetKind::OtherAttributes:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Other attributes (Ardenvo export)");
    case TargetKind::Location:
        return AV_TRANSLATE_NOOP("ardenvo::ImportMapping", "Location (HomeBox)");
    }
    return {};
}

std::optional<ColumnTarget> parseTarget(std::string_view text) {
    if (const auto kind = keywordKind(text))
        return ColumnTarget{*kind};
    if (const auto split = splitAttribute(text))
        return attribute(split->first, split->second);
    return std::nullopt;
}

} // namespace ardenvo
