#include "catalogue/fields/core/CategoryPanelState.h"

#include "documents/core/ObjectDocuments.h"

namespace ardenvo {

void CategoryPanelState::setObject(CHouseObject* object) {
    m_object = object;
    m_selected = -1;
    rebuild();
}

void CategoryPanelState::rebuild() {
    m_entries = m_object ? selectorEntries(*m_object) : std::vector<std::string>{};
    m_entry = m_object ? selectorIndexFor(*m_object) : -1;
    refill();
}

void CategoryPanelState::refill() {
    if (!m_object) {
        m_rows.clear();
        m_selected = -1;
        return;
    }
    if (!m_showAll && reminderChosen())
        m_selected = -1;
    m_rows = panelRows(*m_object, m_entry, m_showAll);
    if (m_selected >= static_cast<int>(m_rows.size()))
        m_selected = -1;
}

int CategoryPanelState::findRow(const PanelRow& item) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].sameItem(item))
            return static_cast<int>(i);
    return -1;
}

void CategoryPanelState::chooseEntry(int index) {
    if (!m_object || index < 0 || index >= static_cast<int>(m_entries.size()))
        return;
    m_entry = index;
    if (!reminderChosen())
        m_object->categoryAt(index);
    m_selected = -1;
    refill();
}

void CategoryPanelState::setShowAll(bool on) {
    const std::optional<PanelRow> selected =
        m_selected >= 0 ? std::optional(m_rows[static_cast<std::size_t>(m_selected)])
                        : std::nullopt;
    m_showAll = on;
    refill();
    m_selected = selected ? findRow(*selected) : -1;
}

void CategoryPanelState::selectRow(int row) {
    m_selected = row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
    if (!m_object || !m_showAll || m_selected < 0)
        return;
    const PanelRow& selected = m_rows[static_cast<std::size_t>(m_selected)];
    if (selected.isReminder()) {
        m_entry = static_cast<int>(m_entries.size()) - 1;
    } else {
        m_entry = selected.category;
        m_object->categoryAt(selected.category);
    }
}

bool CategoryPanelState::editSelectedAttribute(AttributePart part, std::string text) {
    if (!m_object || m_selected < 0)
        return false;
    PanelRow& shown = m_rows[static_cast<std::size_t>(m_selected)];
    if (shown.isReminder())
        return false;
    CFieldList* category = m_object->categoryAt(shown.category);
    if (!category || shown.position >= static_cast<int>(category->size()))
        return false;
    CField& field = category->entryAt(static_cast<std::size_t>(shown.position));
    std::string& shownText = part == AttributePart::Name ? shown.second : shown.third;
    shownText = std::move(text);
    (part == AttributePart::Name ? field.name : field.value) = shownText;
    return true;
}

CReminder* CategoryPanelState::selectedReminder() const {
    if (!m_object || m_selected < 0)
        return nullptr;
    const PanelRow& shown = m_rows[static_cast<std::size_t>(m_selected)];
    if (!shown.isReminder() || shown.position >= static_cast<int>(m_object->reminders().size()))
        return nullptr;
    return m_object->reminders()[static_cast<std::size_t>(shown.position)].get();
}

void CategoryPanelState::selectedReminderStored() {
    CReminder* reminder = selectedReminder();
    if (!reminder)
        return;
    reminder->objectName = m_object->name;
    PanelRow& shown = m_rows[static_cast<std::size_t>(m_selected)];
    shown = reminderRow(*reminder, shown.position);
}

int CategoryPanelState::addAttribute(std::string name, std::string value) {
    CFieldList* category = chosenCategory();
    if (!category)
        return -1;
    category->append(std::move(name), std::move(value), category->title);
    refill();
    m_selected = -1;
    PanelRow added;
    added.category = m_entry;
    added.position = static_cast<int>(category->size()) - 1;
    return findRow(added);
}

int CategoryPanelState::addReminder(std::unique_ptr<CReminder> reminder) {
    if (!m_object || !reminder)
        return -1;
    reminder->objectName = m_object->name;
    m_object->addReminder(std::move(reminder));
    m_rows = panelRows(*m_object, m_entry, m_showAll);
    m_selected = -1;
    return static_cast<int>(m_rows.size()) - 1;
}

