#pragma once

#include "model/CBrenvikaDoc.h"

#include <QString>

#include <string>
#include <vector>

namespace ardenvo {

// The copy of a house with unsaved changes that lets the next start bring them back after a
// crash. Each running main program keeps one file, named after its process id, in a folder of
// the user's data folder: a short header with the house's own path, then the house's bytes as
// the project writer makes them. It is replaced safely, so a crash while writing leaves the
// previous copy whole.
class RecoveryFile {
public:
    // `folder` is created when first written to.
    explicit RecoveryFile(std::string folder);

    // <GenericDataLocation>/Ardenvo/recovery (honours XDG_DATA_HOME).
    static std::string defaultFolder();

    const std::string& folder() const { return m_folder; }
    // Whether the folder can hold the copies: created when missing, refused (with the reason)
    // when it is a link, not a folder or another user's, as the runtime directory is.
    bool usable(std::string* error = nullptr) const;
    // This program's own file.
    std::string path() const;

    // Replaces this program's copy with the house; false (and *error) when it could not be
    // written.
    bool write(const CBrenvikaDoc& doc, std::string* error = nullptr);
    // Removes this program's copy, if any.
    void remove();

    // A copy another program left.
    struct LeftOver {
        std::string file;
        int pid = 0;
    };
    // The copies of programs that are no longer running, oldest process id first: only plain
    // files of ours named "<process id>.recovery", none when the folder is not usable.
    std::vector<LeftOver> leftOvers() const;

    // What a copy holds. False when the file is not a whole recovery copy of a readable house
    // (one larger than a house can be is refused before it is read); then nothing is to be
    // opened from it.
    struct Contents {
        std::string housePath; // empty for a house that was never saved
        std::string house;     // the project file's bytes
    };
    static bool read(const std::string& file, Contents& out, std::string* error = nullptr);
    // The reason read gave, in the user's language.
    static QString translatedReason(const std::string& reason);
    // Renames a damaged copy so that it is never offered again but stays for the user to look
    // at, as "<copy>.damaged" or, when that exists, "<copy>.damaged.2" and so on (nothing is
    // replaced); the new name, or "" when the rename failed (the file is removed then).
    static std::string keepAside(const std::string& file);

    // The header and bytes written for a house; exposed for tests.
    static std::string encode(const std::string& housePath, std::string_view house);

private:
    static bool readWithin(const std::string& file, Contents& out, std::string* error);

    std::string m_folder;
};

} // namespace ardenvo
