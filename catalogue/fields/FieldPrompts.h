#pragma once

#include "model/CFieldList.h"
#include "model/CHouseObject.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace ardenvo {

class SettingsFile;

// The questions, messages and dialogs of the category panel, so that tests can answer them. An
// empty member falls back to the standard Qt dialog.
struct FieldPrompts {
    // Yes/No question titled "Warning", warning icon, No by default; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> confirm;
    // A refusal or a file that could not be used: titled "Error".
    std::function<void(QWidget* parent, const QString& text)> error;
    // A refused edit with the application's name as title and an exclamation icon.
    std::function<void(QWidget* parent, const QString& text)> warn;
    // The name dialog in category mode; nullopt on Cancel.
    std::function<std::optional<std::string>(QWidget* parent, const CHouseObject& object,
                                             const CFieldList* category,
                                             const std::string& current)>
        categoryName;
    // The field file to read (an existing one) or to write (the user has agreed to replace an
    // existing one), the dialog starting in `folder`; empty on Cancel.
    std::function<QString(QWidget* parent, const QString& folder)> openFieldFile;
    std::function<QString(QWidget* parent, const QString& folder)> saveFieldFile;
    // Where the field-file dialogs start, as Open and Save As do: the folder of the open house
    // (empty path: untitled), else the folder last used in them (kept in `folderSettings`; none
    // kept without it), else the home folder.
    QString housePath;
    SettingsFile* folderSettings = nullptr;

    bool askYesNo(QWidget* parent, const QString& text) const;
    void showError(QWidget* parent, const QString& text) const;
    void showWarning(QWidget* parent, const QString& text) const;
    std::optional<std::string> askCategoryName(QWidget* parent, const CHouseObject& object,
                                               const CFieldList* category,
                                               const std::string& current) const;
    QString askOpenFieldFile(QWidget* parent) const;
    QString askSaveFieldFile(QWidget* parent) const;

private:
    QString askFieldFile(QWidget* parent, bool forSaving) const;
};

} // namespace ardenvo