bool CategoryPanelState::deleteSelected() {
    if (!m_object || m_selected < 0)
        return false;
    const PanelRow doomed = m_rows[static_cast<std::size_t>(m_selected)];
    if (doomed.isReminder()) {
        const auto& reminders = m_object->reminders();
        if (doomed.position < static_cast<int>(reminders.size()))
            m_object->removeReminder(reminders[static_cast<std::size_t>(doomed.position)].get());
    } else if (CFieldList* category = m_object->categoryAt(doomed.category)) {
        category->deleteEntryAt(static_cast<std::size_t>(doomed.position));
    }
    m_selected = -1;
    m_rows = panelRows(*m_object, m_entry, m_showAll);
    return true;
}

int CategoryPanelState::attachDocument(std::string name, std::string fileName) {
    if (!m_object)
        return -1;
    const int category = ardenvo::attachDocument(*m_object, name, fileName);
    rebuild();
    PanelRow added;
    added.category = category;
    added.position =
        static_cast<int>(m_object->categories()[static_cast<std::size_t>(category)]->size()) - 1;
    m_selected = findRow(added);
    return m_selected;
}

bool CategoryPanelState::isDocumentRow(int row) const {
    if (!m_object || row < 0 || row >= static_cast<int>(m_rows.size()))
        return false;
    const PanelRow& shown = m_rows[static_cast<std::size_t>(row)];
    const auto& categories = m_object->categories();
    return !shown.isReminder() && shown.category >= 0 &&
           shown.category < static_cast<int>(categories.size()) &&
           isDocumentsCategory(*categories[static_cast<std::size_t>(shown.category)]);
}

bool CategoryPanelState::addCategory(
    const std::function<std::optional<std::string>(const CFieldList& added)>& name) {
    if (!m_object)
        return false;
    const int before = m_object->currentCategory();
    CFieldList& added = m_object->addCategory();
    const std::optional<std::string> chosen = name ? name(added) : std::nullopt;
    const bool named = chosen && !chosen->empty();
    if (named) {
        added.title = *chosen;
    } else {
        m_object->deleteCategory(-1);
        if (before >= 0 && before < static_cast<int>(m_object->categories().size()))
            m_object->categoryAt(before);
    }
    m_selected = -1;
    rebuild();
    return named;
}

FileError CategoryPanelState::addCategoryFromFile(const std::string& path) {
    if (!m_object)
        return FileError::OpenFailed;
    if (const FileError error = ardenvo::addCategoryFromFile(*m_object, path);
        error != FileError::None)
        return error;
    m_selected = -1;
    rebuild();
    return FileError::None;
}

CFieldList* CategoryPanelState::currentCategory() const {
    return m_object ? m_object->categoryAt(-1) : nullptr;
}

FileError CategoryPanelState::saveCurrentCategory(const std::string& path, bool withValues) {
    CFieldList* category = currentCategory();
    if (!category)
        return FileError::OpenFailed;
    return saveCategoryToFile(*category, path, withValues);
}

CFieldList* CategoryPanelState::chosenCategory() const {
    if (!m_object || reminderChosen() || m_entry < 0 ||
        m_entry >= static_cast<int>(m_object->categories().size()))
        return nullptr;
    return m_object->categories()[static_cast<std::size_t>(m_entry)].get();
}

void CategoryPanelState::renameChosenCategory(std::string title) {
    if (CFieldList* category = chosenCategory()) {
        category->title = std::move(title);
        rebuild();
    }
}

CategoryPanelState::CategoryDeletion CategoryPanelState::deleteChosenCategory() {
    if (!m_object || reminderChosen())
        return CategoryDeletion::ReminderChosen;
    if (m_object->categories().size() > 1) {
        m_object->deleteCategory(m_entry);
        m_selected = -1;
        rebuild();
        return CategoryDeletion::Deleted;
    }
    chooseEntry(static_cast<int>(m_entries.size()) - 1);
    return CategoryDeletion::OnlyCategory;
}

} // namespace ardenvo
