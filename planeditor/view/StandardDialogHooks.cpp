#include "planeditor/view/StandardDialogHooks.h"

#include "planeditor/view/RepositionDialog.h"
#include "planeditor/view/ResizeDialog.h"
#include "widgets/NameDialog.h"

namespace ardenvo {

PlanDialogHooks standardDialogHooks() {
    // Each dialog is parented to the widget the view passes (the view itself), so it centres on
    // the plan.
    PlanDialogHooks hooks;
    hooks.renameBlock = [](QWidget* parent, CSection& section, CBlock& block) {
        return NameDialog::getBlockName(parent, section, block);
    };
    hooks.renameObject = [](QWidget* parent, CBlock& block, CHouseObject& object) {
        return NameDialog::getObjectName(parent, block, object);
    };
    hooks.resizeBlock = [](QWidget* parent, const UnitTable& units, CBlock& block) {
        return ResizeDialog::getBlockSize(parent, units, block);
    };
    hooks.resizeObject = [](QWidget* parent, const UnitTable& units, CBlock& block,
                            CHouseObject& object) {
        return ResizeDialog::getObjectSize(parent, units, block, object);
    };
    hooks.reposition = [](QWidget* parent, CBlock& block) {
        return RepositionDialog::reposition(parent, block);
    };
    return hooks;
}

} // namespace ardenvo
