#pragma once

#include "planeditor/view/PlanDialogHooks.h"
#include "widgets/QtPrompter.h"

namespace ardenvo {

// The plan's context-menu hooks filled with the Name, Resize and Reposition dialogs. The objects
// inside dialog belongs to the catalogue and is left for its owner to add. The dialogs ask and
// warn through `prompter`, which must outlive the hooks.
PlanDialogHooks standardDialogHooks(Prompter& prompter = standardPrompter());

} // namespace ardenvo
