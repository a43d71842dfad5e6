// The commands of the "Objects inside" dialog: its buttons, the tree's context menu and in-place
// renaming. Each resolves its item to an object, edits the model and rebuilds the tree.
#include "catalogue/LocationView.h"
#include "catalogue/MoveObjectDialog.h"
#include "catalogue/ObjectTree.h"
#include "catalogue/ObjectsDialog.h"
#include "catalogue/fields/CategoryPanel.h"
#include "model/ObjectEdits.h"
#include "platform/TextCodec.h"
#include "widgets/Prompter.h"

#include <QMenu>
#include <QPushButton>

namespace ardenvo {

namespace {

ObjectProperties currentProperties(const CHouseObject& o, NestPosition position) {
    ObjectProperties p;
    p.name = o.name;
    p.position = position;
    p.color = o.color;
    p.length = static_cast<double>(o.location.rect.bottom) - o.location.rect.top;
    p.width = static_cast<double>(o.location.rect.right) - o.location.rect.left;
    return p;
}

} // namespace

void ObjectsDialog::rebuildAndSelect(CHouseObject* object, bool expand) {
    m_doc.setModified(true);
    rebuildTree();
    if (QTreeWidgetItem* item = m_tree->itemOf(*m_block, object)) {
        if (item != m_tree->currentItem())
            m_tree->setCurrentItem(item);
        else
            selectionChanged(); // same item, changed object: notes, sliders and preview follow
        if (expand)
            item->setExpanded(true);
    }
}

void ObjectsDialog::forgetSelection() {
    // Nothing may keep pointing at an object that is about to be deleted.
    m_location->setUpSliders(nullptr);
    m_location->view()->setSelectedObject(nullptr);
    m_fields->selectionChanged(nullptr);
}

void ObjectsDialog::addToTarget() {
    QTreeWidgetItem* target = m_tree->currentItem();
    if (!target) {
        selectRoot();
        target = m_tree->root();
    }
    if (target == m_tree->root())
        return addToFloor();
    const ObjectPlace parent = m_tree->placeOf(*m_block, target);
    if (!parent.object)
        return;
    const auto values = m_services.runProperties(this, std::nullopt, false);
    if (!values)
        return;
    addObject(*m_block, parent.object, values->position, *values);
    rebuildAndSelect(parent.object, true);
}

void ObjectsDialog::addToFloor() {
    const auto values = m_services.runProperties(this, std::nullopt, true);
    if (!values)
        return;
    addObject(*m_block, nullptr, NestPosition::OnTop, *values);
    m_doc.setModified(true);
    rebuildTree();
    m_location->setUpSliders(selectedObject());
}

void ObjectsDialog::modifyTarget() {
    const ObjectPlace place = selectedPlace();
    if (!place.object)
        return;
    const auto values = m_services.runProperties(
        this, currentProperties(*place.object, place.position), place.onFloor());
    if (!values)
        return;
    modifyObject(*m_block, place, *values);
    rebuildAndSelect(place.object, true);
}

void ObjectsDialog::deleteTarget() {
    QTreeWidgetItem* target = m_tree->currentItem();
    // "Floor" is not deleted, so there is nothing to ask about.
    if (!target || target == m_tree->root())
        return;
    if (!askBeforeLoss(m_services.prompts(), this,
                       tr("Object and all associated reminders will be deleted. Are you sure?")))
        return;
    const ObjectPlace place = m_tree->placeOf(*m_block, target);
    if (place.object) {
        forgetSelection();
        deleteObject(*m_block, place);
        m_doc.setModified(true);
    }
    selectRoot();
    rebuildTree(); // the deleted object's pictures leave the list
}

void ObjectsDialog::moveTarget() {
    CHouseObject* selected = selectedObject();
    CHouseObject* moved = m_services.moveObject
                              ? m_services.moveObject(this, m_doc, *m_block, selected)
                              : MoveObjectDialog::run(this, m_doc, *m_block, selected,
                                                      m_services.prompts(), m_services.help);
    m_doc.setModified(true);
    rebuildTree();
    // The selection follows the object moved last when it is still in this block; otherwise it
    // stays on the object selected before, or falls back to "Floor", never on a neighbour that
    // took a moved object's place.
    QTreeWidgetItem* item = moved ? m_tree->itemOf(*m_block, moved) : nullptr;
    if (!item && selected)
        item = m_tree->itemOf(*m_block, selected);
    if (!item)
        item = m_tree->root();
    if (item != m_tree->currentItem())
        m_tree->setCurrentItem(item);
    else
        selectionChanged();
    if (item->parent())
        item->parent()->setExpanded(true);
    update();
}

void ObjectsDialog::labelEdited(const std::vector<int>& path, const QString& text) {
    const ObjectPlace place = placeAt(*m_block, path);
    if (!place.object || text.isEmpty())
        return;
    renameObject(*m_block, place, storedText(text));
    rebuildAndSelect(place.object, false);
}

void ObjectsDialog::showContextMenu(QTreeWidgetItem* target, const QPoint& globalPos) {
    if (!target)
        return;
    if (target == m_tree->root()) {
        // No menu on "Floor": a right click there adds an object at once.
        addDefaultObject(*m_block, nullptr, NestPosition::OnTop);
        m_doc.setModified(true);
        rebuildTree();
        return;
    }
    const ObjectPlace place = m_tree->placeOf(*m_block, target);
    if (!place.object) {
        rebuildTree();
        return;
    }
    CHouseObject* object = place.object;
    const bool onFloor = place.onFloor();

    QMenu menu(this);
    menu.addAction(withPlainAmpersands(displayText(object->name)))->setEnabled(false);
    const std::pair<QString, NestPosition> positions[] = {
        {tr("On &top"), NestPosition::OnTop},
        {tr("&Inside"), NestPosition::Inside},
        {tr("&Under"), NestPosition::Under},
    };
    QMenu* add = menu.addMenu(tr("&Add object"));
    QMenu* move = menu.addMenu(tr("&Move"));
    move->setEnabled(!onFloor);
    for (const auto& [label, pos] : positions) {
        const NestPosition p = pos;
        connect(add->addAction(label), &QAction::triggered, this, [=, this] {
            addDefaultObject(*m_block, object, p);
            rebuildAndSelect(object, true);
        });
        QAction* to = move->addAction(label);
        to->setEnabled(p != place.position);
        connect(to, &QAction::triggered, this, [=, this] {
            moveWithinParent(place, p);
            rebuildAndSelect(object, false);
        });
    }
    QAction* rename = menu.addAction(tr("Re&name"));
    QAction* resize = menu.addAction(tr("Re&size"));
    QAction* color = menu.addAction(tr("Change &color"));
    QAction* remove = menu.addAction(tr("&Delete"));
    menu.addSeparator();
    QAction* label = menu.addAction(tr("&Print label..."));
    resize->setEnabled(onFloor);
    color->setEnabled(onFloor);

    bool renaming = false;
    connect(rename, &QAction::triggered, this, [&renaming] { renaming = true; });
    connect(resize, &QAction::triggered, this, [=, this] {
        if (auto size =
                m_services.runResize(this, UnitTable(m_doc.unitIndex()), *m_block, *object)) {
            object->location.rect =
                withExtent(object->location.rect, size->width(), size->height());
            m_location->setUpSliders(object);
        }
    });
    connect(color, &QAction::triggered, this, [=, this] {
        if (auto chosen = m_services.prompts().askColor(this, object->color))
            object->color = *chosen;
    });
    connect(remove, &QAction::triggered, this, [=, this] {
        forgetSelection();
        deleteObject(*m_block, place);
        selectRoot();
    });
    connect(label, &QAction::triggered, this,
            [=, this] { m_services.runPrintLabel(this, m_doc, *object); });
    menu.exec(globalPos);
    // After any entry, and when the menu is dismissed.
    m_doc.setModified(true);
    rebuildTree();
    if (renaming)
        m_tree->editItem(target, 0);
}

} // namespace ardenvo
