#pragma once

#include "model/CBlock.h"
#include "model/CBrenvikaDoc.h"
#include "model/CHouseObject.h"
#include "model/CSection.h"
#include "planeditor/layout/UnitTable.h"

#include <QSizeF>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace ardenvo {

// The dialogs the plan's context menu opens. They live in other files (and some arrive later);
// the view reaches them only through these hooks, and disables a menu entry whose hook is empty.
struct PlanDialogHooks {
    // The new name of a block (unique among the section's blocks), or nullopt when cancelled.
    std::function<std::optional<std::string>(QWidget* parent, CSection& section, CBlock& block)>
        renameBlock;
    // The new name of a floor object (unique on the block's floor), or nullopt when cancelled.
    std::function<std::optional<std::string>(QWidget* parent, CBlock& block, CHouseObject& object)>
        renameObject;
    // New width and height in centimetres, or nullopt when cancelled. The dialog shows and reads
    // them in the given unit and enforces the limits of the objects inside.
    std::function<std::optional<QSizeF>(QWidget* parent, const UnitTable& units, CBlock& block)>
        resizeBlock;
    std::function<std::optional<QSizeF>(QWidget* parent, const UnitTable& units, CBlock& block,
                                        CHouseObject& object)>
        resizeObject;
    // Edits the block's four alignment records in place; true when closed with OK.
    std::function<bool(QWidget* parent, CBlock& block)> reposition;
    // The objects of one block, starting with `selected` (may be null) chosen.
    std::function<void(QWidget* parent, CBrenvikaDoc& doc, CBlock& block, CHouseObject* selected)>
        objectsInside;
};

} // namespace ardenvo
