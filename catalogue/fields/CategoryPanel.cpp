#include "catalogue/fields/CategoryPanel.h"

#include "catalogue/fields/PanelIcons.h"
#include "model/CHouseObject.h"
#include "model/ReminderSchedule.h"
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
    : QGroupBox(QStringLiteral("Custom fields for the selected objects"), parent),
      m_prompter(prompter), m_settings(std::move(settings)) {
    buildLayout();
    buildMenu();

    connect(m_selector, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_updating)
            applySelector(-2); // any user choice is a change of entry
    });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_updating)
            rowSelectionChanged();
    });
    connect(m_showAll, &QCheckBox::clicked, this, &CategoryPanel::showAllClicked);
    connect(m_add, &QPushButton::clicked, this, &CategoryPanel::addClicked);
    connect(m_delete, &QPushButton::clicked, this, &CategoryPanel::deleteClicked);
    connect(m_name, &QLineEdit::textEdited, this, &CategoryPanel::nameEdited);
    connect(m_details, &QLineEdit::textEdited, this, &CategoryPanel::detailsEdited);
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
    m_list->setHeaderLabels({"Category", "Name", "Details"});
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
    m_showAll = new QCheckBox("Show all category items", this);
    m_options = new QPushButton("Options", this);
    auto* categoryLabel = new QLabel("Category:", this);
    categoryLabel->setBuddy(m_selector);

    m_attributeEditor = new QWidget(this);
    m_name = new QLineEdit(m_attributeEditor);
    m_name->setObjectName("nameEdit");
    m_details = new QLineEdit(m_attributeEditor);
    m_details->setObjectName("detailsEdit");
    auto* attributeForm = new QFormLayout(m_attributeEditor);
    attributeForm->setContentsMargins(0, 0, 0, 0);
    attributeForm->addRow("Name:", m_name);
    attributeForm->addRow("Details:", m_details);

    auto* details = new QGroupBox("Details", this);
    m_reminder = new ReminderEditor(details);
    // One place for either editor, as tall as the taller one, so that choosing "Reminder" never
    // moves the rest of the dialog.
    m_editors = new QStackedWidget(details);
    m_editors->addWidget(m_attributeEditor);
    m_editors->addWidget(m_reminder->fieldsWidget());
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->addWidget(m_editors);
    detailsLayout->addWidget(m_reminder->periodicalGroup());
    detailsLayout->addStretch(1);

    m_add = new QPushButton(addFieldIcon(), "Add", this);
    m_add->setToolTip("Add a new custom field");
    m_delete = new QPushButton(deleteFieldIcon(), "Delete", this);
    m_delete->setToolTip("Delete the selected field");

    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(categoryLabel);
    selectorRow->addWidget(m_selector, 1);
    selectorRow->addWidget(m_showAll);
    selectorRow->addWidget(m_options);
    auto* buttonRow = new QHBoxLayout;
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

// ---- selector and list ----

bool CategoryPanel::reminderSelected() const {
    return isReminderEntry(m_selector->currentIndex(), m_selector->count());
}

int CategoryPanel::selectedRow() const {
    const auto selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

void CategoryPanel::selectionChanged(CHouseObject* object) {
    m_object = object;
    clearListSelection();
    if (object) {
        rebuildSelector();
        applySelector(m_selector->currentIndex());
    } else {
        const UpdateGuard guard(m_updating);
        m_selector->clear();
        showRows({});
    }
    // Another object starts with nothing selected and empty boxes, however many rows it has, so
    // that typing never changes an attribute the user did not pick.
    clearListSelection();
    m_name->clear();
    m_details->clear();
    m_reminder->clearNotes();
    refreshEditors();
}

void CategoryPanel::clearListSelection() {
    const UpdateGuard guard(m_updating);
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
}

void CategoryPanel::setControlsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_list, m_selector, m_showAll, m_options,
                                                      m_add, m_delete, m_name, m_details})
        w->setEnabled(enabled);
    m_reminder->setInputsEnabled(enabled);
}

void CategoryPanel::setSelectorIndex(int index) {
    const UpdateGuard guard(m_updating);
    m_selector->setCurrentIndex(index);
}

void CategoryPanel::rebuildSelector() {
    {
        const UpdateGuard guard(m_updating);
        m_selector->clear();
        if (m_object) {
            for (const std::string& entry : selectorEntries(*m_object))
                m_selector->addItem(displayText(entry));
            m_selector->setCurrentIndex(selectorIndexFor(*m_object));
        }
    }
    refillList();
    if (!reminderSelected())
        loadFromSelectedRow();
}

