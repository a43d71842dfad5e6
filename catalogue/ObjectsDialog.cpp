#include "catalogue/ObjectsDialog.h"

#include "catalogue/LocationView.h"
#include "catalogue/ObjectTree.h"
#include "catalogue/RoomSelector.h"
#include "catalogue/fields/CategoryPanel.h"
#include "catalogue/pictures/PictureGroup.h"
#include "model/ObjectEdits.h"
#include "platform/AppPaths.h"
#include "platform/TextCodec.h"
#include "widgets/DialogSupport.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace ardenvo {

namespace {

QPushButton* makeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false); // Enter closes the dialog through OK only
    return button;
}

} // namespace

ObjectsDialog::ObjectsDialog(CBrenvikaDoc& doc, CBlock& block, CHouseObject* select,
                             QWidget* parent, ObjectsDialogServices services)
    : QDialog(parent), m_doc(doc), m_block(&block), m_services(std::move(services)) {
    setWindowTitle(tr("Objects inside"));
    // The preview draws no handles: the plan's selection marks are cleared.
    block.selected = 0;
    block.markAllFloorObjects(0);
    m_doc.setModified(true);

    auto* layout = new QGridLayout(scrollableBody(this));
    layout->addWidget(makeObjectGroup(), 0, 0, 2, 1);
    m_rooms = new RoomSelector(m_doc, false, this);
    layout->addWidget(m_rooms, 0, 1);
    connect(m_rooms, &RoomSelector::changeRoomClicked, this, &ObjectsDialog::changeRoom);
    m_location = new LocationGroup(this);
    layout->addWidget(m_location, 1, 1);
    m_pictures = new PictureGroup(*this,
                                  m_services.imagesFolder.empty() ? AppPaths::imagesDirectory()
                                                                  : m_services.imagesFolder,
                                  m_services.prompts(), this);
    layout->addWidget(m_pictures, 0, 2, 2, 1);
    m_fields = new CategoryPanel(m_services.prompts(), m_services.fieldSettings, this);
    layout->addWidget(m_fields, 2, 0, 1, 3);
    connect(m_fields, &CategoryPanel::modelChanged, this, [this] { m_doc.setModified(true); });

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setDefault(true);
    m_help = makeButton(tr("&Help"), this);
    m_help->setEnabled(bool(m_services.help));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_help);
    layout->addLayout(buttons, 3, 0, 1, 3);
    layout->setRowStretch(2, 1);

    connect(m_ok, &QPushButton::clicked, this, &ObjectsDialog::accept);
    connect(m_help, &QPushButton::clicked, this, [this] {
        if (m_services.help)
            m_services.help(this, QStringLiteral("objects.html"));
    });
    connect(m_location, &LocationGroup::objectMoved, this, [this] { m_doc.setModified(true); });
    connect(m_location->view(), &LocationView::objectPressed, this, &ObjectsDialog::previewPressed);

    reloadBlock();
    m_rooms->fill(displayText(m_block->name));
    if (select)
        selectObject(select);
    // Disabled until an object is selected.
    for (QWidget* w : std::initializer_list<QWidget*>{m_modify, m_delete, m_notes})
        w->setEnabled(false);
    m_fields->setControlsEnabled(false);
    updateEnabling(m_tree->currentItem());
    m_tree->setFocus();
    // Room for the attribute columns and the pictures beyond what the controls need at least.
    // ... but never taller or wider than the screen it opens on.
    QSize wanted = sizeHint().expandedTo(QSize(960, 700));
    if (const QScreen* shown = parent ? parent->screen() : QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(shown->availableGeometry().size());
    resize(fittedToScreen(this, wanted));
}

ObjectsDialog::~ObjectsDialog() = default;

void ObjectsDialog::run(QWidget* parent, CBrenvikaDoc& doc, CBlock& block, CHouseObject* select,
                        ObjectsDialogServices services) {
    ObjectsDialog dialog(doc, block, select, parent, std::move(services));
    dialog.exec();
}

QWidget* ObjectsDialog::makeObjectGroup() {
    auto* group = new QGroupBox(tr("Object inside"), this);
    m_tree = new ObjectTree(group);
    m_tree->setMinimumSize(240, 150);
    m_tree->setAccessibleName(tr("Objects"));
    m_add = makeButton(tr("&Add"), group);
    m_addToFloor = makeButton(tr("Add to &floor"), group);
    m_move = makeButton(tr("Mo&ve"), group);
    m_modify = makeButton(tr("&Modify"), group);
    m_delete = makeButton(tr("D&elete"), group);
    m_add->setToolTip(tr("Add an object on top of, inside or under the selected one"));
    m_addToFloor->setToolTip(tr("Add an object on the floor of the room"));

    auto* notesGroup = new QGroupBox(tr("General notes"), group);
    m_notes = new QPlainTextEdit(notesGroup);
    m_notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes->setTabChangesFocus(true);
    m_notes->setAccessibleName(notesGroup->title());
    auto* notesLayout = new QVBoxLayout(notesGroup);
    notesLayout->addWidget(m_notes);

    auto* buttons = new QGridLayout;
    buttons->addWidget(m_add, 0, 0);
    buttons->addWidget(m_addToFloor, 0, 1);
    buttons->addWidget(m_move, 0, 2);
    buttons->addWidget(m_modify, 1, 0);
    buttons->addWidget(m_delete, 1, 1);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_tree, 3);
    layout->addLayout(buttons);
    layout->addWidget(notesGroup, 1);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, &ObjectsDialog::selectionChanged);
    connect(m_tree, &ObjectTree::labelEdited, this, &ObjectsDialog::labelEdited);
    connect(m_tree, &ObjectTree::contextMenuWanted, this, &ObjectsDialog::showContextMenu);
    connect(m_tree, &ObjectTree::deletePressed, this, &ObjectsDialog::deleteTarget);
    connect(m_add, &QPushButton::clicked, this, &ObjectsDialog::addToTarget);
    connect(m_addToFloor, &QPushButton::clicked, this, &ObjectsDialog::addToFloor);
    connect(m_move, &QPushButton::clicked, this, &ObjectsDialog::moveTarget);
    connect(m_modify, &QPushButton::clicked, this, &ObjectsDialog::modifyTarget);
    connect(m_delete, &QPushButton::clicked, this, &ObjectsDialog::deleteTarget);
    connect(m_notes, &QPlainTextEdit::textChanged, this, &ObjectsDialog::notesChanged);
    return group;
}

