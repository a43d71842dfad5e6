#include "catalogue/ObjectTree.h"

#include "platform/TextCodec.h"
#include "widgets/PaintedIcon.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <array>

namespace ardenvo {

namespace {

constexpr int kIconRole = Qt::UserRole;

// 16 x 16 pictures of where an object stands: an ellipse below, inside or on a bar or frame.
void drawIcon(QPainter& p, int index) {
    const QColor ink(40, 60, 110);
    const QColor fill(240, 170, 60);
    p.setPen(QPen(ink, 1));
    switch (index) {
    case ObjectTree::UnderIcon:
        p.fillRect(QRect(1, 2, 14, 3), ink);
        p.setBrush(fill);
        p.drawEllipse(QRectF(3.5, 7.5, 9, 7));
        break;
    case ObjectTree::InsideIcon:
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(fill);
        p.drawEllipse(QRectF(4.5, 5.5, 7, 6));
        break;
    case ObjectTree::OnTopIcon:
        p.fillRect(QRect(1, 11, 14, 3), ink);
        p.setBrush(fill);
        p.drawEllipse(QRectF(3.5, 2.5, 9, 8));
        break;
    default: {
        const QIcon app = QApplication::windowIcon();
        if (!app.isNull())
            p.drawPixmap(QRect(0, 0, 16, 16),
                         app.pixmap(QSize(16, 16), p.device()->devicePixelRatioF()));
        else {
            p.setBrush(QColor(200, 60, 50));
            p.drawPolygon(QPolygonF({QPointF(1, 8), QPointF(8, 1.5), QPointF(15, 8)}));
            p.setBrush(QColor(240, 220, 170));
            p.drawRect(QRectF(3.5, 8, 9, 6.5));
        }
    }
    }
}

void setLabel(QTreeWidgetItem* item, const QString& label, int icon) {
    if (item->text(0) != label)
        item->setText(0, label);
    if (item->data(0, kIconRole).toInt() != icon || item->icon(0).isNull()) {
        item->setData(0, kIconRole, icon);
        item->setIcon(0, ObjectTree::icon(icon));
    }
}

QTreeWidgetItem* newItem(const QString& label, int icon) {
    auto* item = new QTreeWidgetItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    setLabel(item, label, icon);
    return item;
}

void fillChildren(QTreeWidgetItem* parent, const CHouseObject& object);

// The k-th child of `parent` shows `object`: reused when it exists, else made and returned for
// the caller to add with its siblings in one step.
QTreeWidgetItem* fillItem(QTreeWidgetItem* parent, int k, const CHouseObject& object, int icon) {
    const QString label = displayText(object.name);
    if (k < parent->childCount()) {
        QTreeWidgetItem* item = parent->child(k);
        setLabel(item, label, icon);
        fillChildren(item, object);
        return nullptr;
    }
    QTreeWidgetItem* item = newItem(label, icon);
    fillChildren(item, object);
    return item;
}

void trimChildren(QTreeWidgetItem* parent, int keep) {
    while (parent->childCount() > keep)
        delete parent->takeChild(parent->childCount() - 1);
}

void fillChildren(QTreeWidgetItem* parent, const CHouseObject& object) {
    const auto children = childrenInTreeOrder(object);
    QList<QTreeWidgetItem*> added;
    int k = 0;
    for (const TreeChild& c : children)
        if (QTreeWidgetItem* made = fillItem(parent, k++, *c.object, static_cast<int>(c.position)))
            added.append(made);
    if (!added.isEmpty())
        parent->addChildren(added);
    trimChildren(parent, k);
}

} // namespace

ObjectTree::ObjectTree(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    header()->hide();
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setMouseTracking(true); // hot tracking
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    auto* floor = new QTreeWidgetItem(this);
    //: The root of the tree of a room's objects: what stands on the floor.
    floor->setText(0, tr("Floor"));
    floor->setData(0, kIconRole, RootIcon);
    floor->setIcon(0, icon(RootIcon));
}

QIcon ObjectTree::icon(int index) {
    static std::array<QIcon, 4> icons;
    auto& cached = icons[static_cast<std::size_t>(std::clamp(index, 0, 3))];
    if (cached.isNull())
        cached = paintedIcon({16, 16}, [index](QPainter& p) { drawIcon(p, index); });
    return cached;
}

int ObjectTree::iconIndex(const QTreeWidgetItem* item) {
    return item ? item->data(0, kIconRole).toInt() : -1;
}

void ObjectTree::rebuild(const CBlock* block) {
    QTreeWidgetItem* floor = root();
    int k = 0;
    if (block) {
        QList<QTreeWidgetItem*> added;
        for (const CHouseObject* o : floorObjectsInTreeOrder(*block))
            if (QTreeWidgetItem* made = fillItem(floor, k++, *o, OnTopIcon))
                added.append(made);
        if (!added.isEmpty())
            floor->addChildren(added);
    }
    trimChildren(floor, k);
    floor->setExpanded(true);
}

TreePath ObjectTree::pathOf(const QTreeWidgetItem* item) {
    TreePath path;
    while (item && item->parent()) {
        path.insert(path.begin(), item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)));
        item = item->parent();
    }
    return path;
}

