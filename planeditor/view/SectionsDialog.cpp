#include "planeditor/view/SectionsDialog.h"

#include "platform/TextCodec.h"
#include "platform/help/HelpWindow.h"
#include "widgets/DialogSupport.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <memory>

namespace ardenvo {

namespace {

// Only the name is edited in place; the "Active" column is the dialog's to fill.
class NoEditDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        return nullptr;
    }
};

// The small house shown on every row: walls, a roof and a door.
QIcon houseIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 50, 30), 1));
    p.setBrush(QColor(235, 220, 180));
    p.drawRect(QRectF(3.5, 7.5, 9, 7));
    QPainterPath roof;
    roof.moveTo(1.5, 8);
    roof.lineTo(8, 1.5);
    roof.lineTo(14.5, 8);
    roof.closeSubpath();
    p.setBrush(QColor(190, 60, 40));
    p.drawPath(roof);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 70, 40));
    p.drawRect(QRectF(7, 10, 3, 4.5));
    return QIcon(pixmap);
}

} // namespace

SectionsDialog::SectionsDialog(QWidget* parent, CBrenvikaDoc& doc, Prompter& prompter)
    : QDialog(parent), m_doc(doc), m_prompter(prompter) {
    setWindowTitle(tr("Sections"));
    m_icon = houseIcon();

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("sectionList"));
    m_list->setColumnCount(2);
    m_list->setAccessibleName(tr("Sections of the house"));
    //: The column that marks the section the plan shows
    m_list->setHeaderLabels({tr("Name"), tr("Active")});
    m_list->header()->setStretchLastSection(false);
    m_list->setColumnWidth(0, 178);
    m_list->setColumnWidth(1, 60);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_list->setItemDelegateForColumn(1, new NoEditDelegate(m_list));
    m_list->setMinimumSize(260, 180);
    connect(m_list, &QTreeWidget::itemChanged, this, &SectionsDialog::rowRenamed);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &SectionsDialog::rowDoubleClicked);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto makeButton = [this](const QString& text, const QString& tip) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        button->setToolTip(tip);
        return button;
    };
    m_helpButton = makeButton(tr("&Help!"), QString());
    m_add = makeButton(tr("&Add"), tr("Adds a new section to the house"));
    m_setActive = makeButton(tr("&Set Active"), tr("Sets the selected section as Active"));
    m_delete = makeButton(tr("&Delete"), tr("Deletes the selected section"));
    connect(m_helpButton, &QPushButton::clicked, this, &SectionsDialog::showHelp);
    connect(m_add, &QPushButton::clicked, this, &SectionsDialog::addSection);
    connect(m_setActive, &QPushButton::clicked, this, &SectionsDialog::setActive);
    connect(m_delete, &QPushButton::clicked, this, &SectionsDialog::deleteSection);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(m_helpButton);
    buttons->addSpacing(12);
    buttons->addWidget(m_add);
    buttons->addWidget(m_setActive);
    buttons->addWidget(m_delete);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    setLayout(layout);

    refreshList(-1);
}

void SectionsDialog::refreshList(int selectRow) {
    m_filling = true;
    m_list->clear();
    for (const auto& section : m_doc.sections()) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setIcon(0, m_icon);
        item->setText(0, displayText(section->name));
        item->setText(1, section.get() == m_doc.currentSection() ? tr("Yes") : QString());
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    if (QTreeWidgetItem* item = m_list->topLevelItem(selectRow))
        m_list->setCurrentItem(item);
    m_filling = false;
    updateButtons();
}

void SectionsDialog::updateButtons() {
    const bool any = m_list->topLevelItemCount() > 0;
    m_setActive->setEnabled(any);
    m_delete->setEnabled(any);
}

int SectionsDialog::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

void SectionsDialog::addSection() {
    // A new section comes with its first hall; the active section stays as it is.
    m_doc.appendSection(std::make_unique<CSection>());
    m_doc.setModified();
    refreshList(m_doc.sectionCount() - 1);
}

void SectionsDialog::setActive() {
    const int row = selectedRow();
    CSection* section = m_doc.sectionAt(row);
    if (!section)
        return;
    if (section != m_doc.currentSection()) {
        m_doc.setCurrentSection(section);
        m_doc.setModified();
        m_changed = true;
    }
    refreshList(row);
}

void SectionsDialog::deleteSection() {
    const int row = selectedRow();
    CSection* section = m_doc.sectionAt(row);
    if (!section) {
        showWarning(m_prompter, this, tr("You must first select a section"));
        return;
    }
    if (section == m_doc.currentSection()) {
        showWarning(m_prompter, this,
                    tr("Can't delete the active section. Activate another first"));
        return;
    }
    if (!m_prompter.askYesNo(this, {tr("Are you sure?"), Prompter::Icon::Question},
                             Prompter::Answer::Yes))
        return;
    m_doc.deleteSection(row);
    m_doc.setModified();
    refreshList(std::min(row, m_doc.sectionCount() - 1));
}

void SectionsDialog::rowDoubleClicked(QTreeWidgetItem* item) {
    if (!item)
        return;
    m_list->setCurrentItem(item);
    setActive();
    accept();
}

void SectionsDialog::rowRenamed(QTreeWidgetItem* item, int column) {
    if (m_filling || column != 0)
        return;
    const int row = m_list->indexOfTopLevelItem(item);
    CSection* section = m_doc.sectionAt(row);
    if (!section)
        return;
    const QString text = item->text(0);
    // An emptied name is not taken: the row shows the name it had. Names need not be unique.
    if (!text.isEmpty() && text != displayText(section->name)) {
        section->name = storedText(text);
        m_doc.setModified();
    }
    // Refilling after the editor has closed; the item must outlive this signal.
    QMetaObject::invokeMethod(
        this, [this, row] { refreshList(row); }, Qt::QueuedConnection);
}

void SectionsDialog::showHelp() {
    if (m_help) {
        m_help(this);
        return;
    }
    if (showManual(QStringLiteral("sections")) == ManualShown::Missing)
        showWarning(m_prompter, this, manualMissingText());
}
bool SectionsDialog::run(QWidget* parent, CBrenvikaDoc& doc, Prompter& prompter) {
    doc.setModified();
    SectionsDialog dialog(parent, doc, prompter);
    dialog.exec();
    // Also when the dialog was closed without OK: the active section has changed all the same,
    // and a plan still showing the old one would edit blocks of the wrong section.
    return dialog.activeSectionChanged();
}

} // namespace ardenvo
