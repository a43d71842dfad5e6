#pragma once

// An object's documents: the attributes of its "Documents" categories, each named for what the
// paper is ("Receipt", "Manual", "Warranty card") with a file of the Documents folder as its
// value. An ordinary category to the project and field files. No Qt.

#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

class CField;
class CFieldList;
class CHouseObject;

inline constexpr const char* kDocumentsCategory = "Documents";

bool isDocumentsCategory(const CFieldList& category);

// One document of an object, in category and attribute order.
struct ObjectDocument {
    const CField* field = nullptr;
    std::string name; // what the paper is
    std::string file; // its file name in the Documents folder
};
// Every attribute of the object's "Documents" categories that names a file.
std::vector<ObjectDocument> objectDocuments(const CHouseObject& object);

// Adds the document to the object's first "Documents" category, appended when it has none, and
// makes that category current; its index.
int attachDocument(CHouseObject& object, std::string_view name, std::string_view fileName);

// The name a document attached from that file starts with: "Receipt", "Manual" or "Warranty
// card" when the file's name says so, else "Document".
std::string documentNameFor(std::string_view fileName);

// Whether a document of that name is a receipt ("Receipt", "receipt 2", ...), which the
// inventory report can show.
bool isReceipt(std::string_view name);

} // namespace ardenvo
