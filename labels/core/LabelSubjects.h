#pragma once

#include "labels/core/LabelText.h"
#include "model/CBrenvikaDoc.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

// Visits every room and hall of the house and, after each, its objects in tree order (each with
// the objects it is nested in): the order labels are printed in. Deep nests are walked without
// recursion.
void forEachLabelSubject(const CBrenvikaDoc& doc,
                         const std::function<void(const LabelSubject&)>& visit);

// The subjects that `wanted` accepts, in house order.
std::vector<LabelSubject> labelSubjects(const CBrenvikaDoc& doc,
                                        const std::function<bool(const LabelSubject&)>& wanted);

// Every object that holds others (boxes, cupboards, shelves), in house order.
std::vector<LabelSubject> containerSubjects(const CBrenvikaDoc& doc);
// Every room and hall, in house order.
std::vector<LabelSubject> roomSubjects(const CBrenvikaDoc& doc);

bool holdsOthers(const CHouseObject& object);

// The room or hall "SECTION/BLOCK", or the object "SECTION/BLOCK/NAME[/NAME...]" (each further
// name one nested in the one before it, in the tree's order of the lists); nullopt when the path
// leads nowhere. The first section and block of a name count.
std::optional<LabelSubject> findLabelSubject(const CBrenvikaDoc& doc, std::string_view path,
                                             bool object);

// Whether two subjects are the same label.
bool sameSubject(const LabelSubject& a, const LabelSubject& b);

} // namespace ardenvo