void ObjectsDialog::reloadBlock() {
    m_location->setBlock(m_block);
    rebuildTree();
    m_location->view()->setSelectedObject(selectedObject());
    if (CHouseObject* o = selectedObject()) {
        m_quiet = true;
        m_notes->setPlainText(displayText(o->notes));
        m_quiet = false;
    }
    m_pictures->loadBlock();
}

void ObjectsDialog::rebuildTree() {
    QTreeWidgetItem* before = m_tree->currentItem();
    const TreePath beforePath = ObjectTree::pathOf(before);
    {
        const QSignalBlocker block(m_tree);
        m_tree->rebuild(m_block);
    }
    // The selected item may have gone with its object, or now show another one.
    QTreeWidgetItem* now = m_tree->currentItem();
    if (now != before || (now && ObjectTree::pathOf(now) != beforePath))
        selectionChanged();
    // Rows name their owners: a renamed, moved or deleted owner must not linger there.
    m_pictures->ownersChanged();
    m_location->view()->redraw();
}

CHouseObject* ObjectsDialog::selectedObject() const {
    return selectedPlace().object;
}

ObjectPlace ObjectsDialog::selectedPlace() const {
    return m_tree->placeOf(*m_block, m_tree->currentItem());
}

void ObjectsDialog::selectObject(CHouseObject* object) {
    if (QTreeWidgetItem* item = m_tree->itemOf(*m_block, object))
        m_tree->setCurrentItem(item);
}

void ObjectsDialog::selectRoot() {
    m_tree->setCurrentItem(m_tree->root());
}

void ObjectsDialog::selectionChanged() {
    QTreeWidgetItem* item = m_tree->currentItem();
    const ObjectPlace place = m_tree->placeOf(*m_block, item);
    m_location->setUpSliders(place.object);
    m_location->view()->setSelectedObject(place.object);
    m_quiet = true;
    m_notes->setPlainText(place.object ? displayText(place.object->notes) : QString());
    m_quiet = false;
    m_fields->selectionChanged(place.object);
    if (place.onFloor())
        m_block->bringToFront(place.object);
    else if (place.object)
        m_location->view()->preview().bringToFrontByName(place.object->name);
    m_location->view()->redraw();
    updateEnabling(item);
    m_pictures->treeSelectionChanged();
}

bool ObjectsDialog::rootSelected() const {
    return m_tree->currentItem() == m_tree->root();
}

void ObjectsDialog::updateEnabling(QTreeWidgetItem* item) {
    if (!item)
        return; // with no selected item the controls keep their state
    const bool onObject = m_tree->placeOf(*m_block, item).object != nullptr;
    m_modify->setEnabled(onObject);
    m_delete->setEnabled(onObject);
    m_notes->setEnabled(onObject);
    m_fields->setControlsEnabled(onObject);
}

void ObjectsDialog::notesChanged() {
    if (m_quiet)
        return;
    if (CHouseObject* o = selectedObject()) {
        o->notes = storedText(m_notes->toPlainText());
        m_doc.setModified(true);
    }
}

void ObjectsDialog::previewPressed(CHouseObject* hit, Qt::MouseButton button,
                                   const QPoint& globalPos) {
    if (!hit)
        return;
    selectObject(hit);
    if (button == Qt::RightButton)
        showContextMenu(m_tree->currentItem(), globalPos);
}

void ObjectsDialog::changeRoom() {
    const RoomChoice choice = m_rooms->chosenRoom();
    if (choice.section) {
        m_doc.setCurrentSection(choice.section);
        if (choice.block && choice.block != m_block) {
            m_block = choice.block;
            m_block->selected = 0;
            m_block->markAllFloorObjects(0);
            selectRoot();
        }
    }
    reloadBlock();
}

void ObjectsDialog::keyPressEvent(QKeyEvent* event) {
    // Enter while a label is edited only ends the edit.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        m_tree->isEditingLabel())
        return;
    QDialog::keyPressEvent(event);
}

void ObjectsDialog::reject() {
    // Esc closes like OK: everything is in the model already.
    QDialog::accept();
}

} // namespace ardenvo
