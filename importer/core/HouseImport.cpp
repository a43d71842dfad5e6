#include "importer/core/HouseImport.h"

#include "importer/core/RoomPlacement.h"
#include "model/CBlock.h"
#include "model/CBrenvikaDoc.h"
#include "model/CSection.h"
#include "model/ProjectFile.h"
#include "model/Translatable.h"
#include "model/UniqueName.h"
#include "search/engine/LocationText.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace ardenvo {

std::size_t ImportPlan::newRoomCount() const {
    return static_cast<std::size_t>(std::count_if(
        rooms.begin(), rooms.end(), [](const ImportRoom& r) { return !r.existingBlock; }));
}

std::string roomLabel(const ImportRoom& room) {
    return room.section + "/" + room.name;
}

namespace {

Phrase said(const char* text, std::vector<std::string> args = {}) {
    return {"ardenvo::HouseImport", text, std::move(args)};
}

using Item = ImportPlan::Item;
constexpr std::size_t kNone = Item::kNone;

std::string trimmed(std::string_view text) {
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    const auto end = text.find_last_not_of(" \t");
    return std::string(text.substr(begin, end - begin + 1));
}

std::string quotedName(const std::string& name) {
    return "\"" + name + "\"";
}

// "2024-03-01" (or the date of "2024-03-01T10:00") as "20240301"; anything else as it is.
std::string compactDate(const std::string& text) {
    const bool iso = text.size() >= 10 && text[4] == '-' && text[7] == '-' &&
                     std::all_of(text.begin(), text.begin() + 10,
                                 [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
    return iso ? text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2) : text;
}

std::string valueIn(const std::string& cell, ValueForm form) {
    switch (form) {
    case ValueForm::Date:
        return compactDate(cell);
    case ValueForm::DateUntil:
        return cell.empty() ? cell : "until " + cell;
    case ValueForm::Lifetime: {
        std::string word = cell;
        for (char& c : word)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return word == "true" || word == "yes" || word == "1" ? "lifetime" : "";
    }
    case ValueForm::AsIs:
        break;
    }
    return cell;
}

// The location our export writes for a child at `position` of an object whose own containers
// are `chain` (floor object first): the nearest containers first, as the reports name them.
std::string childWhere(const std::vector<std::pair<NestPosition, std::string>>& chain) {
    std::string where;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it - chain.rbegin() == static_cast<std::ptrdiff_t>(kNamedContainers)) {
            where += ", ";
            where += kFartherContainers;
            break;
        }
        where += nestWords(it->first).substr(where.empty() ? 2 : 0);
        where += containerName(it->second);
    }
    return where;
}

std::optional<NestPosition> leadingPosition(std::string_view where) {
    if (where.starts_with("on the "))
        return NestPosition::OnTop;
    if (where.starts_with("inside the "))
        return NestPosition::Inside;
    if (where.starts_with("under the "))
        return NestPosition::Under;
    return std::nullopt;
}

class Planner {
public:
    Planner(CBrenvikaDoc& doc, const CsvTable& table, const ImportMapping& mapping,
            const ImportTarget& target)
        : m_doc(doc), m_table(table), m_mapping(mapping), m_target(target) {}

    ImportPlan run() {
        m_plan.notTaken = m_table.problems;
        prepareDefaultRoom();
        m_seenColumn.assign(m_mapping.columns.size(), false);
        std::vector<std::size_t> pending; // items still to find a parent for
        std::vector<ParentRef> parents;
        for (const CsvRow& row : m_table.rows) {
            Phrase reason;
            ParentRef parent;
            if (!takeRow(row, parent, reason)) {
                m_plan.notTaken.push_back({row.line, phraseText(reason), reason});
                continue;
            }
            parents.push_back(std::move(parent));
        }
        resolveParents(parents);
        orderAndCount();
        std::stable_sort(m_plan.notTaken.begin(), m_plan.notTaken.end(),
                         [](const CsvProblem& a, const CsvProblem& b) { return a.line < b.line; });
        return std::move(m_plan);
    }

private:
    // A parent named by a row, looked up once every row is read (parents may come later).
    struct ParentRef {
        std::string name;
        NestPosition position = NestPosition::Inside;
        bool named = false;
        bool resolved = false; // our export's Where: the parent is known already
    };

