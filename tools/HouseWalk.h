#pragma once

#include "model/CBrenvikaDoc.h"

#include <functional>
#include <utility>
#include <vector>

namespace ardenvo::tool {

// Where an object sits: its section, its block, and the objects it is nested in, from the floor
// object down to its direct parent, each with the position of the next one.
struct ObjectPlace {
    const CSection* section = nullptr;
    const CBlock* block = nullptr;
    std::vector<std::pair<NestPosition, const CHouseObject*>> parents;
};

// Visits every object of the house, each before its children, the nesting lists in the order
// Under, Inside, On top (the order of the file).
void forEachObject(const CBrenvikaDoc& doc,
                   const std::function<void(const CHouseObject&, const ObjectPlace&)>& visit);

} // namespace ardenvo::tool
