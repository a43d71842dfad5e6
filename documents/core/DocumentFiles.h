#pragma once

// The files of a house's Documents folder: where a named one lies, what it is, whether it can be
// read, and how a file is brought in. No Qt.

#include "model/Translatable.h"
#include "platform/posix/FolderFiles.h"

#include <string>
#include <string_view>

namespace ardenvo {

inline constexpr std::string_view kLeavesDocumentsFolder =
    AV_TRANSLATE_NOOP("ardenvo::DocumentFiles", "The file name leads outside the Documents folder");
inline constexpr const char* kDocumentsFolderNotMade =
    AV_TRANSLATE_NOOP("ardenvo::DocumentFiles", "The Documents folder cannot be made");

// Where a document named by a house lies. A name with a ".." part, an absolute name, or one that
// reaches outside the folder through a link is refused: a house received from someone else must
// not open (or put into a report) any file its user can read. A missing file is not refused here.
using DocumentLocation = FolderLocation;
DocumentLocation locateDocument(const std::string& folder, std::string_view fileName);

// What a document file holds, by its content where that can tell (a PDF), else by its name.
enum class DocumentKind { Pdf, Picture, Text, Other };
DocumentKind documentKind(const std::string& path);

// Whether a named document can be had, as `ardenvo-tool documents` and the panel say it.
enum class DocumentState { Ok, Missing, Unreadable };
struct DocumentStatus {
    DocumentState state = DocumentState::Missing;
    std::string path;   // the file, when the name is not refused
    std::string reason; // for Missing: why the name was refused, if it was
};
DocumentStatus documentStatus(const std::string& folder, std::string_view fileName);
// "ok", "missing" or "unreadable".
const char* stateWord(DocumentState state);

// What became of a file brought into the Documents folder.
struct DocumentCopy {
    bool ok = false;
    std::string fileName; // the bare name it is kept under
    std::string error;    // why it failed (the system's words, or a text of "ardenvo::DocumentFiles")
};

// Brings `source` into `folder` under its own file name. A file of that name with other content
// is never replaced: the copy takes the first free name of "name 2.pdf", "name 3.pdf", ... (the
// name shortened where the number would make it longer than the file system takes). A file of
// the same content (or the source itself) is used as it is, so two objects sharing one receipt
// share one file.
DocumentCopy copyDocumentIn(const std::string& source, const std::string& folder);

} // namespace ardenvo
