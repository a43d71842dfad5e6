#pragma once

#include <QString>

#include <functional>
#include <string_view>

class QWidget;

namespace ardenvo {

// The message boxes and the file chooser of the pictures, so tests can answer them. An empty
// member falls back to the standard Qt dialog.
struct PicturePrompts {
    // The application's name as title, warning icon.
    std::function<void(QWidget* parent, const QString& text)> warn;
    // No owner window and the system's default title ("Error"), no icon.
    std::function<void(const QString& text)> notify;
    // Titled "Warning", warning icon, Yes and No with No by default; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> confirm;
    // The file chosen in the open-file dialog, empty when cancelled.
    std::function<QString(QWidget* parent)> chooseFile;

    void showWarning(QWidget* parent, const QString& text) const;
    void showNotice(const QString& text) const;
    bool askYesNo(QWidget* parent, const QString& text) const;
    QString pickFile(QWidget* parent) const;
    // A picture file that could not be shown: "Wrong image file", then the name and `problem`.
    void reportUnreadable(QWidget* parent, std::string_view fileName,
                          std::string_view problem) const;
};

// The open-file dialog's filter: every picture file name extension the Images folder list offers.
QString pictureFileFilter();

} // namespace ardenvo
