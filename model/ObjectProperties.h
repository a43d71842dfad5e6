#pragma once

#include "model/CHouseObject.h"
#include "model/Geometry.h"

#include <optional>
#include <string>

namespace ardenvo {

// What the Object properties dialog edits and the objects dialog applies. Lengths are
// centimetres.
struct ObjectProperties {
    std::string name = "Object";
    NestPosition position = NestPosition::OnTop;
    ColorRef color = 0;
    double length = 70; // north-south extent
    double width = 70;  // east-west extent
    bool operator==(const ObjectProperties&) const = default;
};

// The position a list row or a number stands for (0 "Under", 1 "Inside", 2 "On top"); nullopt
// for anything else.
constexpr std::optional<NestPosition> nestPositionOf(int value) {
    if (value < 0 || value >= kNestPositionCount)
        return std::nullopt;
    return static_cast<NestPosition>(value);
}

} // namespace ardenvo
