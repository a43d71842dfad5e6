#include "catalogue/fields/CategoryPanel.h"

#include "catalogue/fields/PanelIcons.h"
#include "model/CHouseObject.h"
#include "platform/TextCodec.h"
#include "widgets/Prompter.h"
#include "widgets/ReminderEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <initializer_list>

namespace ardenvo {

namespace {

// Restores a flag on leaving a scope, so that nested updates keep the outer one's setting.
class UpdateGuard {
public:
    explicit UpdateGuard(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~UpdateGuard() { m_flag = m_old; }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

} // namespace

CategoryPanel::CategoryPanel(Prompter& prompter, FieldPanelSettings settings, QWidget* parent)
    : QGroupBox(tr("Custom fields for the selected objects"), parent),
      m_prompter(prompter), m_settings(std::move(settings)) {
    buildLayout();
    buildMenu();

    connect(m_selector, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating)
            entryChosen(index);
    });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_updating)
            rowSelectionChanged();
    });
    connect(m_showAll, &QCheckBox::toggled, this, &CategoryPanel::showAllClicked);
    connect(m_add, &QPushButton::clicked, this, &CategoryPanel::addClicked);
    connect(m_delete, &QPushButton::clicked, this, &CategoryPanel::deleteClicked);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        attributeEdited(text, CategoryPanelState::AttributePart::Name);
    });
    connect(m_details, &QLineEdit::textEdited, this, [this](const QString& text) {
        attributeEdited(text, CategoryPanelState::AttributePart::Value);
    });
    connect(m_reminder, &ReminderEditor::edited, this, &CategoryPanel::storeSelectedReminder);
    connect(m_reminder, &ReminderEditor::modeChanged, this, &CategoryPanel::refreshEditors);
    connect(m_options, &QPushButton::clicked, this, [this] {
        // At the pointer, as a context menu; below the button when the keyboard pressed it.
        const QPoint pointer = QCursor::pos();
        const bool overButton = m_options->rect().contains(m_options->mapFromGlobal(pointer));
        m_menu->exec(overButton ? pointer : m_options->mapToGlobal(m_options->rect().bottomLeft()));
    });

    refreshEditors();
}

void CategoryPanel::buildLayout() {
    m_list = new QTreeWidget(this);
    m_list->setObjectName("attributeList");
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({tr("Category"), tr("Name"), tr("Details")});
    m_list->setAccessibleName(tr("Custom fields"));
    // Category and name as wide as their longest text ("Insurance value"), details the rest.
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);

    m_selector = new QComboBox(this);
    m_selector->setObjectName("categorySelector");
    m_selector->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_showAll = new QCheckBox(tr("Show all &category items"), this);
    m_options = new QPushButton(tr("&Options"), this);
    auto* categoryLabel = new QLabel(tr("Categor&y:"), this);
    categoryLabel->setBuddy(m_selector);

    m_attributeEditor = new QWidget(this);
    m_name = new QLineEdit(m_attributeEditor);
    m_name->setObjectName("nameEdit");
    m_details = new QLineEdit(m_attributeEditor);
    m_details->setObjectName("detailsEdit");
    auto* attributeForm = new QFormLayout(m_attributeEditor);
    attributeForm->setContentsMargins(0, 0, 0, 0);
    attributeForm->addRow(tr("&Name:"), m_name);
    attributeForm->addRow(tr("Detail&s:"), m_details);

    auto* details = new QGroupBox(tr("Details"), this);
    m_reminder = new ReminderEditor(details);
    // One place for either editor, as tall as the taller one, so that choosing "Reminder" never
    // moves the rest of the dialog.
    m_editors = new QStackedWidget(details);
    m_editors->addWidget(m_attributeEditor);
    m_editors->addWidget(m_reminder->fieldsWidget());
    // Below them the periodical settings, or, for a document, its first page and "Open".
    m_lower = new QStackedWidget(details);
    m_lower->addWidget(m_reminder->periodicalGroup());
    m_lower->addWidget(buildDocumentBox(details));
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->addWidget(m_editors);
    detailsLayout->addWidget(m_lower);
    detailsLayout->addStretch(1);

    m_add = new QPushButton(addFieldIcon(), tr("A&dd"), this);
    m_add->setToolTip(tr("Add a new custom field"));
    m_delete = new QPushButton(deleteFieldIcon(), tr("Dele&te"), this);
    m_delete->setToolTip(tr("Delete the selected field"));

    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(categoryLabel);
    selectorRow->addWidget(m_selector, 1);
    selectorRow->addWidget(m_showAll);
    selectorRow->addWidget(m_options);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_attach);
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_add);
    buttonRow->addWidget(m_delete);
    auto* right = new QVBoxLayout;
    right->addLayout(selectorRow);
    right->addWidget(details, 1);
    right->addLayout(buttonRow);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 3);
    layout->addLayout(right, 2);
}

