#pragma once

#include "model/CFieldList.h"
#include "model/CHouseObject.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class QUrl;
class QWidget;

namespace ardenvo {

class Prompter;
class SettingsFile;

// What the category panel needs besides the prompter: where its field-file dialogs start, and the
// name dialog of its categories.
struct FieldPanelSettings {
    // Where the field-file dialogs start, as Open and Save As do: the folder of the open house
    // (empty path: untitled), else the folder last used in them (kept in `folderSettings`; none
    // kept without it), else the home folder.
    QString housePath;
    SettingsFile* folderSettings = nullptr;
    // The name dialog in category mode; nullopt on Cancel. Empty: the standard NameDialog.
    std::function<std::optional<std::string>(QWidget* parent, const CHouseObject& object,
                                             const CFieldList* category,
                                             const std::string& current)>
        categoryName;
    // The folder the documents are kept in (empty: the program's Documents folder), and what
    // opens one with the desktop's program for it, false when none could (empty:
    // QDesktopServices::openUrl).
    std::string documentsFolder;
    std::function<bool(const QUrl& file)> openDocument;
};

// The field file to read (an existing one) or to write (the dialog has asked before an existing
// one is replaced); empty on Cancel. The folder chosen is kept for the next time.
enum class FieldFileUse { Read, Write };
QString askFieldFile(Prompter& prompter, QWidget* parent, const FieldPanelSettings& settings,
                     FieldFileUse use);

// "Attach document...": a PDF, picture or text file to read; empty on Cancel. The dialog starts
// where the last one ended (`folder`, which it updates), else in the user's documents.
QString askDocumentFile(Prompter& prompter, QWidget* parent, QString& folder);
// The folder of the settings, or the program's Documents folder (made when missing; empty when
// it cannot be).
std::string documentsFolderOf(const FieldPanelSettings& settings);
// Opens the file with the desktop's program for it; false when none could.
bool openDocumentFile(const FieldPanelSettings& settings, const QString& path);

std::optional<std::string> askCategoryName(QWidget* parent, const FieldPanelSettings& settings,
                                           const CHouseObject& object, const CFieldList* category,
                                           const std::string& current);

} // namespace ardenvo
