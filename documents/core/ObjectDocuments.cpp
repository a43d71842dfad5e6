#include "documents/core/ObjectDocuments.h"

#include "model/CHouseObject.h"

#include <algorithm>
#include <memory>

namespace ardenvo {

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return out;
}

} // namespace

bool isDocumentsCategory(const CFieldList& category) {
    return category.title == kDocumentsCategory;
}

std::vector<ObjectDocument> objectDocuments(const CHouseObject& object) {
    std::vector<ObjectDocument> documents;
    for (const auto& category : object.categories()) {
        if (!isDocumentsCategory(*category))
            continue;
        for (const auto& field : category->entries())
            if (!field->value.empty())
                documents.push_back({field.get(), field->name.str(), field->value.str()});
    }
    return documents;
}

int attachDocument(CHouseObject& object, std::string_view name, std::string_view fileName) {
    const auto& categories = object.categories();
    int index = -1;
    for (std::size_t i = 0; i < categories.size() && index < 0; ++i)
        if (isDocumentsCategory(*categories[i]))
            index = static_cast<int>(i);
    if (index < 0) {
        object.appendCategory(std::make_unique<CFieldList>(kDocumentsCategory));
        index = static_cast<int>(categories.size()) - 1;
    }
    object.categoryAt(index)->append(name, fileName, kDocumentsCategory);
    return index;
}

std::string documentNameFor(std::string_view fileName) {
    const std::string name = lowered(fileName);
    const auto says = [&name](std::initializer_list<const char*> words) {
        return std::any_of(words.begin(), words.end(), [&name](const char* word) {
            return name.find(word) != std::string::npos;
        });
    };
    if (says({"receipt", "invoice", "quittung", "rechnung", "facture"}))
        return "Receipt";
    if (says({"warrant", "guarantee", "garantie"}))
        return "Warranty card";
    if (says({"manual", "guide", "instruction", "handbuch", "anleitung"}))
        return "Manual";
    return "Document";
}

bool isReceipt(std::string_view name) {
    return lowered(name).rfind("receipt", 0) == 0;
}

} // namespace ardenvo
