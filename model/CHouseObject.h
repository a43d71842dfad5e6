#pragma once

#include "model/CFieldList.h"
#include "model/CReminder.h"
#include "model/Geometry.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ardenvo {

enum class NestPosition : int { Under = 0, Inside = 1, OnTop = 2 };
inline constexpr int kNestPositionCount = 3;

// A random 24-bit colour from the C library's generator (not seeded here).
ColorRef randomObjectColor();

// One recorded household object, with the objects under, inside and on top of it.
class CHouseObject final : public RecordMemory<CHouseObject> {
public:
    using List =
        std::vector<std::unique_ptr<CHouseObject>, RecordAllocator<std::unique_ptr<CHouseObject>>>;
    using CategoryList =
        std::vector<std::unique_ptr<CFieldList>, RecordAllocator<std::unique_ptr<CFieldList>>>;
    using ReminderList =
        std::vector<std::unique_ptr<CReminder>, RecordAllocator<std::unique_ptr<CReminder>>>;

    // A new object: random colour, the default categories, everything else empty.
    CHouseObject();
    // An object with nothing in it, for readers that fill every field themselves.
    struct Bare {};
    explicit CHouseObject(Bare);
    ~CHouseObject();
    CHouseObject(const CHouseObject&) = delete;
    CHouseObject& operator=(const CHouseObject&) = delete;

    ColorRef color = 0;
    CColorRect location{0, {10, 10, 70, 70}};
    std::string notes;
    std::string name = "Object";
    CompactText reserved; // always empty; the file carries it (16 bytes rather than 32)
    CFieldList pictures;
    std::int32_t floorIndex = 0; // meaningful for floor objects only; not stored
    std::uint8_t selected = 0;   // set by the plan view; not stored

    // Nesting lists
    const List& children(NestPosition pos) const { return m_children[index(pos)]; }
    CHouseObject& addChild(NestPosition pos, std::unique_ptr<CHouseObject> child);
    CHouseObject* findChild(NestPosition pos, const std::string& name) const;
    // Unlinks the first child of that name; the caller keeps or drops it. Nothing matches: nullptr.
    std::unique_ptr<CHouseObject> removeChild(NestPosition pos, const std::string& name);
    // Unlinks that very child from the list at `pos`; nullptr when it is not there.
    std::unique_ptr<CHouseObject> removeChild(NestPosition pos, const CHouseObject* child);
    // Appends without renaming: for readers, which restore names as stored.
    void appendChildAsStored(NestPosition pos, std::unique_ptr<CHouseObject> child);

    // Categories
    const CategoryList& categories() const { return m_categories; }
    CFieldList& addCategory(); // titled "Category", becomes current
    CFieldList& appendCategory(std::unique_ptr<CFieldList> category);
    // -1 means the current category; any other index becomes current. Out of range: nullptr.
    CFieldList* categoryAt(int index);
    void deleteCategory(int index);
    int currentCategory() const { return m_currentCategory; }
    void clearCategories();
    // Room for `count` categories, for readers that know how many follow.
    void reserveCategories(std::size_t count) { m_categories.reserve(count); }

    // A new name. The object's reminders keep a copy of it for the reminder program, so a change
    // reaches them too.
    void rename(std::string newName);

    // Reminders
    const ReminderList& reminders() const { return m_reminders; }
    CReminder& addReminder(std::unique_ptr<CReminder> reminder);
    std::unique_ptr<CReminder> removeReminder(const CReminder* reminder);

private:
    static std::size_t index(NestPosition pos) { return static_cast<std::size_t>(pos); }

    std::array<List, kNestPositionCount> m_children;
    CategoryList m_categories;
    ReminderList m_reminders;
    int m_currentCategory = 0;
};

} // namespace ardenvo
