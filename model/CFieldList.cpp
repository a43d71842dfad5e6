#include "model/CFieldList.h"

#include <algorithm>

namespace ardenvo {

CField::CField(std::string name, std::string value, std::string category)
    : name(std::move(name)), value(std::move(value)), category(std::move(category)) {}

CField& CFieldList::append(std::unique_ptr<CField> field) {
    m_entries.push_back(std::move(field));
    return *m_entries.back();
}

CField& CFieldList::append(std::string name, std::string value, std::string category) {
    return append(std::make_unique<CField>(std::move(name), std::move(value), std::move(category)));
}

void CFieldList::deleteEntryAt(std::size_t index) {
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

std::unique_ptr<CField> CFieldList::unlinkEntry(const CField* entry) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [entry](const auto& e) { return e.get() == entry; });
    if (it == m_entries.end())
        return nullptr;
    auto owned = std::move(*it);
    m_entries.erase(it);
    return owned;
}

std::unique_ptr<CFieldList> CFieldList::clone() const {
    auto copy = std::make_unique<CFieldList>(title);
    copy->saveValues = saveValues;
    for (const auto& e : m_entries) {
        auto& f = copy->append(e->name, e->value, e->category);
        f.saveValue = e->saveValue;
    }
    return copy;
}

} // namespace ardenvo