    void prepareDefaultRoom() {
        CSection* section = m_target.section;
        CBlock* block = m_target.block;
        if (!section)
            section = m_doc.currentSection() ? m_doc.currentSection() : m_doc.sectionAt(0);
        if (section && !block && !section->blocks().empty())
            block = section->blockAt(0);
        m_defaultSection = section;
        if (section && block)
            m_defaultRoom = roomFor(section->name, block->name, section, block);
    }

    std::size_t roomFor(const std::string& sectionName, const std::string& blockName,
                        CSection* section, CBlock* block) {
        const auto key = std::pair{sectionName, blockName};
        if (const auto found = m_roomIndex.find(key); found != m_roomIndex.end())
            return found->second;
        m_plan.rooms.push_back({sectionName, blockName, section, block, 0});
        m_roomIndex.emplace(key, m_plan.rooms.size() - 1);
        return m_plan.rooms.size() - 1;
    }

    CSection* findSection(const std::string& name) const {
        for (const auto& s : m_doc.sections())
            if (s->name == name)
                return s.get();
        return nullptr;
    }

    // The room a row names: a block of the named section, or, with no section named, of the
    // default room's section and then of any; missing ones are made.
    std::optional<std::size_t> roomOf(const std::string& sectionName, const std::string& roomName) {
        if (m_target.everythingHere || roomName.empty())
            return m_defaultRoom;
        if (!sectionName.empty()) {
            CSection* section = findSection(sectionName);
            CBlock* block = section ? section->findBlockByName(roomName) : nullptr;
            return roomFor(sectionName, roomName, section, block);
        }
        if (m_defaultSection)
            if (CBlock* block = m_defaultSection->findBlockByName(roomName))
                return roomFor(m_defaultSection->name, roomName, m_defaultSection, block);
        for (const auto& s : m_doc.sections())
            if (CBlock* block = s->findBlockByName(roomName))
                return roomFor(s->name, roomName, s.get(), block);
        if (!m_defaultSection)
            return std::nullopt;
        return roomFor(m_defaultSection->name, roomName, m_defaultSection, nullptr);
    }

