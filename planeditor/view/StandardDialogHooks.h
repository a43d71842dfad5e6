#pragma once

#include "model/CBrenvikaDoc.h"
#include "planeditor/view/PlanDialogHooks.h"

class QWidget;

namespace ardenvo {

// The plan's context-menu hooks filled with the Name, Resize and Reposition dialogs. The objects
// inside dialog belongs to the catalogue and is left for its owner to add. `doc` and `parent`
// are kept for later hooks and must outlive the view.
PlanDialogHooks standardDialogHooks(CBrenvikaDoc& doc, QWidget* parent);

} // namespace ardenvo
