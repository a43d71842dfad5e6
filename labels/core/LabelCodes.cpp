#include "labels/core/LabelCodes.h"

#include "labels/core/LabelSubjects.h"
#include "search/engine/CaseFold.h"

#include <cstdio>
#include <map>
#include <memory>
#include <set>

namespace ardenvo {
namespace {

const CField* codeField(const CHouseObject& object) {
    for (const auto& category : object.categories()) {
        if (category->title != kLabelCategory)
            continue;
        for (const auto& field : category->entries())
            if (field->name.view() == kCodeAttribute && !field->value.view().empty())
                return field.get();
    }
    return nullptr;
}

} // namespace

std::string labelCode(int number) {
    char text[24];
    std::snprintf(text, sizeof text, "AV-%04d", number);
    return text;
}

std::string storedCode(const CHouseObject& object) {
    const CField* field = codeField(object);
    return field ? std::string(field->value.view()) : std::string();
}

std::vector<std::string> planLabelCodes(const CBrenvikaDoc& doc,
                                        const std::vector<LabelSubject>& subjects) {
    // Who bears each code first, in house order: a later object with the same code gets a new one.
    std::map<std::string, const CHouseObject*> firstBearer;
    forEachLabelSubject(doc, [&](const LabelSubject& subject) {
        if (subject.isRoom())
            return;
        const std::string code = storedCode(*subject.object);
        if (!code.empty())
            firstBearer.emplace(foldCase(code), subject.object);
    });
    std::vector<std::string> codes;
    codes.reserve(subjects.size());
    int next = 1;
    for (const LabelSubject& subject : subjects) {
        if (subject.isRoom()) {
            codes.emplace_back();
            continue;
        }
        std::string code = storedCode(*subject.object);
        const auto bearer = firstBearer.find(foldCase(code));
        if (code.empty() || bearer == firstBearer.end() || bearer->second != subject.object) {
            do
                code = labelCode(next++);
            while (firstBearer.count(foldCase(code)) != 0);
            firstBearer.emplace(foldCase(code), subject.object);
        }
        codes.push_back(std::move(code));
    }
    return codes;
}

std::size_t storeLabelCodes(const std::vector<LabelSubject>& subjects,
                            const std::vector<std::string>& codes) {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < subjects.size() && i < codes.size(); ++i) {
        CHouseObject* object = subjects[i].object;
        if (!object || codes[i].empty() || storedCode(*object) == codes[i])
            continue;
        CFieldList* label = nullptr;
        for (const auto& category : object->categories())
            if (category->title == kLabelCategory && !label)
                label = category.get();
        if (!label)
            label =
                &object->appendCategory(std::make_unique<CFieldList>(std::string(kLabelCategory)));
        CField* field = nullptr;
        for (const auto& entry : label->entries())
            if (entry->name.view() == kCodeAttribute && !field)
                field = entry.get();
        if (field)
            field->value = codes[i];
        else
            label->append(kCodeAttribute, codes[i]);
        ++changed;
    }
    return changed;
}

} // namespace ardenvo