void CategoryPanel::applySelector(int previousIndex) {
    const int index = m_selector->currentIndex();
    if (m_object && !reminderSelected() && index >= 0)
        m_object->categoryAt(index); // a real category becomes current; "Reminder" leaves it
    refillList();
    refreshEditors();
    if (index != previousIndex) {
        {
            const UpdateGuard guard(m_updating);
            m_list->clearSelection();
        }
        m_name->clear();
        m_details->clear();
        m_reminder->clearNotes();
    }
}

void CategoryPanel::refillList() {
    if (!m_object) {
        showRows({});
        return;
    }
    const bool showAll = m_showAll->isChecked();
    if (!showAll && reminderSelected()) {
        // Listing the reminders alone starts from an empty list.
        const UpdateGuard guard(m_updating);
        m_list->clear();
        m_rows.clear();
    }
    showRows(panelRows(*m_object, m_selector->currentIndex(), showAll));
}

void CategoryPanel::setRowTexts(int row, const PanelRow& texts) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    item->setText(0, displayText(texts.first));
    item->setText(1, displayText(texts.second));
    item->setText(2, displayText(texts.third));
}

void CategoryPanel::showRows(std::vector<PanelRow> rows) {
    // Rows are rewritten in place, so that a row still shown keeps its selection.
    const UpdateGuard guard(m_updating);
    const int wanted = static_cast<int>(rows.size());
    const int selected = selectedRow();
    while (m_list->topLevelItemCount() > wanted)
        delete m_list->takeTopLevelItem(m_list->topLevelItemCount() - 1);
    while (m_list->topLevelItemCount() < wanted)
        m_list->addTopLevelItem(new QTreeWidgetItem);
    for (int i = 0; i < wanted; ++i)
        setRowTexts(i, rows[static_cast<std::size_t>(i)]);
    m_rows = std::move(rows);
    // The list selects a neighbour of a removed selected row; only a kept row stays selected.
    if (selected >= wanted || selectedRow() != selected) {
        m_list->clearSelection();
        m_list->setCurrentItem(nullptr);
        if (selected >= 0 && selected < wanted)
            m_list->topLevelItem(selected)->setSelected(true);
    }
}

void CategoryPanel::selectRow(int row) {
    const UpdateGuard guard(m_updating);
    m_list->clearSelection();
    if (row < 0 || row >= m_list->topLevelItemCount())
        return;
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    item->setSelected(true);
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

int CategoryPanel::findRow(const PanelRow& item) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].sameItem(item))
            return static_cast<int>(i);
    return -1;
}

// ---- editors ----

void CategoryPanel::refreshEditors() {
    const bool reminder = reminderSelected();
    m_editors->setCurrentWidget(reminder ? m_reminder->fieldsWidget() : m_attributeEditor);
    m_reminder->updateEnabling(reminder);
}

void CategoryPanel::loadFromSelectedRow() {
    const int row = selectedRow();
    const PanelRow* selected = row >= 0 ? &m_rows[static_cast<std::size_t>(row)] : nullptr;
    if (reminderSelected()) {
        // Without a selected reminder the editor keeps its values, ready for "Add".
        if (m_object && selected && selected->isReminder() &&
            selected->position < static_cast<int>(m_object->reminders().size()))
            m_reminder->load(*m_object->reminders()[static_cast<std::size_t>(selected->position)]);
        return;
    }
    const bool attribute = selected && !selected->isReminder();
    m_name->setText(attribute ? displayText(selected->second) : QString());
    m_details->setText(attribute ? displayText(selected->third) : QString());
}

void CategoryPanel::rowSelectionChanged() {
    const int row = selectedRow();
    if (m_object && m_showAll->isChecked() && row >= 0) {
        // The selector follows the row; only a real category becomes the current one.
        const PanelRow& selected = m_rows[static_cast<std::size_t>(row)];
        if (selected.isReminder()) {
            setSelectorIndex(m_selector->count() - 1);
        } else {
            setSelectorIndex(selected.category);
            m_object->categoryAt(selected.category);
        }
    }
    loadFromSelectedRow();
    refreshEditors();
}

void CategoryPanel::clearSelectionByRightClick() {
    {
        const UpdateGuard guard(m_updating);
        m_list->clearSelection();
    }
    loadFromSelectedRow();
    refreshEditors();
}

void CategoryPanel::emptyEditorsAfterDelete() {
    {
        const UpdateGuard guard(m_updating);
        m_list->clearSelection();
    }
    m_name->clear();
    m_details->clear();
    m_reminder->clearAfterDelete();
    refreshEditors();
}

