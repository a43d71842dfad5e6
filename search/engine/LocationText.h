#pragma once

#include "model/CHouseObject.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ardenvo {

// A location names at most this many of the containers nearest the object and leaves the farther
// ones to an ellipsis: nesting may run hundreds of objects deep, and naming every container for
// every object would make a report grow with the depth times the number of objects.
inline constexpr std::size_t kNamedContainers = 3;
inline constexpr std::string_view kFartherContainers = "...";
// A container's name in a location is cut after this many bytes and marked with "...": every
// object below it repeats the name, so a long one would make a report grow with the number of
// objects times its length.
inline constexpr std::size_t kMaxContainerNameBytes = 256;

// An object's containers, from the object on the floor down to its direct parent, each with where
// the next one (or the object itself) lies in it.
using ContainerChain = std::vector<std::pair<NestPosition, const CHouseObject*>>;

// ", on the ", ", inside the " or ", under the ".
std::string_view nestWords(NestPosition position);

// A container's name as a location shows it: readable UTF-8 (readableUtf8), cut as said above.
std::string containerName(std::string_view name);

// The location as the reports show it: "On the floor", "On the floor, on the Shelf, inside the
// Vase", and past kNamedContainers containers "..., inside the Box, inside the Tin, inside the
// Case"; in UTF-8, each name read on its own.
std::string locationText(const ContainerChain& chain);
// The same from the containers' names, for a search that keeps no house.
using NamedContainerChain = std::vector<std::pair<NestPosition, std::string_view>>;
std::string locationText(const NamedContainerChain& chain);

} // namespace ardenvo