    bool takeRow(const CsvRow& row, ParentRef& parent, Phrase& reason) {
        Item item;
        item.line = row.line;
        item.bare = m_mapping.format == KnownFormat::Ardenvo;
        std::string sectionName, roomName, where;
        bool named = false;
        for (std::size_t c = 0; c < m_mapping.columns.size(); ++c) {
            const ColumnTarget& t = m_mapping.columns[c];
            const std::string& cell = c < row.fields.size() ? row.fields[c] : kEmpty;
            switch (t.kind) {
            case TargetKind::LeaveOut:
                break;
            case TargetKind::Section:
                sectionName = trimmed(cell);
                break;
            case TargetKind::Room:
                roomName = trimmed(cell);
                break;
            case TargetKind::Location: {
                // "Home / Office / Desk": the first part the section, the rest the room.
                const std::string path = trimmed(cell);
                const auto slash = path.find('/');
                if (slash == std::string::npos) {
                    roomName = path;
                } else {
                    sectionName = trimmed(path.substr(0, slash));
                    roomName = trimmed(path.substr(slash + 1));
                }
                break;
            }
            case TargetKind::Name:
                if (!named) {
                    item.name = cell;
                    named = true;
                }
                break;
            case TargetKind::Notes:
                if (!cell.empty())
                    item.notes += (item.notes.empty() ? "" : "\n") + cell;
                break;
            case TargetKind::Inside:
            case TargetKind::OnTop:
            case TargetKind::Under: {
                const std::string name = trimmed(cell);
                if (name.empty())
                    break;
                if (parent.named) {
                    reason = said(AV_TRANSLATE_NOOP(
                        "ardenvo::HouseImport", "it names two objects it lies in, on or under"));
                    return false;
                }
                parent.named = true;
                parent.name = name;
                parent.position = t.kind == TargetKind::Inside  ? NestPosition::Inside
                                  : t.kind == TargetKind::OnTop ? NestPosition::OnTop
                                                                : NestPosition::Under;
                break;
            }
            case TargetKind::Attribute: {
                std::string value = valueIn(cell, t.form);
                // Our export leaves a cell empty both for an empty attribute and for none: the
                // first object gets each column, so that the columns come back in their order.
                const bool keepEmpty = item.bare && !m_seenColumn[c];
                if (!value.empty() || keepEmpty) {
                    item.attributes.push_back({t.category, t.attribute, std::move(value)});
                    m_seenColumn[c] = true;
                }
                break;
            }
            case TargetKind::OtherAttributes:
                splitOtherAttributes(cell, item.attributes);
                break;
            case TargetKind::Where:
                where = trimmed(cell);
                break;
            }
        }
        if (!named || trimmed(item.name).empty()) {
            reason = said(AV_TRANSLATE_NOOP("ardenvo::HouseImport", "it has no name"));
            return false;
        }
        const auto room = roomOf(sectionName, roomName);
        if (!room) {
            reason = said(
                AV_TRANSLATE_NOOP("ardenvo::HouseImport", "the house has no room to put it in"));
            return false;
        }
        item.room = *room;
        if (m_mapping.format == KnownFormat::Ardenvo && !findExportParent(item, where, reason))
            return false;
        if (m_mapping.format == KnownFormat::Ardenvo)
            parent.resolved = true;
        m_plan.items.push_back(std::move(item));
        noteInRoom(m_plan.items.size() - 1);
        return true;
    }

    // "Category/Attribute: value; ..." as the export writes attributes past its columns.
    static void splitOtherAttributes(const std::string& cell,
                                     std::vector<ImportPlan::Attribute>& into) {
        std::size_t start = 0;
        while (start < cell.size()) {
            std::size_t end = cell.find("; ", start);
            if (end == std::string::npos)
                end = cell.size();
            const std::string part = cell.substr(start, end - start);
            const auto slash = part.find('/');
            const auto colon = part.find(": ", slash == std::string::npos ? 0 : slash);
            if (slash != std::string::npos && colon != std::string::npos)
                into.push_back({part.substr(0, slash), part.substr(slash + 1, colon - slash - 1),
                                part.substr(colon + 2)});
            start = end + 2;
        }
    }

    // Our export names an object's containers from the nearest out. The export lists every
    // object right after its parent's earlier descendants, so the parent is the deepest object
    // on the path to the room's last row whose children's location reads the same.
    bool findExportParent(Item& item, const std::string& where, Phrase& reason) {
        if (where.empty() || where == "On the floor")
            return true;
        const auto position = leadingPosition(where);
        std::vector<std::size_t>& path = m_paths[item.room];
        if (position) {
            for (std::size_t i = path.size(); i-- > 0;) {
                auto chain = m_chains[path[i]];
                chain.emplace_back(*position, m_plan.items[path[i]].name);
                if (childWhere(chain) == where) {
                    item.parentItem = path[i];
                    item.position = *position;
                    path.resize(i + 1);
                    return true;
                }
            }
        }
        reason = said(AV_TRANSLATE_NOOP("ardenvo::HouseImport",
                                        "no object before it is where it lies: \"%1\""),
                      {where});
        return false;
    }

    // Keeps the path from the room's floor to its last row, and each item's containers.
    void noteInRoom(std::size_t index) {
        const Item& item = m_plan.items[index];
        std::vector<std::pair<NestPosition, std::string>> chain;
        if (item.parentItem != kNone) {
            chain = m_chains[item.parentItem];
            chain.emplace_back(item.position, m_plan.items[item.parentItem].name);
        }
        m_chains.push_back(std::move(chain));
        if (m_mapping.format != KnownFormat::Ardenvo)
            return;
        std::vector<std::size_t>& path = m_paths[item.room];
        if (item.parentItem == kNone)
            path.clear();
        path.push_back(index);
    }

