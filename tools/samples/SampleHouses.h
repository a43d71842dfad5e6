#pragma once

#include "model/CBrenvikaDoc.h"

namespace ardenvo::samples {

// The predone houses shipped in data/. Each replaces the document's house; the object colours
// come from the C library's generator, so callers seed it first for the same file every time.

// "small-flat.av": one section, a flat of four blocks with a few furnished objects.
void buildSmallFlat(CBrenvikaDoc& doc);

// "family-house.av": two storeys as two sections, halls and rooms, objects on the floors and
// nested on, inside and under others, filled-in categories and single and periodical reminders.
void buildFamilyHouse(CBrenvikaDoc& doc);

} // namespace ardenvo::samples
