#include "catalogue/fields/FieldPanelSettings.h"

#include "platform/AppPaths.h"
#include "platform/DialogFolders.h"
#include "platform/image/PictureFiles.h"
#include "widgets/NameDialog.h"
#include "widgets/Prompter.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace ardenvo {

QString askFieldFile(Prompter& prompter, QWidget* parent, const FieldPanelSettings& settings,
                     FieldFileUse use) {
    Prompter::FileRequest request;
    request.start =
        dialogStartFolder(settings.housePath, FileDialogKind::FieldFile, settings.folderSettings);
    request.filter = QCoreApplication::translate("ardenvo::FieldPanelSettings", "Field files (*.fld)");
    request.defaultSuffix = QStringLiteral("fld");
    const QString path = use == FieldFileUse::Write ? prompter.askSaveFileName(parent, request)
                                                    : prompter.askOpenFileName(parent, request);
    rememberDialogFolder(FileDialogKind::FieldFile, path, settings.folderSettings);
    return path;
}

QString askDocumentFile(Prompter& prompter, QWidget* parent, QString& folder) {
    QStringList pictures;
    for (const std::string_view extension : kPictureExtensions)
        pictures << QStringLiteral("*.") + QString::fromLatin1(extension);
    const QString text = QStringLiteral("*.txt *.text *.md *.csv *.log");
    Prompter::FileRequest request;
    request.caption = QCoreApplication::translate("ardenvo::FieldPanelSettings", "Attach document");
    // Where papers are usually saved, else home: never the program's own working folder.
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    request.start = folder;
    request.filter = QCoreApplication::translate("ardenvo::FieldPanelSettings",
                                                 "Documents (*.pdf %1 %2);;PDF files (*.pdf);;"
                                                 "Pictures (%1);;Text files (%2)")
                         .arg(pictures.join(QLatin1Char(' ')), text);
    const QString path = prompter.askOpenFileName(parent, request);
    if (!path.isEmpty())
        folder = QFileInfo(path).absolutePath();
    return path;
}

std::string documentsFolderOf(const FieldPanelSettings& settings) {
    return settings.documentsFolder.empty() ? AppPaths::documentsDirectory()
                                            : settings.documentsFolder;
}

bool openDocumentFile(const FieldPanelSettings& settings, const QString& path) {
    const QUrl url = QUrl::fromLocalFile(path);
    return settings.openDocument ? settings.openDocument(url) : QDesktopServices::openUrl(url);
}

std::optional<std::string> askCategoryName(QWidget* parent, const FieldPanelSettings& settings,
                                           const CHouseObject& object, const CFieldList* category,
                                           const std::string& current) {
    if (settings.categoryName)
        return settings.categoryName(parent, object, category, current);
    return NameDialog::getCategoryName(parent, object, category, current);
}

} // namespace ardenvo