    // Objects of an existing room by name (the first of each name, depth first), and their
    // depth.
    struct Existing {
        CHouseObject* object;
        int depth;
    };
    const std::unordered_map<std::string, Existing>& existingIn(std::size_t room) {
        auto [it, made] = m_existing.try_emplace(room);
        if (made && m_plan.rooms[room].existingBlock) {
            std::vector<Existing> stack;
            const auto& floor = m_plan.rooms[room].existingBlock->floorObjects();
            for (auto o = floor.rbegin(); o != floor.rend(); ++o)
                stack.push_back({o->get(), 1});
            while (!stack.empty()) {
                const Existing e = stack.back();
                stack.pop_back();
                it->second.try_emplace(e.object->name, e);
                for (int pos = kNestPositionCount; pos-- > 0;) {
                    const auto& list = e.object->children(static_cast<NestPosition>(pos));
                    for (auto c = list.rbegin(); c != list.rend(); ++c)
                        stack.push_back({c->get(), e.depth + 1});
                }
            }
        }
        return it->second;
    }

    void resolveParents(const std::vector<ParentRef>& parents) {
        // The first row of each name in each room is the one a child's parent name means.
        std::map<std::pair<std::size_t, std::string>, std::size_t> firstNamed;
        for (std::size_t i = 0; i < m_plan.items.size(); ++i)
            firstNamed.try_emplace({m_plan.items[i].room, m_plan.items[i].name}, i);
        m_failed.assign(m_plan.items.size(), false);
        for (std::size_t i = 0; i < m_plan.items.size(); ++i) {
            const ParentRef& p = parents[i];
            Item& item = m_plan.items[i];
            if (!p.named || p.resolved)
                continue;
            item.position = p.position;
            if (const auto f = firstNamed.find({item.room, p.name}); f != firstNamed.end()) {
                item.parentItem = f->second;
                continue;
            }
            const auto& existing = existingIn(item.room);
            if (const auto e = existing.find(p.name); e != existing.end()) {
                item.parentObject = e->second.object;
                item.depth = e->second.depth + 1;
                continue;
            }
            fail(i, said(AV_TRANSLATE_NOOP("ardenvo::HouseImport",
                                           "there is no object named %1 in %2"),
                         {quotedName(p.name), roomLabel(m_plan.rooms[item.room])}));
        }
        computeDepths();
    }

    void fail(std::size_t i, Phrase reason) {
        m_failed[i] = true;
        m_reasons.emplace(i, std::move(reason));
    }

    // Each item's depth from its parent's, walking each chain once. A chain that comes back to
    // itself is refused, and so is every object deeper than a house file may nest; the children
    // of a refused object follow it.
    void computeDepths() {
        enum class State : unsigned char { New, OnPath, Done };
        const std::size_t n = m_plan.items.size();
        std::vector<State> state(n, State::New);
        std::vector<bool> tooDeep(n, false);
        std::vector<std::size_t> path;
        for (std::size_t start = 0; start < n; ++start) {
            path.clear();
            std::size_t i = start;
            while (i != kNone && state[i] == State::New) {
                state[i] = State::OnPath;
                path.push_back(i);
                i = m_failed[i] ? kNone : m_plan.items[i].parentItem;
            }
            std::size_t end = path.size();
            if (i != kNone && state[i] == State::OnPath) {
                while (end > 0) {
                    const std::size_t j = path[--end];
                    state[j] = State::Done;
                    fail(j, said(AV_TRANSLATE_NOOP(
                                "ardenvo::HouseImport",
                                "the objects it lies in, on or under lead back to itself")));
                    if (j == i)
                        break;
                }
            }
            while (end > 0) {
                const std::size_t j = path[--end];
                state[j] = State::Done;
                Item& item = m_plan.items[j];
                if (m_failed[j])
                    continue;
                const std::size_t p = item.parentItem;
                if (p != kNone && m_failed[p] && !tooDeep[p]) {
                    fail(j, said(AV_TRANSLATE_NOOP(
                                     "ardenvo::HouseImport",
                                     "the object it lies in, on or under (line %1) is not taken"),
                                 {std::to_string(m_plan.items[p].line)}));
                    continue;
                }
                if (p != kNone)
                    item.depth = m_plan.items[p].depth + 1;
                if (item.depth > kMaxObjectNesting) {
                    tooDeep[j] = true;
                    fail(j, said(AV_TRANSLATE_NOOP("ardenvo::HouseImport",
                                                   "it would lie %1 objects deep, and a house file "
                                                   "holds objects at most %2 deep"),
                                 {std::to_string(item.depth), std::to_string(kMaxObjectNesting)}));
                }
            }
        }
    }

