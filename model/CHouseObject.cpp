#include "model/CHouseObject.h"

#include "model/UniqueName.h"

#include <algorithm>
#include <cstdlib>

namespace ardenvo {

ColorRef randomObjectColor() {
    const unsigned r1 = static_cast<unsigned>(std::rand());
    const unsigned r2 = static_cast<unsigned>(std::rand());
    const unsigned r3 = static_cast<unsigned>(std::rand());
    return ((r1 & 0xFF) << 16) | ((r2 & 0xFF) << 8) | (r3 & 0xFF);
}

CHouseObject::CHouseObject() : color(randomObjectColor()) {
    auto& location = appendCategory(std::make_unique<CFieldList>("Location"));
    location.append("Where bought", "");
    auto& value = appendCategory(std::make_unique<CFieldList>("Value"));
    value.append("Price paid", "");
    value.append("Insurance value", "");
    auto& guarantee = appendCategory(std::make_unique<CFieldList>("Guarantee"));
    guarantee.append("When bought", "yyyymmdd");
    guarantee.append("Guarantee", "... months");
    guarantee.append("Repair 1", "not yet");
    guarantee.append("Repair 2", "not yet");
    m_currentCategory = 0;
}

CHouseObject::CHouseObject(Bare) {}

CHouseObject::~CHouseObject() {
    // The reverse of the order a reader builds an object in (see freeLastFirst).
    pictures.clear();
    freeLastFirst(m_reminders);
    for (int pos = kNestPositionCount; pos-- > 0;)
        freeLastFirst(m_children[static_cast<std::size_t>(pos)]);
    freeLastFirst(m_categories);
}

CHouseObject& CHouseObject::addChild(NestPosition pos, std::unique_ptr<CHouseObject> child) {
    auto& list = m_children[index(pos)];
    child->rename(uniqueSiblingNameIn(
        child->name, list, [](const CHouseObject& o) -> const auto& { return o.name; }));
    list.push_back(std::move(child));
    return *list.back();
}

void CHouseObject::appendChildAsStored(NestPosition pos, std::unique_ptr<CHouseObject> child) {
    m_children[index(pos)].push_back(std::move(child));
}

CHouseObject* CHouseObject::findChild(NestPosition pos, const std::string& name) const {
    for (const auto& c : m_children[index(pos)])
        if (c->name == name)
            return c.get();
    return nullptr;
}

std::unique_ptr<CHouseObject> CHouseObject::removeChild(NestPosition pos, const std::string& name) {
    const CHouseObject* found = findChild(pos, name);
    return found ? removeChild(pos, found) : nullptr;
}

std::unique_ptr<CHouseObject> CHouseObject::removeChild(NestPosition pos,
                                                        const CHouseObject* child) {
    auto& list = m_children[index(pos)];
    auto it =
        std::find_if(list.begin(), list.end(), [child](const auto& c) { return c.get() == child; });
    if (it == list.end())
        return nullptr;
    auto owned = std::move(*it);
    list.erase(it);
    return owned;
}

CFieldList& CHouseObject::addCategory() {
    auto& category = appendCategory(std::make_unique<CFieldList>("Category"));
    m_currentCategory = static_cast<int>(m_categories.size()) - 1;
    return category;
}

CFieldList& CHouseObject::appendCategory(std::unique_ptr<CFieldList> category) {
    m_categories.push_back(std::move(category));
    return *m_categories.back();
}

CFieldList* CHouseObject::categoryAt(int index) {
    if (index != -1)
        m_currentCategory = index;
    if (m_currentCategory < 0 || m_currentCategory >= static_cast<int>(m_categories.size()))
        return nullptr;
    return m_categories[static_cast<std::size_t>(m_currentCategory)].get();
}

void CHouseObject::deleteCategory(int index) {
    if (index == -1)
        index = m_currentCategory;
    if (m_currentCategory == static_cast<int>(m_categories.size()) - 1)
        --m_currentCategory;
    if (index >= 0 && index < static_cast<int>(m_categories.size()))
        m_categories.erase(m_categories.begin() + index);
}

void CHouseObject::clearCategories() {
    m_categories.clear();
    m_currentCategory = 0;
}

void CHouseObject::rename(std::string newName) {
    if (newName == name)
        return;
    name = std::move(newName);
    for (const auto& reminder : m_reminders)
        reminder->objectName = name;
}

CReminder& CHouseObject::addReminder(std::unique_ptr<CReminder> reminder) {
    m_reminders.push_back(std::move(reminder));
    return *m_reminders.back();
}

std::unique_ptr<CReminder> CHouseObject::removeReminder(const CReminder* reminder) {
    auto it = std::find_if(m_reminders.begin(), m_reminders.end(),
                           [reminder](const auto& r) { return r.get() == reminder; });
    if (it == m_reminders.end())
        return nullptr;
    auto owned = std::move(*it);
    m_reminders.erase(it);
    return owned;
}

} // namespace ardenvo
