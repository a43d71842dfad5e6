#include "catalogue/fields/FieldPrompts.h"

#include "widgets/DialogSupport.h"
#include "planeditor/view/NameDialog.h"
#include "platform/DialogFolders.h"

#include <QFileDialog>
#include <QMessageBox>

namespace ardenvo {

namespace {

const QString kFilter = QStringLiteral("Field files (*.fld)");

QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& folder) {
    QFileDialog dialog(parent);
    dialog.setDirectory(folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(kFilter);
    dialog.setDefaultSuffix(QStringLiteral("fld"));
    // The dialog itself asks before an existing file is replaced (on by default; said here
    // because the save commands rely on it).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace

bool FieldPrompts::askYesNo(QWidget* parent, const QString& text) const {
    if (confirm)
        return confirm(parent, text);
    // The question comes before a deletion: a hasty Enter must keep the record.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void FieldPrompts::showError(QWidget* parent, const QString& text) const {
    if (error) {
        error(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, parent);
    box.exec();
}

void FieldPrompts::showWarning(QWidget* parent, const QString& text) const {
    if (warn) {
        warn(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, applicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<std::string> FieldPrompts::askCategoryName(QWidget* parent,
                                                         const CHouseObject& object,
                                                         const CFieldList* category,
                                                         const std::string& current) const {
    if (categoryName)
        return categoryName(parent, object, category, current);
    return NameDialog::getCategoryName(parent, object, category, current);
}

QString FieldPrompts::askFieldFile(QWidget* parent, bool forSaving) const {
    const QString folder = dialogStartFolder(housePath, FileDialogKind::FieldFile, folderSettings);
    const auto& hook = forSaving ? saveFieldFile : openFieldFile;
    const QString path =
        hook ? hook(parent, folder)
             : runFileDialog(parent, forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen,
                             folder);
    rememberDialogFolder(FileDialogKind::FieldFile, path, folderSettings);
    return path;
}

QString FieldPrompts::askOpenFieldFile(QWidget* parent) const {
    return askFieldFile(parent, false);
}

QString FieldPrompts::askSaveFieldFile(QWidget* parent) const {
    return askFieldFile(parent, true);
}

} // namespace ardenvo