    // Drops the refused items, puts parents before children and counts the clashes.
    void orderAndCount() {
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < m_plan.items.size(); ++i) {
            if (m_failed[i])
                m_plan.notTaken.push_back(
                    {m_plan.items[i].line, phraseText(m_reasons[i]), m_reasons[i]});
            else
                order.push_back(i);
        }
        std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
            return m_plan.items[a].depth < m_plan.items[b].depth;
        });
        std::vector<std::size_t> newIndex(m_plan.items.size(), kNone);
        for (std::size_t k = 0; k < order.size(); ++k)
            newIndex[order[k]] = k;
        std::vector<Item> kept;
        kept.reserve(order.size());
        for (std::size_t i : order) {
            Item item = std::move(m_plan.items[i]);
            if (item.parentItem != kNone)
                item.parentItem = newIndex[item.parentItem];
            kept.push_back(std::move(item));
        }
        m_plan.items = std::move(kept);
        for (const Item& item : m_plan.items) {
            ImportRoom& room = m_plan.rooms[item.room];
            ++room.objects;
            const CHouseObject* existing = nullptr;
            bool existingList = false;
            if (item.parentObject) {
                existingList = true;
                existing = item.parentObject->findChild(item.position, item.name);
            } else if (item.parentItem == kNone && room.existingBlock) {
                existingList = true;
                existing = room.existingBlock->findFloorObject(item.name);
            }
            m_plan.intoExistingLists += existingList ? 1 : 0;
            m_plan.clashes += existing ? 1 : 0;
        }
        // The default room stays listed only when something goes there.
        // (It was listed first, before any row.)
        if (m_defaultRoom && m_plan.rooms.front().objects == 0) {
            m_plan.rooms.erase(m_plan.rooms.begin());
            for (Item& item : m_plan.items)
                --item.room;
        }
    }

    static inline const std::string kEmpty;
    CBrenvikaDoc& m_doc;
    const CsvTable& m_table;
    const ImportMapping& m_mapping;
    ImportTarget m_target;
    ImportPlan m_plan;
    CSection* m_defaultSection = nullptr;
    std::optional<std::size_t> m_defaultRoom;
    std::map<std::pair<std::string, std::string>, std::size_t> m_roomIndex;
    std::vector<bool> m_seenColumn;
    std::map<std::size_t, std::vector<std::size_t>> m_paths;
    std::vector<std::vector<std::pair<NestPosition, std::string>>> m_chains;
    std::unordered_map<std::size_t, std::unordered_map<std::string, Existing>> m_existing;
    std::vector<bool> m_failed;
    std::map<std::size_t, Phrase> m_reasons;
};

void setAttributes(CHouseObject& object, const Item& item) {
    if (item.bare) {
        for (const auto& a : item.attributes) {
            const auto& categories = object.categories();
            if (categories.empty() || categories.back()->title != a.category)
                object.appendCategory(std::make_unique<CFieldList>(a.category));
            object.categories().back()->append(a.name, a.value);
        }
        return;
    }
    for (const auto& a : item.attributes) {
        CFieldList* category = nullptr;
        for (const auto& c : object.categories())
            if (c->title == a.category) {
                category = c.get();
                break;
            }
        if (!category)
            category = &object.appendCategory(std::make_unique<CFieldList>(a.category));
        CField* field = nullptr;
        for (const auto& f : category->entries())
            if (f->name.str() == a.name) {
                field = f.get();
                break;
            }
        if (field)
            field->value = a.value;
        else
            category->append(a.name, a.value);
    }
}

