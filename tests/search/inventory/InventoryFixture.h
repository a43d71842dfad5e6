#pragma once

#include "model/CBrenvikaDoc.h"

#include <string>

namespace ardenvo::testing {

// A house of two sections for the inventory report: values that are numbers, text and missing,
// nested objects, a reminder, texts that need escaping, and pictures of every kind the report
// meets (landscape, portrait, transparent, missing, not a picture, unnamed, a room's own).
void buildInventoryHouse(CBrenvikaDoc& doc);

// Writes the pictures the house names into `folder`.
void writeInventoryPictures(const std::string& folder);

// How many thumbnails the whole house shows with photos (every picture that can be read).
inline constexpr int kInventoryThumbnails = 6;

} // namespace ardenvo::testing
