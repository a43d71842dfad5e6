#pragma once

#include "model/CHouseObject.h"
#include "model/ProjectFile.h"
#include "model/Translatable.h"

#include <string>
#include <vector>

namespace ardenvo {

// The pseudo-category under which the panel lists an object's reminders; always the selector's
// last entry.
inline constexpr const char* kReminderEntry = AV_TRANSLATE_NOOP("ardenvo::CategoryPanel", "Reminder");

// The selector's entries: the object's category titles in order, then "Reminder".
std::vector<std::string> selectorEntries(const CHouseObject& object);
// The entry that shows the object's current category; "Reminder" when there is no such category.
int selectorIndexFor(const CHouseObject& object);
// Whether `index` is the "Reminder" entry of a selector of `count` entries.
inline bool isReminderEntry(int index, int count) {
    return count > 0 && index == count - 1;
}

// One row of the attribute list and what it stands for. Rows know their category and position
// themselves, so that titles equal to another category's, or to "Reminder", never mix them up.
struct PanelRow {
    enum class Kind { Attribute, Reminder };
    Kind kind = Kind::Attribute;
    int category = -1; // attribute rows: the category's index in the object
    int position = 0;  // attribute rows: position within the category; reminders: among them
    std::string first; // category title, or "Reminder"
    std::string second;
    std::string third;

    bool isReminder() const { return kind == Kind::Reminder; }
    bool sameItem(const PanelRow& other) const {
        return kind == other.kind && category == other.category && position == other.position;
    }
};

// What the list shows: with `showAll` every category's attributes and then every reminder;
// otherwise the reminders when `selectorIndex` is "Reminder", else that category's attributes.
std::vector<PanelRow> panelRows(const CHouseObject& object, int selectorIndex, bool showAll);
PanelRow reminderRow(const CReminder& reminder, int position);

// "Add from file...": reads the file into a new category appended to the object and made current.
// On failure the object is left as it was and the error is returned.
FileError addCategoryFromFile(CHouseObject& object, const std::string& path);
// "Save with values..." / "Save without values...": sets the category's flag and writes it,
// replacing the file safely; on failure the old file is untouched.
FileError saveCategoryToFile(CFieldList& category, const std::string& path, bool withValues);

} // namespace ardenvo
