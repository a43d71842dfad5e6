#include "catalogue/fields/core/PanelRows.h"

#include "model/FieldFile.h"
#include "model/ReminderSchedule.h"

namespace ardenvo {

std::vector<std::string> selectorEntries(const CHouseObject& object) {
    std::vector<std::string> entries;
    entries.reserve(object.categories().size() + 1);
    for (const auto& category : object.categories())
        entries.push_back(category->title.str());
    entries.emplace_back(kReminderEntry);
    return entries;
}

int selectorIndexFor(const CHouseObject& object) {
    const int count = static_cast<int>(object.categories().size());
    const int current = object.currentCategory();
    return current >= 0 && current < count ? current : count;
}

PanelRow reminderRow(const CReminder& reminder, int position) {
    return {PanelRow::Kind::Reminder,
            -1,
            position,
            kReminderEntry,
            formatCategoryDate(reminder.start()),
            reminder.notes};
}

namespace {

void appendAttributeRows(std::vector<PanelRow>& rows, const CHouseObject& object, int index) {
    const CFieldList& category = *object.categories()[static_cast<std::size_t>(index)];
    int position = 0;
    for (const auto& field : category.entries())
        rows.push_back({PanelRow::Kind::Attribute, index, position++, category.title.str(),
                        field->name.str(), field->value.str()});
}

void appendReminderRows(std::vector<PanelRow>& rows, const CHouseObject& object) {
    int position = 0;
    for (const auto& reminder : object.reminders())
        rows.push_back(reminderRow(*reminder, position++));
}

} // namespace

std::vector<PanelRow> panelRows(const CHouseObject& object, int selectorIndex, bool showAll) {
    std::vector<PanelRow> rows;
    const int categories = static_cast<int>(object.categories().size());
    if (showAll) {
        for (int i = 0; i < categories; ++i)
            appendAttributeRows(rows, object, i);
        appendReminderRows(rows, object);
    } else if (selectorIndex == categories) {
        appendReminderRows(rows, object);
    } else if (selectorIndex >= 0 && selectorIndex < categories) {
        appendAttributeRows(rows, object, selectorIndex);
    }
    return rows;
}

FileError addCategoryFromFile(CHouseObject& object, const std::string& path) {
    // Read first, so that a file that cannot be used leaves no half-made category behind.
    auto read = std::make_unique<CFieldList>("Category");
    if (const FileError error = readFieldFile(path, *read); error != FileError::None)
        return error;
    object.appendCategory(std::move(read));
    object.categoryAt(static_cast<int>(object.categories().size()) - 1);
    return FileError::None;
}

FileError saveCategoryToFile(CFieldList& category, const std::string& path, bool withValues) {
    category.saveValues = withValues ? 1 : 0;
    return writeFieldFile(path, category);
}

} // namespace ardenvo
