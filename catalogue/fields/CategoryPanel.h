#pragma once

#include "catalogue/fields/FieldPanelSettings.h"
#include "catalogue/fields/core/CategoryPanelState.h"

#include <QGroupBox>

#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QWidget;

namespace ardenvo {

class DocumentThumbnailer;
class Prompter;
class ReminderEditor;

// "Custom fields for the selected objects": the categories, attributes and reminders of the
// object selected in the objects dialog's tree. Every change goes into the model at once.
class CategoryPanel : public QGroupBox {
    Q_OBJECT
public:
    // Prepares the panel as the dialog opens: list columns, the attribute editor shown, the
    // reminder editor holding the values of a reminder made now. Its questions, messages and file
    // dialogs go through `prompter`.
    explicit CategoryPanel(Prompter& prompter, FieldPanelSettings settings = {},
                           QWidget* parent = nullptr);

    // The tree's selection changed; nullptr for the root "Floor" (selector and list emptied).
    // The panel works on `object` until the next call: tell it nullptr before deleting it.
    void selectionChanged(CHouseObject* object);
    // Enabled while the tree's selected item is an object.
    void setControlsEnabled(bool enabled);
    CHouseObject* object() const { return m_state.object(); }

    QTreeWidget* attributeList() const { return m_list; }
    QComboBox* categorySelector() const { return m_selector; }
    QCheckBox* showAllBox() const { return m_showAll; }
    QPushButton* optionsButton() const { return m_options; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* deleteButton() const { return m_delete; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* detailsEdit() const { return m_details; }
    ReminderEditor* reminderEditor() const { return m_reminder; }
    // "Attach document...", and what a selected document row shows: its first page, what it is
    // or that its file is missing, and "Open".
    QPushButton* attachButton() const { return m_attach; }
    QWidget* documentBox() const { return m_documentBox; }
    QLabel* documentPicture() const { return m_documentPicture; }
    QLabel* documentStatus() const { return m_documentStatus; }
    QPushButton* openButton() const { return m_open; }
    DocumentThumbnailer* thumbnailer() const { return m_thumbnailer; }
    // The "Category" menu that "Options" opens, and its entries.
    QMenu* categoryMenu() const { return m_menu; }
    QAction* addCategoryAction() const { return m_addCategory; }
    QAction* addFromFileAction() const { return m_addFromFile; }
    QAction* saveWithValuesAction() const { return m_saveWithValues; }
    QAction* saveWithoutValuesAction() const { return m_saveWithoutValues; }
    QAction* renameAction() const { return m_rename; }
    QAction* deleteCategoryAction() const { return m_deleteCategory; }

    // Whether the selector shows "Reminder".
    bool reminderSelected() const { return m_state.reminderChosen(); }
    // The rows the list shows, with what each stands for.
    const std::vector<PanelRow>& rows() const { return m_state.rows(); }
    // The list's selected row's index, or -1.
    int selectedRow() const;

signals:
    // Sent after every change the panel made to the model.
    void modelChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void buildMenu();
    // What the state holds, shown: the selector's entries and choice, the list's rows (rewritten
    // in place, so that a row still shown keeps its selection) and its selection.
    void showSelector();
    void setSelectorIndex(int index);
    void showRows();
    void clearListSelection();
    // After "Add": the new row scrolled into view, nothing selected.
    void showAddedRow(int row);
    void setRowTexts(int row, const PanelRow& texts);
    // Editors
    void refreshEditors();
    void loadFromSelectedRow();
    void clearEditorTexts();
    void emptyEditorsAfterDelete();
    // User actions, forwarded to the state
    void entryChosen(int index);
    void rowSelectionChanged();
    void clearSelectionByRightClick();
    void storeSelectedReminder();
    void attributeEdited(const QString& text, CategoryPanelState::AttributePart part);
    void addClicked();
    void deleteClicked();
    void showAllClicked();
    // The "Category" menu
    void addNewCategory();
    void addFromFile();
    void saveCategory(bool withValues);
    void renameCategory();
    void deleteCategory();
    void showError(const QString& text);
    // Documents
    QWidget* buildDocumentBox(QWidget* parent);
    void attachDocument();
    void openSelectedDocument();
    // The file a document row names, or empty when its name is refused (`problem` says why).
    QString documentPath(int row, QString* problem = nullptr);
    // The small first pages in the list's rows, and the box of the selected one.
    void showDocuments();

    Prompter& m_prompter;
    FieldPanelSettings m_settings;
    CategoryPanelState m_state;
    bool m_updating = false; // set while the panel itself changes controls

    QTreeWidget* m_list = nullptr;
    QComboBox* m_selector = nullptr;
    QCheckBox* m_showAll = nullptr;
    QPushButton* m_options = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QStackedWidget* m_editors = nullptr; // the attribute editor or the reminder's fields
    QWidget* m_attributeEditor = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_details = nullptr;
    ReminderEditor* m_reminder = nullptr;
    QStackedWidget* m_lower = nullptr; // the periodical settings, or the selected document
    QPushButton* m_attach = nullptr;
    QWidget* m_documentBox = nullptr;
    QLabel* m_documentPicture = nullptr;
    QLabel* m_documentStatus = nullptr;
    QPushButton* m_open = nullptr;
    DocumentThumbnailer* m_thumbnailer = nullptr;
    QString m_documentDialogFolder;
    QMenu* m_menu = nullptr;
    QAction* m_addCategory = nullptr;
    QAction* m_addFromFile = nullptr;
    QAction* m_saveWithValues = nullptr;
    QAction* m_saveWithoutValues = nullptr;
    QAction* m_rename = nullptr;
    QAction* m_deleteCategory = nullptr;
};

} // namespace ardenvo
