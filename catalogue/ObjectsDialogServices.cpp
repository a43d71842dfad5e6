#include "catalogue/ObjectsDialogServices.h"

#include "labels/dialog/LabelsDialog.h"
#include "widgets/ObjectPropertiesDialog.h"
#include "widgets/QtPrompter.h"
#include "widgets/ResizeDialog.h"

namespace ardenvo {

std::optional<ObjectProperties> ObjectsDialogServices::runProperties(
    QWidget* parent, const std::optional<ObjectProperties>& current, bool onFloor) const {
    if (editProperties)
        return editProperties(parent, current, onFloor);
    return ObjectPropertiesDialog::edit(parent, current, onFloor);
}

std::optional<QSizeF> ObjectsDialogServices::runResize(QWidget* parent, const UnitTable& units,
                                                       const CBlock& block,
                                                       const CHouseObject& object) const {
    if (resize)
        return resize(parent, units, block, object);
    return ResizeDialog::getObjectSize(parent, units, block, object);
}

Prompter& ObjectsDialogServices::prompts() const {
    return prompter ? *prompter : standardPrompter();
}

void ObjectsDialogServices::runPrintLabel(QWidget* parent, CBrenvikaDoc& doc,
                                          const CHouseObject& object) const {
    if (printLabel)
        printLabel(parent, doc, object);
    else
        LabelsDialog::run(parent, doc, &object, prompts());
}

} // namespace ardenvo
