#include "model/CFieldList.h"

#include <algorithm>

namespace ardenvo {

CField::CField(std::string_view name, std::string_view value, std::string_view category)
    : name(name), value(value), category(category) {}

CField& CFieldList::append(std::unique_ptr<CField> field) {
    m_entries.push_back(std::move(field));
    return *m_entries.back();
}

CField& CFieldList::append(std::string_view name, std::string_view value,
                           std::string_view category) {
    return append(std::make_unique<CField>(name, value, category));
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

} // namespace ardenvo