// A new floor object's place: the room filled in rows of the default object size, so that the
// imported objects can be told apart; once the room is full the rows start again a little
// further in.
Rect gridPlace(const CBlock& block, std::size_t index) {
    constexpr int kSize = 60, kGap = 10, kStep = kSize + kGap;
    const int across = std::max(1, (block.rect().width() - kGap) / kStep);
    const int down = std::max(1, (block.rect().height() - kGap) / kStep);
    const auto cell = static_cast<int>(index % static_cast<std::size_t>(across * down));
    const auto round = static_cast<int>(index / static_cast<std::size_t>(across * down) % 7);
    const int left = kGap + cell % across * kStep + round * 5;
    const int top = kGap + cell / across * kStep + round * 5;
    return {left, top, left + kSize, top + kSize};
}

} // namespace

ImportPlan planImport(CBrenvikaDoc& doc, const CsvTable& table, const ImportMapping& mapping,
                      const ImportTarget& target) {
    return Planner(doc, table, mapping, target).run();
}

void applyImport(CBrenvikaDoc& doc, const ImportPlan& plan) {
    std::vector<CBlock*> blocks;
    std::map<std::string, CSection*> madeSections;
    for (const ImportRoom& room : plan.rooms) {
        CBlock* block = room.existingBlock;
        if (!block) {
            CSection* section = room.existingSection;
            if (!section) {
                CSection*& made = madeSections[room.section];
                if (!made) {
                    auto fresh = std::make_unique<CSection>();
                    fresh->name = room.section;
                    made = &doc.appendSection(std::move(fresh));
                }
                section = made;
            }
            block = addRoomBesideLast(*section, room.name);
        }
        blocks.push_back(block);
    }
    // The names of each list the import adds to, so that a name is made unique (by the usual
    // rule) without going through the whole list for every object.
    std::map<std::pair<const void*, int>, std::unordered_set<std::string>> names;
    const auto uniqueIn = [&names](const void* owner, int position, const auto& list,
                                   const std::string& candidate) {
        auto [it, fresh] = names.try_emplace({owner, position});
        if (fresh)
            for (const auto& o : list)
                it->second.insert(o->name);
        std::string name = uniqueSiblingName(
            candidate, [&](const std::string& n) { return it->second.contains(n); });
        it->second.insert(name);
        return name;
    };
    std::vector<CHouseObject*> made;
    made.reserve(plan.items.size());
    for (const Item& item : plan.items) {
        auto object = item.bare ? std::make_unique<CHouseObject>(CHouseObject::Bare{})
                                : std::make_unique<CHouseObject>();
        if (item.bare)
            object->color = randomObjectColor();
        object->notes = item.notes;
        setAttributes(*object, item);
        CHouseObject* parent = item.parentItem != kNone ? made[item.parentItem] : item.parentObject;
        const int position = static_cast<int>(item.position);
        if (parent) {
            object->name = uniqueIn(parent, position, parent->children(item.position), item.name);
            CHouseObject& child = *object;
            parent->appendChildAsStored(item.position, std::move(object));
            made.push_back(&child);
        } else if (CBlock* block = blocks[item.room]) {
            object->name = uniqueIn(block, -1, block->floorObjects(), item.name);
            object->location.rect = gridPlace(*block, block->floorObjects().size());
            made.push_back(&block->appendFloorObjectAsStored(std::move(object)));
        } else {
            made.push_back(nullptr);
        }
    }
    if (!plan.items.empty() || plan.newRoomCount() > 0)
        doc.setModified();
}

} // namespace ardenvo
