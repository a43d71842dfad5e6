#pragma once

#include "model/ObjectEdits.h"
#include "widgets/Prompter.h"

#include <QDialog>

#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTreeWidgetItem;

namespace ardenvo {

class LocationView;
class ObjectTree;
class RoomSelector;

// "Move object": moves one object, with everything in it, to the floor of a block or on top of,
// inside or under another object, in the same block or in any block of the house.
class MoveObjectDialog : public QDialog {
    Q_OBJECT
public:
    // The manual at a page and section of it ("objects.html#move").
    using Help = std::function<void(QWidget* parent, const QString& topic)>;

    // `select` (may be null), an object of `block`, is selected first in the source tree: the
    // object the caller had selected, found by its place as the caller found it. Its warnings,
    // titled "Warning", go to `prompter`.
    MoveObjectDialog(CBrenvikaDoc& doc, CBlock& block, const CHouseObject* select,
                     Prompter& prompter, QWidget* parent = nullptr, Help help = {});

    // Runs the dialog modally; returns the object moved last, or null when none was moved.
    static CHouseObject* run(QWidget* parent, CBrenvikaDoc& doc, CBlock& block,
                             const CHouseObject* select, Prompter& prompter, Help help = {});

    enum Side { Source = 0, Destination = 1 };
    CBlock& block(Side side) const { return *m_blocks[side]; }
    ObjectTree* tree(Side side) const { return m_trees[side]; }
    Side shownSide() const { return m_shown; }
    void showSide(Side side);
    RoomSelector* roomSelector() const { return m_rooms; }
    LocationView* locationView() const { return m_view; }
    QGroupBox* previewGroup() const { return m_previewGroup; }
    QPushButton* moveButton(MoveTarget target) const {
        return m_moveButtons[static_cast<std::size_t>(target)];
    }

    // Moves the source tree's selected object; it is then selected where it landed, and nothing
    // is selected in the source tree, so that a second press cannot move a neighbour.
    void moveTo(MoveTarget target);
    CHouseObject* lastMoved() const { return m_lastMoved; }

private:
    QWidget* makeTree(Side side, const QString& title);
    void changeRoom();
    void layOutSide(Side side);
    void selectInTree(Side side, const CHouseObject* object);
    void warn(const QString& text);
    // The preview names the object selected in the tree of the side it shows.
    void showSelection();

    CBrenvikaDoc& m_doc;
    std::array<CBlock*, 2> m_blocks;
    std::array<ObjectTree*, 2> m_trees{};
    std::array<QString, 2> m_sectionTexts;
    std::array<QString, 2> m_roomTexts;
    Side m_shown = Source;
    Prompter& m_prompter;
    Help m_help;
    CHouseObject* m_lastMoved = nullptr;

    QComboBox* m_type = nullptr;
    RoomSelector* m_rooms = nullptr;
    QGroupBox* m_previewGroup = nullptr;
    LocationView* m_view = nullptr;
    std::array<QPushButton*, 4> m_moveButtons{};
};

} // namespace ardenvo