// ---- showing the state ----

int CategoryPanel::selectedRow() const {
    const auto selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

void CategoryPanel::setControlsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_list, m_selector, m_showAll, m_options,
                                                      m_add, m_delete, m_name, m_details, m_attach})
        w->setEnabled(enabled);
    m_reminder->setInputsEnabled(enabled);
}

void CategoryPanel::showSelector() {
    const UpdateGuard guard(m_updating);
    m_selector->clear();
    // The last entry, "Reminder", is the panel's own; the others are the house's categories.
    const auto& entries = m_state.entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        m_selector->addItem(i + 1 == entries.size() ? tr(kReminderEntry) : displayText(entries[i]));
    m_selector->setCurrentIndex(m_state.entry());
}

void CategoryPanel::setSelectorIndex(int index) {
    const UpdateGuard guard(m_updating);
    m_selector->setCurrentIndex(index);
}

void CategoryPanel::setRowTexts(int row, const PanelRow& texts) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    item->setText(0, texts.isReminder() ? tr(kReminderEntry) : displayText(texts.first));
    item->setText(1, displayText(texts.second));
    item->setText(2, displayText(texts.third));
}

void CategoryPanel::showRows() {
    const UpdateGuard guard(m_updating);
    const auto& rows = m_state.rows();
    const int wanted = static_cast<int>(rows.size());
    while (m_list->topLevelItemCount() > wanted)
        delete m_list->takeTopLevelItem(m_list->topLevelItemCount() - 1);
    while (m_list->topLevelItemCount() < wanted)
        m_list->addTopLevelItem(new QTreeWidgetItem);
    for (int i = 0; i < wanted; ++i)
        setRowTexts(i, rows[static_cast<std::size_t>(i)]);
    // The list selects a neighbour of a removed selected row; only the state's row is selected.
    const int selected = m_state.selectedRow();
    if (selectedRow() != selected) {
        m_list->clearSelection();
        if (selected >= 0)
            m_list->topLevelItem(selected)->setSelected(true);
    }
    showDocuments();
}

void CategoryPanel::clearListSelection() {
    {
        const UpdateGuard guard(m_updating);
        m_list->clearSelection();
        m_list->setCurrentItem(nullptr);
    }
    showDocuments();
}

void CategoryPanel::showAddedRow(int row) {
    // Shown but not selected: what the user types next starts a new entry instead of renaming
    // the one just added.
    clearListSelection();
    if (row >= 0 && row < m_list->topLevelItemCount())
        m_list->scrollToItem(m_list->topLevelItem(row));
}

// ---- editors ----

void CategoryPanel::refreshEditors() {
    const bool reminder = m_state.reminderChosen();
    m_editors->setCurrentWidget(reminder ? m_reminder->fieldsWidget() : m_attributeEditor);
    m_reminder->updateEnabling(reminder);
}

void CategoryPanel::loadFromSelectedRow() {
    if (m_state.reminderChosen()) {
        // Without a selected reminder the editor keeps its values, ready for "Add".
        if (const CReminder* reminder = m_state.selectedReminder())
            m_reminder->load(*reminder);
        return;
    }
    const int row = m_state.selectedRow();
    const PanelRow* selected = row >= 0 ? &m_state.rows()[static_cast<std::size_t>(row)] : nullptr;
    const bool attribute = selected && !selected->isReminder();
    m_name->setText(attribute ? displayText(selected->second) : QString());
    m_details->setText(attribute ? displayText(selected->third) : QString());
}

