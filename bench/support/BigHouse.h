#pragma once

#include "model/CBrenvikaDoc.h"

#include <memory>

namespace ardenvo {

// A deterministic large house for benchmarks: about `objectCount` objects with the default
// categories and their values filled in (shops, prices, dates), a quarter of them nested on,
// inside or under others, one in twenty with a reminder, spread over four sections of many blocks
// placed side by side in rows. The same count and seed always give the same house.
std::unique_ptr<CBrenvikaDoc> makeBigHouse(int objectCount, unsigned seed = 1);

// The house the file and search benchmarks share: 200 000 objects, built once per process.
inline constexpr int kBigHouseObjects = 200000;
const CBrenvikaDoc& sharedBigHouse();

} // namespace ardenvo
