#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ardenvo {

// What one column of a spreadsheet becomes.
enum class TargetKind {
    LeaveOut,
    Section,
    Room,
    Name,
    Notes,
    Inside, // the parent object of that name in the same room
    OnTop,
    Under,
    Attribute,
    // Columns of the recognised formats
    Where,           // our export's "On the floor", "inside the Box, on the Shelf"
    OtherAttributes, // our export's "Category/Attribute: value; ..."
    Location,        // HomeBox's location path "Home / Office"
};

// How a cell's text becomes the attribute's value.
enum class ValueForm {
    AsIs,
    Date,      // YYYY-MM-DD as the default "yyyymmdd"
    DateUntil, // a warranty's end: "until YYYY-MM-DD"
    Lifetime,  // true/yes/1: "lifetime"
};

struct ColumnTarget {
    ColumnTarget() = default;
    // NOLINTNEXTLINE(google-explicit-constructor): a kind alone is a target
    ColumnTarget(TargetKind kind, std::string category = {}, std::string attribute = {},
                 ValueForm form = ValueForm::AsIs)
        : kind(kind), category(std::move(category)), attribute(std::move(attribute)), form(form) {}

    TargetKind kind = TargetKind::LeaveOut;
    std::string category; // for Attribute
    std::string attribute;
    ValueForm form = ValueForm::AsIs;

    bool operator==(const ColumnTarget&) const = default;
};

// Formats recognised by their header, mapped without asking.
enum class KnownFormat { None, Ardenvo, HomeBox };

// "the Ardenvo export", "a HomeBox export", "".
const char* formatName(KnownFormat format);

inline constexpr std::string_view kDefaultImportCategory = "Imported";

struct ImportMapping {
    KnownFormat format = KnownFormat::None;
    std::vector<ColumnTarget> columns; // one per column of the table
};

// The mapping a header suggests: our own export and HomeBox's map every column; otherwise
// "Section", "Room", "Name", "Notes" and their usual synonyms find their target, a
// "Category/Attribute" header maps itself and any other column becomes an attribute of
// `category`. Without a header the first column is the name and the others attributes.
ImportMapping guessMapping(const std::vector<std::string>& header, bool hasHeader,
                           const std::string& category = std::string(kDefaultImportCategory));

// An attribute of `category` named after the column, or "Category/Attribute" when it says so.
ColumnTarget attributeFor(const std::string& header, const std::string& category);

// The targets a user may choose, as the dialog lists them; each column may also keep its own
// attribute (attributeFor).
std::vector<ColumnTarget> choosableTargets();

// "Leave out", "Section", "Room", "Name", "Notes", "Inside (object name)", "On top of (object
// name)", "Under (object name)", "Category/Attribute", and for the recognised columns "Where
// (Ardenvo export)", "Other attributes (Ardenvo export)", "Location (HomeBox)".
std::string targetLabel(const ColumnTarget& target);

// A target as typed on the command line: a keyword ("room", "on top of", "leave out", ...,
// any case) or "Category/Attribute"; nullopt for anything else.
std::optional<ColumnTarget> parseTarget(std::string_view text);

} // namespace ardenvo