void CategoryPanel::clearEditorTexts() {
    m_name->clear();
    m_details->clear();
    m_reminder->clearNotes();
}

void CategoryPanel::emptyEditorsAfterDelete() {
    m_name->clear();
    m_details->clear();
    m_reminder->clearAfterDelete();
    refreshEditors();
}

// ---- user actions ----

void CategoryPanel::selectionChanged(CHouseObject* object) {
    m_state.setObject(object);
    showSelector();
    showRows();
    // Another object starts with nothing selected and empty boxes, however many rows it has, so
    // that typing never changes an attribute the user did not pick.
    clearListSelection();
    clearEditorTexts();
    refreshEditors();
}

void CategoryPanel::entryChosen(int index) {
    m_state.chooseEntry(index);
    showRows();
    refreshEditors();
    clearEditorTexts();
}

void CategoryPanel::rowSelectionChanged() {
    // The selector follows the row with show-all on.
    m_state.selectRow(selectedRow());
    setSelectorIndex(m_state.entry());
    loadFromSelectedRow();
    refreshEditors();
    showDocuments();
}

void CategoryPanel::clearSelectionByRightClick() {
    m_state.selectRow(-1);
    showRows();
    loadFromSelectedRow();
    refreshEditors();
}

void CategoryPanel::storeSelectedReminder() {
    CReminder* reminder = m_state.selectedReminder();
    if (!reminder)
        return;
    m_reminder->store(*reminder);
    m_state.selectedReminderStored();
    const int row = m_state.selectedRow();
    setRowTexts(row, m_state.rows()[static_cast<std::size_t>(row)]);
    emit modelChanged();
}

void CategoryPanel::attributeEdited(const QString& text, CategoryPanelState::AttributePart part) {
    if (!m_state.editSelectedAttribute(part, storedText(text)))
        return;
    const int column = part == CategoryPanelState::AttributePart::Name ? 1 : 2;
    m_list->topLevelItem(m_state.selectedRow())->setText(column, text);
    showDocuments();
    emit modelChanged();
}

void CategoryPanel::addClicked() {
    if (!m_state.object())
        return;
    if (m_state.reminderChosen()) {
        auto reminder = std::make_unique<CReminder>(m_reminder->start());
        m_reminder->store(*reminder);
        const int row = m_state.addReminder(std::move(reminder));
        showRows();
        showAddedRow(row);
        // The date and periodical settings stay, as a start for the next reminder.
        m_reminder->clearNotes();
        m_reminder->notesBox()->setFocus(Qt::OtherFocusReason);
        emit modelChanged();
        return;
    }
    const int row = m_state.addAttribute(storedText(m_name->text()), storedText(m_details->text()));
    if (row < 0)
        return;
    showRows();
    showAddedRow(row);
    m_name->clear();
    m_details->clear();
    m_name->setFocus(Qt::OtherFocusReason);
    emit modelChanged();
}

void CategoryPanel::deleteClicked() {
    if (!m_state.object() || m_state.selectedRow() < 0)
        return;
    if (!askBeforeLoss(m_prompter, this, tr("Record will be deleted. Are you sure?")))
        return;
    m_state.deleteSelected();
    showRows();
    emptyEditorsAfterDelete();
    emit modelChanged();
}

void CategoryPanel::showAllClicked() {
    m_state.setShowAll(m_showAll->isChecked());
    showRows();
    if (const int row = m_state.selectedRow(); row >= 0) {
        const UpdateGuard guard(m_updating);
        m_list->setCurrentItem(m_list->topLevelItem(row));
        m_list->scrollToItem(m_list->topLevelItem(row));
    }
    refreshEditors();
}

bool CategoryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        clearSelectionByRightClick();
        return true;
    }
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteClicked();
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace ardenvo
