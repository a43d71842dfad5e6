#pragma once

#include "planeditor/view/PlanDialogHooks.h"

namespace ardenvo {

// The plan's context-menu hooks filled with the Name, Resize and Reposition dialogs. The objects
// inside dialog belongs to the catalogue and is left for its owner to add.
PlanDialogHooks standardDialogHooks();

} // namespace ardenvo
