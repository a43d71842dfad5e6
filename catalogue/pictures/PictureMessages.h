#pragma once

#include "widgets/Prompter.h"

#include <QString>

#include <string_view>

class QWidget;

namespace ardenvo {

// The boxes the pictures show, worded and titled alike wherever they come from.

// The program's name as title, warning icon.
void warnAboutPicture(Prompter& prompter, QWidget* parent, const QString& text);
// A picture file that could not be shown: "Wrong image file", then a box of no owner titled
// "Error" with the name, `problem` and the name again.
void reportUnreadablePicture(Prompter& prompter, QWidget* parent, std::string_view fileName,
                             std::string_view problem);
// "Selected image will be deleted. Are you sure?", titled "Warning", No taking Enter; true for Yes.
bool confirmPictureDeletion(Prompter& prompter, QWidget* parent);
// The open-file dialog of "Browse"; empty when cancelled.
QString choosePictureFile(Prompter& prompter, QWidget* parent);

// The open-file dialog's filter: every picture file name extension the Images folder list offers.
QString pictureFileFilter();

} // namespace ardenvo
