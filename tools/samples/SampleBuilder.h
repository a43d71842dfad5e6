#pragma once

#include "model/CBrenvikaDoc.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace ardenvo::samples {

// Short hands for writing a furnished house in a few readable lines.

// Renames the current section's first hall and gives it a size; returns it.
CBlock& firstHall(CBrenvikaDoc& doc, const std::string& name, int width, int height);

// Adds a block on `side` of `anchor` in the current section with the real layout rules, aligned
// as `mode` says, then gives it its name and size and places it again at that size.
CBlock& attach(CBrenvikaDoc& doc, CBlock& anchor, BlockSide side, BlockKind kind,
               const std::string& name, int width, int height, AlignMode mode = AlignMode::Start);

// A new object with the default categories standing on the block's floor at `rect` (block
// coordinates), or nested in `parent` at `pos`.
CHouseObject& floorObject(CBlock& block, const std::string& name, const Rect& rect,
                          const std::string& notes = {});
CHouseObject& nested(CHouseObject& parent, NestPosition pos, const std::string& name,
                     const Rect& rect, const std::string& notes = {});

// What the default categories record about a purchase; empty members leave the defaults.
struct Purchase {
    std::string shop;
    std::string price;
    std::string insurance;
    std::string date; // yyyymmdd
    std::string guarantee;
    std::string repair1;
};
void recordPurchase(CHouseObject& object, const Purchase& purchase);

// Appends a category of the user's own with the given attributes.
void addCategory(CHouseObject& object, const std::string& title,
                 std::initializer_list<std::pair<std::string, std::string>> attributes);

// Reminders at fixed dates, so that the generated files never change from run to run.
CReminder& singleReminder(CHouseObject& object, const LocalDateTime& when,
                          const std::string& notes);
CReminder& repeatEach(CHouseObject& object, const LocalDateTime& start, int count, PeriodUnit unit,
                      const std::string& notes);
CReminder& repeatOn(CHouseObject& object, const LocalDateTime& start, int number,
                    RepeatOnAnchor anchor, PeriodUnit unit, const std::string& notes);

} // namespace ardenvo::samples