QTreeWidgetItem* ObjectTree::itemAtPath(const TreePath& path) const {
    QTreeWidgetItem* item = root();
    for (int row : path) {
        if (!item || row < 0 || row >= item->childCount())
            return nullptr;
        item = item->child(row);
    }
    return item;
}

ObjectPlace ObjectTree::placeOf(const CBlock& block, const QTreeWidgetItem* item) const {
    if (!item || item == root())
        return {};
    const ObjectPlace place = placeAt(block, pathOf(item));
    if (!place.object || static_cast<int>(place.position) != iconIndex(item) ||
        displayText(place.object->name) != item->text(0))
        return {};
    return place;
}

QTreeWidgetItem* ObjectTree::itemOf(const CBlock& block, const CHouseObject* object) const {
    const auto path = ardenvo::pathOf(block, object);
    return path ? itemAtPath(*path) : nullptr;
}

bool ObjectTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    QTreeWidgetItem* item = itemFromIndex(index);
    if (!item || item == root())
        return false; // "Floor" is no object's name
    if (!QTreeWidget::edit(index, trigger, event))
        return false;
    m_editPath = pathOf(item);
    return true;
}

void ObjectTree::commitData(QWidget* editor) {
    // The label is not changed here: the owner renames the object (its name may take a suffix)
    // and rebuilds, so the item shows the final name.
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        emit labelEdited(m_editPath, line->text());
}

void ObjectTree::contextMenuEvent(QContextMenuEvent* event) {
    m_menuFromKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    QTreeWidgetItem* target = nullptr;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Mouse)
        target = itemAt(event->pos());
    if (!target) {
        target = currentItem();
        if (target && event->reason() != QContextMenuEvent::Mouse)
            at = viewport()->mapToGlobal(visualItemRect(target).center());
    }
    if (target && target != currentItem())
        setCurrentItem(target);
    emit contextMenuWanted(target, at);
}

void ObjectTree::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier &&
        state() != EditingState) {
        emit deletePressed();
        return;
    }
    // The Menu key and Shift+F10 open the menu of the selected item. Some platforms already
    // turned the Menu key into a context-menu event, which came first: it is not opened twice.
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if ((menuKey || shiftF10) && state() != EditingState &&
        contextMenuPolicy() == Qt::DefaultContextMenu) {
        const bool already = menuKey && m_menuFromKeyboard;
        m_menuFromKeyboard = false;
        if (!already) {
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
            contextMenuEvent(&menu);
            m_menuFromKeyboard = false;
        }
        return;
    }
    m_menuFromKeyboard = false;
    QTreeWidget::keyPressEvent(event);
}

} // namespace ardenvo
