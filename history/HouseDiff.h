#pragma once

#include "model/Phrase.h"

#include <string>
#include <vector>

namespace ardenvo {

class CBrenvikaDoc;

// One object that differs between two houses.
struct ObjectDifference {
    enum class Kind { Added, Removed, Moved, Changed };
    Kind kind = Kind::Changed;
    std::string object; // where it stands in its room: "Wardrobe > Box" (raw bytes of the names)
    std::string from;   // Moved: the room and place it stood before, "House / Hall: Box"
    int alsoInside = 0; // Added, Removed: how many objects came or went with it
    std::vector<Phrase> details; // what changed, in words (names shown readable)
};

// The differences of one room: of the newer house, or of the older for a room that went.
struct RoomDifferences {
    std::string room; // "Section / Block"
    Phrase note;      // "room added", "room removed", "renamed from ...", or no text
    std::vector<ObjectDifference> objects;
};

// What changed from `older` to `newer`, room by room in the newer house's order, then the rooms
// that went. Objects have no ids: they are matched by their place in the tree and their name,
// then by name within the same room, then (left over at the same place) by their content under
// a new name, then by a name that only one object of each house left bears; only such an
// unambiguous match is "moved". Everything else is added or removed.
std::vector<RoomDifferences> compareHouses(const CBrenvikaDoc& older, const CBrenvikaDoc& newer);

// The differences as text, one room a paragraph ("House / Kitchen", then "  Added: Toaster",
// "  Moved: Lamp (from House / Hall: Lamp)", "  Changed: Fridge: notes ..."); names are shown
// as readable UTF-8 with control characters escaped. "No differences.\n" when there are none.
// In English, or in the language `translate` gives.
std::string describeDifferences(const std::vector<RoomDifferences>& rooms,
                                const PhraseTranslator& translate = {});

// A name as the descriptions show it: readable UTF-8, line breaks and other control characters
// escaped, so a crafted name never forges a line.
std::string shownName(const std::string& name);

// The number of objects of a house, nested ones too.
std::size_t countObjects(const CBrenvikaDoc& doc);

} // namespace ardenvo
