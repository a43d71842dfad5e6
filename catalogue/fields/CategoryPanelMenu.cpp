// The "Category" menu of the category panel and its field-file commands.
#include "catalogue/fields/CategoryPanel.h"

#include "model/CHouseObject.h"
#include "widgets/Prompter.h"

#include <QComboBox>
#include <QFile>
#include <QMenu>

namespace ardenvo {

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

void CategoryPanel::buildMenu() {
    m_menu = new QMenu(tr("Category"), this);
    m_addCategory =
        m_menu->addAction(tr("Add &new category"), this, &CategoryPanel::addNewCategory);
    m_addFromFile = m_menu->addAction(tr("Add from &file..."), this, &CategoryPanel::addFromFile);
    QMenu* save = m_menu->addMenu(tr("&Save"));
    m_saveWithValues =
        save->addAction(tr("Save &with values..."), this, [this] { saveCategory(true); });
    m_saveWithoutValues =
        save->addAction(tr("Save with&out values..."), this, [this] { saveCategory(false); });
    m_rename = m_menu->addAction(tr("&Rename..."), this, &CategoryPanel::renameCategory);
    m_deleteCategory = m_menu->addAction(tr("&Delete"), this, &CategoryPanel::deleteCategory);
}

void CategoryPanel::showError(const QString& text) {
    m_prompter.message(this, {text, Prompter::Icon::Stop, Prompter::Title::Error, {}});
}

void CategoryPanel::addNewCategory() {
    CHouseObject* object = m_state.object();
    if (!object)
        return;
    // Cancel leaves everything as it was, the current category included.
    const bool added = m_state.addCategory([this, object](const CFieldList& category) {
        return askCategoryName(this, m_settings, *object, &category, std::string("Category"));
    });
    showSelector();
    showRows();
    emptyEditorsAfterDelete();
    if (added)
        emit modelChanged();
}

void CategoryPanel::addFromFile() {
    if (!m_state.object())
        return;
    const QString path = askFieldFile(m_prompter, this, m_settings, FieldFileUse::Read);
    if (path.isEmpty())
        return;
    if (const FileError error = m_state.addCategoryFromFile(localPath(path));
        error != FileError::None) {
        showError(
            error == FileError::OpenFailed
                ? tr("The field file \"%1\" could not be opened. No category was added.").arg(path)
                : tr("The file \"%1\" is not a field file, or it is damaged. No category "
                     "was added.")
                      .arg(path));
        return;
    }
    showSelector();
    showRows();
    emptyEditorsAfterDelete();
    emit modelChanged();
}

void CategoryPanel::saveCategory(bool withValues) {
    if (!m_state.currentCategory())
        return;
    const QString path = askFieldFile(m_prompter, this, m_settings, FieldFileUse::Write);
    if (path.isEmpty())
        return;
    if (m_state.saveCurrentCategory(localPath(path), withValues) != FileError::None)
        showError(tr("The field file \"%1\" could not be written. A file already there is left "
                     "as it was.")
                      .arg(path));
}

void CategoryPanel::renameCategory() {
    if (!m_state.object())
        return;
    if (m_state.reminderChosen()) {
        showError(tr("Reminder can't be renamed"));
        return;
    }
    const CFieldList* category = m_state.chosenCategory();
    if (!category)
        return;
    const auto name =
        askCategoryName(this, m_settings, *m_state.object(), category, category->title.str());
    if (!name || name->empty())
        return;
    m_state.renameChosenCategory(*name);
    showSelector();
    showRows();
    loadFromSelectedRow();
    refreshEditors();
    emit modelChanged();
}

void CategoryPanel::deleteCategory() {
    if (!m_state.object())
        return;
    switch (m_state.deleteChosenCategory()) {
    case CategoryPanelState::CategoryDeletion::ReminderChosen:
        showError(tr("Reminder can't be deleted"));
        return;
    case CategoryPanelState::CategoryDeletion::Deleted:
        showSelector();
        showRows();
        emptyEditorsAfterDelete();
        emit modelChanged();
        return;
    case CategoryPanelState::CategoryDeletion::OnlyCategory:
        // The selector has moved to "Reminder" instead.
        m_prompter.message(this,
                           {tr("Reminder attribute can't be deleted from the list of categories"),
                            Prompter::Icon::Warning,
                            Prompter::Title::Application,
                            {}});
        setSelectorIndex(m_state.entry());
        showRows();
        refreshEditors();
        clearEditorTexts();
        return;
    }
}

} // namespace ardenvo
