#pragma once

#include "catalogue/ObjectsDialogServices.h"
#include "catalogue/pictures/PictureTreeHost.h"
#include "model/TreeOrder.h"

#include <QDialog>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QTreeWidgetItem;

namespace ardenvo {

class CategoryPanel;
class PictureGroup;
class LocationGroup;
class RoomSelector;
class ObjectTree;

// "Objects inside": records and arranges the objects of one block. Every edit goes into the
// model at once; OK, Enter and Esc all just close it.
class ObjectsDialog : public QDialog, private PictureTreeHost {
    Q_OBJECT
public:
    // `select` (may be null) is the object chosen when the dialog opens.
    ObjectsDialog(CBrenvikaDoc& doc, CBlock& block, CHouseObject* select, QWidget* parent = nullptr,
                  ObjectsDialogServices services = {});
    ~ObjectsDialog() override;

    // Runs the dialog modally on the block.
    static void run(QWidget* parent, CBrenvikaDoc& doc, CBlock& block, CHouseObject* select,
                    ObjectsDialogServices services = {});

    CBlock& block() const { return *m_block; }
    // The object of the selected item; null for the root or none.
    CHouseObject* selectedObject() const override;
    ObjectPlace selectedPlace() const;
    void selectObject(CHouseObject* object) override;
    void selectRoot() override;

    ObjectTree* tree() const { return m_tree; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* addToFloorButton() const { return m_addToFloor; }
    QPushButton* moveButton() const { return m_move; }
    QPushButton* modifyButton() const { return m_modify; }
    QPushButton* deleteButton() const { return m_delete; }
    QPlainTextEdit* notesEdit() const { return m_notes; }
    RoomSelector* roomSelector() const { return m_rooms; }
    LocationGroup* locationGroup() const { return m_location; }
    QPushButton* helpButton() const { return m_help; }
    PictureGroup* pictureGroup() const { return m_pictures; }
    CategoryPanel* categoryPanel() const { return m_fields; }

    // The tree's context menu for `target`, shown at `globalPos`; the chosen entry runs, and the
    // tree is rebuilt (also when the menu is dismissed). The root as target adds a floor object.
    void showContextMenu(QTreeWidgetItem* target, const QPoint& globalPos);

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* makeObjectGroup();
    void reloadBlock();
    void rebuildTree();
    void selectionChanged();
    void updateEnabling(QTreeWidgetItem* item);

    // Commands of the "Object inside" group and the tree's context menu.
    void addToTarget();
    void addToFloor();
    void modifyTarget();
    void deleteTarget();
    void moveTarget();
    void changeRoom();
    void labelEdited(const std::vector<int>& path, const QString& text);
    void notesChanged();
    void previewPressed(CHouseObject* hit, Qt::MouseButton button, const QPoint& globalPos);
    // Rebuilds the tree and selects `object`'s item (expanded when asked).
    void rebuildAndSelect(CHouseObject* object, bool expand);
    // Before a deletion: the sliders and the category panel let go of the selected object.
    void forgetSelection();

    // What the "Picture" group asks of the tree.
    CBlock* pictureBlock() const override { return m_block; }
    bool rootSelected() const override;

    CBrenvikaDoc& m_doc;
    CBlock* m_block;
    ObjectsDialogServices m_services;
    bool m_quiet = false; // programmatic changes that must not reach the model

    ObjectTree* m_tree = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_addToFloor = nullptr;
    QPushButton* m_move = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_delete = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    RoomSelector* m_rooms = nullptr;
    LocationGroup* m_location = nullptr;
    PictureGroup* m_pictures = nullptr;
    CategoryPanel* m_fields = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_help = nullptr;
};

} // namespace ardenvo
