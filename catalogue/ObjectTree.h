#pragma once

#include "model/TreeOrder.h"

#include <QTreeWidget>

namespace ardenvo {

// The objects of one block as a tree: the root "Floor", the floor objects below it in floor-index
// order, and below each object the objects on top of it, inside it and under it. Rebuilding
// reuses the items in place, so branches that did not change keep their expansion.
class ObjectTree : public QTreeWidget {
    Q_OBJECT
public:
    // The icons by index: an item's icon is its object's position in its parent.
    enum IconIndex { UnderIcon = 0, InsideIcon = 1, OnTopIcon = 2, RootIcon = 3 };

    explicit ObjectTree(QWidget* parent = nullptr);

    static QIcon icon(int index);
    static int iconIndex(const QTreeWidgetItem* item);

    QTreeWidgetItem* root() const { return topLevelItem(0); }
    // Walks the block's objects and the items together; null empties the tree below the root.
    void rebuild(const CBlock* block);

    // The place of an item below the root (empty for the root or none).
    static TreePath pathOf(const QTreeWidgetItem* item);
    QTreeWidgetItem* itemAtPath(const TreePath& path) const;
    // The object an item shows: found by its place, and only when the object there still bears
    // the item's label and position (so a stale item never acts on another object).
    ObjectPlace placeOf(const CBlock& block, const QTreeWidgetItem* item) const;
    QTreeWidgetItem* itemOf(const CBlock& block, const CHouseObject* object) const;

    bool isEditingLabel() const { return state() == EditingState; }

signals:
    // An in-place edit of the item at `path` ended with `text`; the label stays as it was until
    // the owner renames the object and rebuilds.
    void labelEdited(const TreePath& path, const QString& text);
    // The context menu for `target` (the item under a right click, else the selected item).
    void contextMenuWanted(QTreeWidgetItem* target, const QPoint& globalPos);
    void deletePressed();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TreePath m_editPath;
    bool m_menuFromKeyboard = false; // the last context-menu event came from the keyboard
};

} // namespace ardenvo
