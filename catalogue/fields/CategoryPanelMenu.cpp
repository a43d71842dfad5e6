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
    m_menu = new QMenu(QStringLiteral("Category"), this);
    m_addCategory = m_menu->addAction("Add new category", this, &CategoryPanel::addNewCategory);
    m_addFromFile = m_menu->addAction("Add from file...", this, &CategoryPanel::addFromFile);
    QMenu* save = m_menu->addMenu("Save");
    m_saveWithValues = save->addAction("Save with values...", this, [this] { saveCategory(true); });
    m_saveWithoutValues =
        save->addAction("Save without values...", this, [this] { saveCategory(false); });
    m_rename = m_menu->addAction("Rename...", this, &CategoryPanel::renameCategory);
    m_deleteCategory = m_menu->addAction("Delete", this, &CategoryPanel::deleteCategory);
}

void CategoryPanel::showError(const QString& text) {
    m_prompter.message(this, {text, Prompter::Icon::Stop, Prompter::Title::Error});
}

void CategoryPanel::addNewCategory() {
    if (!m_object)
        return;
    const int before = m_object->currentCategory();
    CFieldList& added = m_object->addCategory();
    const auto name = askCategoryName(this, m_settings, *m_object, &added, std::string("Category"));
    if (name && !name->empty()) {
        added.title = *name;
    } else {
        m_object->deleteCategory(-1);
        // Cancel leaves everything as it was, the current category included.
        if (before >= 0 && before < static_cast<int>(m_object->categories().size()))
            m_object->categoryAt(before);
    }
    rebuildSelector();
    emptyEditorsAfterDelete();
    if (name && !name->empty())
        emit modelChanged();
}

void CategoryPanel::addFromFile() {
    if (!m_object)
        return;
    const QString path = askFieldFile(m_prompter, this, m_settings, FieldFileUse::Read);
    if (path.isEmpty())
        return;
    if (const FileError error = addCategoryFromFile(*m_object, localPath(path));
        error != FileError::None) {
        showError(QString::fromStdString(fieldFileReadError(error, path.toStdString())));
        return;
    }
    rebuildSelector();
    emptyEditorsAfterDelete();
    emit modelChanged();
}

void CategoryPanel::saveCategory(bool withValues) {
    if (!m_object)
        return;
    CFieldList* category = m_object->categoryAt(-1);
    if (!category)
        return;
    const QString path = askFieldFile(m_prompter, this, m_settings, FieldFileUse::Write);
    if (path.isEmpty())
        return;
    if (saveCategoryToFile(*category, localPath(path), withValues) != FileError::None)
        showError(QString::fromStdString(fieldFileWriteError(path.toStdString())));
}

void CategoryPanel::renameCategory() {
    if (!m_object)
        return;
    if (reminderSelected()) {
        showError(QStringLiteral("Reminder can't be renamed"));
        return;
    }
    CFieldList* category = m_object->categoryAt(m_selector->currentIndex());
    if (!category)
        return;
    const auto name = askCategoryName(this, m_settings, *m_object, category, category->title);
    if (!name || name->empty())
        return;
    category->title = *name;
    rebuildSelector();
    refreshEditors();
    emit modelChanged();
}

void CategoryPanel::deleteCategory() {
    if (!m_object)
        return;
    if (reminderSelected()) {
        showError(QStringLiteral("Reminder can't be deleted"));
        return;
    }
    if (m_object->categories().size() > 1) {
        m_object->deleteCategory(m_selector->currentIndex());
        rebuildSelector();
        emptyEditorsAfterDelete();
        emit modelChanged();
        return;
    }
    m_prompter.message(
        this, {QStringLiteral("Reminder attribute can't be deleted from the list of categories"),
               Prompter::Icon::Warning, Prompter::Title::Application});
    const int before = m_selector->currentIndex();
    setSelectorIndex(m_selector->count() - 1);
    applySelector(before);
}

} // namespace ardenvo
