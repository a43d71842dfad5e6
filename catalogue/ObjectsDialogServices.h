#pragma once

#include "catalogue/fields/FieldPanelSettings.h"
#include "model/CBlock.h"
#include "model/CBrenvikaDoc.h"
#include "model/ObjectProperties.h"
#include "planeditor/layout/UnitTable.h"
#include "widgets/Prompter.h"

#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace ardenvo {

// The dialogs and messages the "Objects inside" dialog opens, so tests can answer them. An empty
// member falls back to the real dialog; an empty `help` disables the "Help" buttons. Questions,
// messages and the colour chooser go through `prompts()`.
struct ObjectsDialogServices {
    // Every message and question of the dialog and its panels; null: the standard one.
    Prompter* prompter = nullptr;
    // Object properties: the current values (none for a new object); `onFloor` fixes the position.
    std::function<std::optional<ObjectProperties>(
        QWidget* parent, const std::optional<ObjectProperties>& current, bool onFloor)>
        editProperties;
    // The new width and height in centimetres of a floor object.
    std::function<std::optional<QSizeF>(QWidget* parent, const UnitTable& units,
                                        const CBlock& block, const CHouseObject& object)>
        resize;
    // "Move": the house, the dialog's block and the selected object (or null); returns the object
    // moved last, or null.
    std::function<CHouseObject*(QWidget* parent, CBrenvikaDoc& doc, CBlock& block,
                                const CHouseObject* select)>
        moveObject;
    // The manual at the page and section of the asking dialog ("objects.html#move").
    std::function<void(QWidget* parent, const QString& topic)> help;
    // Where the category panel's field-file dialogs start, and its category name dialog.
    FieldPanelSettings fieldSettings;
    // The folder the picture group's files live in (empty: the program's Images folder).
    std::string imagesFolder;
    // "Print label...": the labels dialog with that object ticked.
    std::function<void(QWidget* parent, CBrenvikaDoc& doc, const CHouseObject& object)> printLabel;

    std::optional<ObjectProperties> runProperties(QWidget* parent,
                                                  const std::optional<ObjectProperties>& current,
                                                  bool onFloor) const;
    std::optional<QSizeF> runResize(QWidget* parent, const UnitTable& units, const CBlock& block,
                                    const CHouseObject& object) const;
    Prompter& prompts() const;
    void runPrintLabel(QWidget* parent, CBrenvikaDoc& doc, const CHouseObject& object) const;
};

} // namespace ardenvo
