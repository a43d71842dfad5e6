#pragma once

#include "archive/HouseArchive.h"

#include <QString>

#include <string>

class QWidget;

namespace ardenvo {

class CBrenvikaDoc;
class Prompter;

// File > "Export with pictures...": asks where, then writes the house as shown (`houseName`, the
// name of its file) with its pictures and documents into one ZIP under a progress window, and
// says what it wrote and what was missing. False when cancelled or failed (said then).
bool exportWithPictures(QWidget* parent, const CBrenvikaDoc& doc, const QString& housePath,
                        const HouseFolders& folders, Prompter& prompter);

// What File > "Import archive..." brought in.
struct ImportedHouse {
    std::string house; // the house's bytes, to be opened
    QString path;      // where the user chose to keep it
};

// File > "Import archive...": asks for the ZIP and for where to keep its house, puts the pictures
// and documents into their folders under a progress window and says what was skipped or
// renamed. False when cancelled or failed (said then).
bool importArchive(QWidget* parent, const HouseFolders& folders, const QString& startFolder,
                   Prompter& prompter, ImportedHouse& imported);

} // namespace ardenvo
