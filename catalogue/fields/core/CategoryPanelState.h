#pragma once

#include "catalogue/fields/core/PanelRows.h"
#include "model/CHouseObject.h"
#include "model/ProjectFile.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ardenvo {

// What the category panel shows and the edit each of its commands makes, without its widgets:
// the object, the selector's entries and choice, the list's rows and its selection. Every edit
// goes into the model at once; the panel shows the result and keeps the editors' texts itself.
class CategoryPanelState {
public:
    // The object whose categories are shown until the next call (null: none, the root "Floor").
    // The selector offers its categories with its current one chosen; no row is selected.
    void setObject(CHouseObject* object);
    CHouseObject* object() const { return m_object; }

    // The selector: the object's category titles, then "Reminder"; empty without an object.
    const std::vector<std::string>& entries() const { return m_entries; }
    int entry() const { return m_entry; } // -1 without an object
    bool reminderChosen() const {
        return isReminderEntry(m_entry, static_cast<int>(m_entries.size()));
    }
    // The user chose an entry: a real category becomes the object's current one ("Reminder"
    // leaves it), its rows are listed and no row stays selected.
    void chooseEntry(int index);

    // "Show all category items": lists the rows of the new mode; the item that was selected stays
    // selected if it is still listed.
    void setShowAll(bool on);
    bool showAll() const { return m_showAll; }

    const std::vector<PanelRow>& rows() const { return m_rows; }
    int selectedRow() const { return m_selected; } // -1 when none
    // The user selected a row (-1: none). With show-all on the selector follows it, and an
    // attribute row makes its category the current one.
    void selectRow(int row);

    // The selected attribute's name or value, and its row; false when no attribute is selected.
    enum class AttributePart { Name, Value };
    bool editSelectedAttribute(AttributePart part, std::string text);
    // The selected row's reminder, for the editor to load or store; null when none is selected.
    CReminder* selectedReminder() const;
    // After the editor stored into the selected reminder: it carries the object's name, and its
    // row shows the new date and notes.
    void selectedReminderStored();

    // "Add": the new entry is appended to the chosen category (with its title as the field's
    // category text) or, with "Reminder" chosen, to the reminders. Its row is listed but not
    // selected, so that typing next starts another entry; that row, or -1 when nothing was added.
    int addAttribute(std::string name, std::string value);
    int addReminder(std::unique_ptr<CReminder> reminder);
    // "Delete": the selected row's attribute or reminder is removed; false when none is selected.
    bool deleteSelected();

    // "Attach document...": the document (its name and its file in the Documents folder) goes
    // into the object's "Documents" category, made when it has none, which the selector then
    // shows. Its row is selected, so the editor offers its name for changing; that row, or -1
    // without an object.
    int attachDocument(std::string name, std::string fileName);
    // Whether the row stands for a document: an attribute of a "Documents" category.
    bool isDocumentRow(int row) const;

    // The "Category" menu. Each command leaves no row selected unless it says otherwise.
    // "Add new category": a category titled "Category" is added and made current, and `name`
    // (which finds it among the object's categories) names it; without a name it is taken away
    // again and the current category stays as it was. True when one was added.
    bool
    addCategory(const std::function<std::optional<std::string>(const CFieldList& added)>& name);
    // "Add from file...": the file read into a new current category; on failure nothing changes.
    FileError addCategoryFromFile(const std::string& path);
    // The object's current category, which "Save" writes; null when none.
    CFieldList* currentCategory() const;
    FileError saveCurrentCategory(const std::string& path, bool withValues);
    // The category the selector shows (null with "Reminder"), and its new title; the rows and
    // their selection stay.
    CFieldList* chosenCategory() const;
    void renameChosenCategory(std::string title);
    // "Delete": the chosen category goes, unless "Reminder" is chosen or it is the object's only
    // one; then the selector moves to "Reminder".
    enum class CategoryDeletion { Deleted, ReminderChosen, OnlyCategory };
    CategoryDeletion deleteChosenCategory();

private:
    // The selector again from the object, its current category chosen, and the rows for it.
    void rebuild();
    // The rows for the selector and the mode; the selected row stays selected while there is a
    // row of that index. Listing the reminders alone starts afresh, with nothing selected.
    void refill();
    int findRow(const PanelRow& item) const;

    CHouseObject* m_object = nullptr;
    std::vector<std::string> m_entries;
    int m_entry = -1;
    bool m_showAll = false;
    std::vector<PanelRow> m_rows;
    int m_selected = -1;
};

} // namespace ardenvo
