#pragma once

#include <QString>

namespace ardenvo {

class SettingsFile;

// The file dialogs that remember where the user went last. FieldFile: the category panel's
// "Add from file...", "Save with values..." and "Save without values...", which share a folder.
enum class FileDialogKind { Open, Save, Pdf, FieldFile };

// Where a file dialog starts: the folder of the house that is open (`housePath`, empty for an
// untitled house), else the last folder used for that dialog, else the user's home folder.
// Without settings nothing is remembered.
QString dialogStartFolder(const QString& housePath, FileDialogKind kind, SettingsFile* settings);
// Keeps the folder of the file the user chose in that dialog for the next time.
void rememberDialogFolder(FileDialogKind kind, const QString& chosenFile, SettingsFile* settings);

} // namespace ardenvo
