#include "planeditor/view/StandardDialogHooks.h"

#include "planeditor/view/RepositionDialog.h"
#include "widgets/NameDialog.h"
#include "widgets/ResizeDialog.h"

namespace ardenvo {

PlanDialogHooks standardDialogHooks(Prompter& prompter) {
    // Each dialog is parented to the widget the view passes (the view itself), so it centres on
    // the plan.
    PlanDialogHooks hooks;
    hooks.renameBlock = [](QWidget* parent, CSection& section, CBlock& block) {
        return NameDialog::getBlockName(parent, section, block);
    };
    hooks.renameObject = [](QWidget* parent, CBlock& block, CHouseObject& object) {
        return NameDialog::getObjectName(parent, block, object);
    };
    hooks.resizeBlock = [&prompter](QWidget* parent, const UnitTable& units, CBlock& block) {
        return ResizeDialog::getBlockSize(parent, units, block, prompter);
    };
    hooks.resizeObject = [&prompter](QWidget* parent, const UnitTable& units, CBlock& block,
                                     CHouseObject& object) {
        return ResizeDialog::getObjectSize(parent, units, block, object, prompter);
    };
    hooks.reposition = [&prompter](QWidget* parent, CBlock& block) {
        return RepositionDialog::reposition(parent, block, prompter);
    };
    return hooks;
}

} // namespace ardenvo