void CategoryPanel::storeSelectedReminder() {
    const int row = selectedRow();
    if (!m_object || row < 0 || !m_rows[static_cast<std::size_t>(row)].isReminder())
        return;
    PanelRow& shown = m_rows[static_cast<std::size_t>(row)];
    if (shown.position >= static_cast<int>(m_object->reminders().size()))
        return;
    CReminder& reminder = *m_object->reminders()[static_cast<std::size_t>(shown.position)];
    m_reminder->store(reminder);
    reminder.objectName = m_object->name;
    shown = reminderRow(reminder, shown.position);
    setRowTexts(row, shown);
    emit modelChanged();
}

void CategoryPanel::nameEdited(const QString& text) {
    attributeEdited(text, 1);
}

void CategoryPanel::detailsEdited(const QString& text) {
    attributeEdited(text, 2);
}

void CategoryPanel::attributeEdited(const QString& text, int column) {
    const int row = selectedRow();
    if (!m_object || row < 0 || m_rows[static_cast<std::size_t>(row)].isReminder())
        return;
    PanelRow& shown = m_rows[static_cast<std::size_t>(row)];
    CFieldList* category = m_object->categoryAt(shown.category);
    if (!category || shown.position >= static_cast<int>(category->size()))
        return;
    CField& field = category->entryAt(static_cast<std::size_t>(shown.position));
    std::string& shownText = column == 1 ? shown.second : shown.third;
    shownText = storedText(text);
    (column == 1 ? field.name : field.value) = shownText;
    m_list->topLevelItem(row)->setText(column, text);
    emit modelChanged();
}

// ---- buttons ----

void CategoryPanel::addClicked() {
    if (!m_object)
        return;
    if (reminderSelected()) {
        auto reminder = std::make_unique<CReminder>(m_reminder->start());
        m_reminder->store(*reminder);
        reminder->objectName = m_object->name;
        m_object->addReminder(std::move(reminder));
        showRows(panelRows(*m_object, m_selector->currentIndex(), m_showAll->isChecked()));
        showAddedRow(static_cast<int>(m_rows.size()) - 1);
        // The date and periodical settings stay, as a start for the next reminder.
        m_reminder->clearNotes();
        m_reminder->notesBox()->setFocus(Qt::OtherFocusReason);
        emit modelChanged();
        return;
    }
    const int index = m_selector->currentIndex();
    CFieldList* category = m_object->categoryAt(index);
    if (!category)
        return;
    category->append(storedText(m_name->text()), storedText(m_details->text()), category->title);
    refillList();
    PanelRow added;
    added.category = index;
    added.position = static_cast<int>(category->size()) - 1;
    showAddedRow(findRow(added));
    m_name->clear();
    m_details->clear();
    m_name->setFocus(Qt::OtherFocusReason);
    emit modelChanged();
}

void CategoryPanel::showAddedRow(int row) {
    // Shown but not selected: what the user types next starts a new entry instead of renaming
    // the one just added.
    clearListSelection();
    if (row >= 0 && row < m_list->topLevelItemCount())
        m_list->scrollToItem(m_list->topLevelItem(row));
}

void CategoryPanel::deleteClicked() {
    const int row = selectedRow();
    if (!m_object || row < 0)
        return;
    // A hasty Enter keeps the record.
    if (!m_prompter.askYesNo(this,
                             {QStringLiteral("Record will be deleted. Are you sure?"),
                              Prompter::Icon::Warning, Prompter::Title::Warning},
                             Prompter::Answer::No))
        return;
    const PanelRow doomed = m_rows[static_cast<std::size_t>(row)];
    if (doomed.isReminder()) {
        const auto& reminders = m_object->reminders();
        if (doomed.position < static_cast<int>(reminders.size()))
            m_object->removeReminder(reminders[static_cast<std::size_t>(doomed.position)].get());
    } else if (CFieldList* category = m_object->categoryAt(doomed.category)) {
        category->deleteEntryAt(static_cast<std::size_t>(doomed.position));
    }
    {
        const UpdateGuard guard(m_updating);
        m_list->clearSelection();
    }
    showRows(panelRows(*m_object, m_selector->currentIndex(), m_showAll->isChecked()));
    emptyEditorsAfterDelete();
    emit modelChanged();
}

void CategoryPanel::showAllClicked() {
    const int row = selectedRow();
    const PanelRow selected = row >= 0 ? m_rows[static_cast<std::size_t>(row)] : PanelRow{};
    const QString name = m_name->text();
    const QString details = m_details->text();
    if (m_showAll->isChecked())
        refillList();
    else
        applySelector(m_selector->currentIndex());
    selectRow(row >= 0 ? findRow(selected) : -1);
    m_name->setText(name);
    m_details->setText(details);
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
