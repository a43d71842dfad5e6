#include "catalogue/ObjectsDialogServices.h"

#include "planeditor/view/ResizeDialog.h"
#include "widgets/DialogSupport.h"
#include "widgets/QtPrompter.h"

#include <QMessageBox>

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

std::optional<ColorRef> ObjectsDialogServices::runColor(QWidget* parent, ColorRef initial) const {
    if (chooseColor)
        return chooseColor(parent, initial);
    return prompts().askColor(parent, initial);
}

bool ObjectsDialogServices::askYesNo(QWidget* parent, const QString& text) const {
    if (confirm)
        return confirm(parent, text);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Prompter& ObjectsDialogServices::prompts() const {
    return prompter ? *prompter : standardPrompter();
}

} // namespace ardenvo
