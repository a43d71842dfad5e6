#include "tools/samples/SampleBuilder.h"

#include "planeditor/layout/BlockLayout.h"

#include <memory>

namespace ardenvo::samples {

namespace {

CField* findAttribute(CHouseObject& object, const std::string& title, const std::string& name) {
    for (const auto& category : object.categories()) {
        if (category->title != title)
            continue;
        for (const auto& field : category->entries())
            if (field->name == name)
                return field.get();
    }
    return nullptr;
}

void setAttribute(CHouseObject& object, const std::string& title, const std::string& name,
                  const std::string& value) {
    if (value.empty())
        return;
    if (CField* field = findAttribute(object, title, name))
        field->value = value;
}

CReminder& newReminder(CHouseObject& object, const LocalDateTime& start, const std::string& notes) {
    auto reminder = std::make_unique<CReminder>(start);
    reminder->notes = notes;
    reminder->objectName = object.name;
    return object.addReminder(std::move(reminder));
}

} // namespace

CBlock& firstHall(CBrenvikaDoc& doc, const std::string& name, int width, int height) {
    CBlock& hall = *doc.currentSection()->blocks().front();
    hall.name = name;
    const Rect r = hall.rect();
    hall.setRect({r.left, r.top, r.left + width, r.top + height});
    return hall;
}

CBlock& attach(CBrenvikaDoc& doc, CBlock& anchor, BlockSide side, BlockKind kind,
               const std::string& name, int width, int height, AlignMode mode) {
    anchor.alignments[side] = {static_cast<std::int32_t>(mode), 0};
    CBlock* block = addNeighbor(doc, anchor.id, side, kind);
    block->name = name;
    block->setRect({0, 0, width, height});
    placeNeighbor(*doc.currentSection(), anchor.id, block->id, side);
    return *block;
}

CHouseObject& floorObject(CBlock& block, const std::string& name, const Rect& rect,
                          const std::string& notes) {
    auto object = std::make_unique<CHouseObject>();
    object->name = name;
    object->notes = notes;
    object->location.rect = rect;
    return block.addFloorObject(std::move(object));
}

CHouseObject& nested(CHouseObject& parent, NestPosition pos, const std::string& name,
                     const Rect& rect, const std::string& notes) {
    auto object = std::make_unique<CHouseObject>();
    object->name = name;
    object->notes = notes;
    object->location.rect = rect;
    return parent.addChild(pos, std::move(object));
}

void recordPurchase(CHouseObject& object, const Purchase& purchase) {
    setAttribute(object, "Location", "Where bought", purchase.shop);
    setAttribute(object, "Value", "Price paid", purchase.price);
    setAttribute(object, "Value", "Insurance value", purchase.insurance);
    setAttribute(object, "Guarantee", "When bought", purchase.date);
    setAttribute(object, "Guarantee", "Guarantee", purchase.guarantee);
    setAttribute(object, "Guarantee", "Repair 1", purchase.repair1);
}

void addCategory(CHouseObject& object, const std::string& title,
                 std::initializer_list<std::pair<std::string, std::string>> attributes) {
    auto category = std::make_unique<CFieldList>(title);
    for (const auto& [name, value] : attributes)
        category->append(name, value);
    object.appendCategory(std::move(category));
}

CReminder& singleReminder(CHouseObject& object, const LocalDateTime& when,
                          const std::string& notes) {
    return newReminder(object, when, notes);
}

CReminder& repeatEach(CHouseObject& object, const LocalDateTime& start, int count, PeriodUnit unit,
                      const std::string& notes) {
    CReminder& r = newReminder(object, start, notes);
    r.type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
    r.periodicMode = static_cast<std::int32_t>(PeriodicMode::RepeatEach);
    r.repeatEachCount = count;
    r.repeatEachUnit = static_cast<std::int32_t>(unit);
    return r;
}

CReminder& repeatOn(CHouseObject& object, const LocalDateTime& start, int number,
                    RepeatOnAnchor anchor, PeriodUnit unit, const std::string& notes) {
    CReminder& r = newReminder(object, start, notes);
    r.type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
    r.periodicMode = static_cast<std::int32_t>(PeriodicMode::RepeatOn);
    r.repeatOnNumber = number;
    r.repeatOnAnchor = static_cast<std::int32_t>(anchor);
    r.repeatOnUnit = static_cast<std::int32_t>(unit);
    return r;
}

} // namespace ardenvo::samples
