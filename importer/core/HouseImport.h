#pragma once

#include "importer/core/CsvReader.h"
#include "importer/core/ImportMapping.h"
#include "model/CHouseObject.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ardenvo {

class CBrenvikaDoc;
class CBlock;
class CSection;

// Where rows go that name no room, and whether every row goes there.
struct ImportTarget {
    CSection* section = nullptr;
    CBlock* block = nullptr;
    bool everythingHere = false;
};

// A room the import puts objects in: one of the house's, or one it makes (in a section it may
// make too).
struct ImportRoom {
    std::string section;
    std::string name;
    CSection* existingSection = nullptr;
    CBlock* existingBlock = nullptr;
    std::size_t objects = 0;
};

// What an import would do to a house, worked out before anything changes: every row that becomes
// an object, the rooms they go to, and every row that is not taken with its reason. It refers to
// the house it was made for, which must not change before it is applied.
class ImportPlan {
public:
    struct Attribute {
        std::string category;
        std::string name;
        std::string value;
    };
    struct Item {
        std::size_t line = 0;
        std::size_t room = 0; // in rooms
        std::string name;
        std::string notes;
        std::vector<Attribute> attributes;
        // Our own export's rows carry every attribute: the object starts without the default
        // categories, and each run of one category's columns is a category.
        bool bare = false;
        NestPosition position = NestPosition::Inside;
        static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
        std::size_t parentItem = kNone;       // a row of the file
        CHouseObject* parentObject = nullptr; // an object of the house
        int depth = 1;                        // 1 on the floor
    };

    std::vector<ImportRoom> rooms;    // in the order rows first name them
    std::vector<Item> items;          // parents before their children
    std::vector<CsvProblem> notTaken; // by line
    // Objects whose name an object of the house already bears in the same list.
    std::size_t clashes = 0;
    // Objects that go into a list the house has already (a room's floor, an object's children).
    std::size_t intoExistingLists = 0;

    std::size_t newRoomCount() const;
    // Every object that goes where the house has objects already clashes with one of them: the
    // file was most likely imported before.
    bool looksImportedBefore() const {
        return intoExistingLists > 0 && clashes == intoExistingLists;
    }
};

// Works out the import of `table` as `mapping` says. The house is not changed.
ImportPlan planImport(CBrenvikaDoc& doc, const CsvTable& table, const ImportMapping& mapping,
                      const ImportTarget& target);

// Makes the plan's rooms (beside the last block of their section, a new section getting its
// own hall first) and objects; names that clash in one list get the usual number. Marks the
// house modified when anything was added.
void applyImport(CBrenvikaDoc& doc, const ImportPlan& plan);

// "Section/Room" as the import reports a room.
std::string roomLabel(const ImportRoom& room);

} // namespace ardenvo
