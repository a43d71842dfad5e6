#include "catalogue/fields/FieldPanelSettings.h"

#include "platform/DialogFolders.h"
#include "widgets/NameDialog.h"
#include "widgets/Prompter.h"

namespace ardenvo {

QString askFieldFile(Prompter& prompter, QWidget* parent, const FieldPanelSettings& settings,
                     FieldFileUse use) {
    Prompter::FileRequest request;
    request.start =
        dialogStartFolder(settings.housePath, FileDialogKind::FieldFile, settings.folderSettings);
    request.filter = QStringLiteral("Field files (*.fld)");
    request.defaultSuffix = QStringLiteral("fld");
    const QString path = use == FieldFileUse::Write ? prompter.askSaveFileName(parent, request)
                                                    : prompter.askOpenFileName(parent, request);
    rememberDialogFolder(FileDialogKind::FieldFile, path, settings.folderSettings);
    return path;
}

std::optional<std::string> askCategoryName(QWidget* parent, const FieldPanelSettings& settings,
                                           const CHouseObject& object, const CFieldList* category,
                                           const std::string& current) {
    if (settings.categoryName)
        return settings.categoryName(parent, object, category, current);
    return NameDialog::getCategoryName(parent, object, category, current);
}

} // namespace ardenvo
