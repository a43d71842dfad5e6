#pragma once

#include "model/CBrenvikaDoc.h"

namespace ardenvo::testing {

// A small house for the search tests, built the same every time:
//
// "Ground floor"
//   "I'm a hall" (hall): "Desk LAMP" (Value: Price paid 12.50, Insurance value 20)
//                        "Shoe rack" notes "Tom & Jerry's shoes" (Value: Price paid 40abc)
//   "Küche" (room):      "Table" notes "oak <b>" (Value: Price paid 100)
//                          on top:  "Lamp <script>" (Value: Price paid 5)
//                          inside:  "Drawer" notes "cutlery" (Extras: Colour red), inside it
//                                   "Knife" (no categories)
//                          under:   "Cat basket" (Value: Price paid abab)
//                        "KÜCHENSCHRANK" (UTF-8, Value: Price paid 250)
// "Cellar"
//   "Store" (hall):      "K\xDCHLSCHRANK" (Windows-1252 bytes) notes "cold" (Value: Price paid 300)
void buildSearchHouse(CBrenvikaDoc& doc);

} // namespace ardenvo::testing
