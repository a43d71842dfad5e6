#include "history/HouseDiff.h"

#include "model/CBrenvikaDoc.h"
#include "model/ReminderSchedule.h"
#include "model/TextEncoding.h"
#include "model/Translatable.h"

#include <deque>
#include <map>
#include <tuple>
#include <unordered_map>

namespace ardenvo {

namespace {

// Longer notes and values are cut in the descriptions; the house has them whole.
constexpr std::size_t kShownLength = 60;
// Objects left over in one list, old times new, compared for a rename at most.
constexpr std::size_t kMostRenameTries = 2500;
constexpr NestPosition kTreeOrder[] = {NestPosition::OnTop, NestPosition::Inside,
                                       NestPosition::Under};

struct Node {
    const CHouseObject* object = nullptr;
    int room = 0;
    Node* parent = nullptr;
    NestPosition position = NestPosition::OnTop;
    std::vector<Node*> children;
    Node* partner = nullptr;
    bool moved = false;
    std::string chain; // "Wardrobe > Box"
};

struct Room {
    const CSection* section = nullptr;
    const CBlock* block = nullptr;
    std::string label;
    int partner = -1;
    std::vector<Node*> floor;
    std::vector<Node*> all; // every object of the room, in tree order
};

struct Side {
    std::deque<Node> nodes;
    std::vector<Room> rooms;

    void build(const CBrenvikaDoc& doc) {
        for (const auto& section : doc.sections())
            for (const auto& block : section->blocks()) {
                Room room;
                room.section = section.get();
                room.block = block.get();
                room.label = section->name + " / " + block->name;
                rooms.push_back(std::move(room));
                const int r = static_cast<int>(rooms.size()) - 1;
                for (const auto& object : block->floorObjects())
                    rooms[r].floor.push_back(add(*object, r, nullptr, NestPosition::OnTop));
            }
    }

    Node* add(const CHouseObject& object, int room, Node* parent, NestPosition pos) {
        Node& node = nodes.emplace_back();
        node.object = &object;
        node.room = room;
        node.parent = parent;
        node.position = pos;
        node.chain = parent ? parent->chain + " > " + object.name : object.name;
        rooms[room].all.push_back(&node);
        for (NestPosition p : kTreeOrder)
            for (const auto& child : object.children(p))
                node.children.push_back(add(*child, room, &node, p));
        return &node;
    }
};

std::string quoted(std::string_view text) {
    std::string shown = shownName(std::string(text));
    if (shown.size() > kShownLength) {
        std::size_t cut = kShownLength;
        while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80)
            --cut; // never within a character
        shown = shown.substr(0, cut) + "...";
    }
    return "\"" + shown + "\"";
}

using AttributeKey = std::tuple<std::string, std::string, int>; // category, name, occurrence

std::vector<std::pair<AttributeKey, std::string>> attributesOf(const CHouseObject& object) {
    std::vector<std::pair<AttributeKey, std::string>> list;
    std::map<std::pair<std::string, std::string>, int> seen;
    for (const auto& category : object.categories())
        for (const auto& field : category->entries()) {
            const std::string name = field->name.str();
            const int occurrence = seen[{category->title.str(), name}]++;
            list.push_back({{category->title.str(), name, occurrence}, field->value.str()});
        }
    return list;
}

std::string attributeName(const AttributeKey& key) {
    return shownName(std::get<0>(key)) + "/" + shownName(std::get<1>(key));
}

std::string reminderSignature(const CReminder& r) {
    return formatListDateTime(r.start()) + " " + quoted(r.notes) +
           (r.isPeriodical() ? " (periodical)" : "") + '\x1f' + std::to_string(r.type) + ',' +
           std::to_string(r.periodicMode) + ',' + std::to_string(r.repeatEachCount) + ',' +
           std::to_string(r.repeatEachUnit) + ',' + std::to_string(r.repeatOnNumber) + ',' +
           std::to_string(r.repeatOnAnchor) + ',' + std::to_string(r.repeatOnUnit) + ',' + r.notes;
}

// Items of `a` missing from `b`, counted (a multiset difference), in `a`'s order.
std::vector<std::string> missingFrom(const std::vector<std::string>& a,
                                     const std::vector<std::string>& b) {
    std::map<std::string, int> count;
    for (const std::string& item : b)
        ++count[item];
    std::vector<std::string> missing;
    for (const std::string& item : a)
        if (count[item]-- <= 0)
            missing.push_back(item);
    return missing;
}

Phrase said(const char* text, std::vector<std::string> args = {}) {
    return {"ardenvo::HouseDiff", text, std::move(args)};
}

// What differs between two objects besides their children, in words.
std::vector<Phrase> contentDifferences(const CHouseObject& a, const CHouseObject& b) {
    std::vector<Phrase> out;
    if (a.name != b.name)
        out.push_back(said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "name %1 → %2"),
                           {quoted(a.name), quoted(b.name)}));
    if (a.notes != b.notes)
        out.push_back(said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "notes %1 → %2"),
                           {quoted(a.notes), quoted(b.notes)}));

    const auto before = attributesOf(a), after = attributesOf(b);
    std::map<AttributeKey, std::string> afterMap(after.begin(), after.end()), beforeMap;
    for (const auto& [key, value] : before) {
        beforeMap.emplace(key, value);
        const auto found = afterMap.find(key);
        if (found == afterMap.end())
            out.push_back(said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "attribute %1 removed (%2)"),
                               {attributeName(key), quoted(value)}));
        else if (found->second != value)
            out.push_back(said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "attribute %1 %2 → %3"),
                               {attributeName(key), quoted(value), quoted(found->second)}));
    }
    for (const auto& [key, value] : after)
        if (!beforeMap.count(key))
            out.push_back(said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "attribute %1 added (%2)"),
                               {attributeName(key), quoted(value)}));

    auto pictures = [](const CHouseObject& o) {
        std::vector<std::string> list;
        for (const auto& p : o.pictures.entries())
            list.push_back(quoted(p->name) + " (" + shownName(p->value.str()) + ")");
        return list;
    };
    for (const std::string& p : missingFrom(pictures(a), pictures(b)))
        out.push_back(said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "picture %1 removed"), {p}));
    for (const std::string& p : missingFrom(pictures(b), pictures(a)))
        out.push_back(said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "picture %1 added"), {p}));

    auto reminders = [](const CHouseObject& o) {
        std::vector<std::string> list;
        for (const auto& r : o.reminders())
            list.push_back(reminderSignature(*r));
        return list;
    };
    auto shown = [](const std::string& signature) {
        return signature.substr(0, signature.find('\x1f'));
    };
    for (const std::string& r : missingFrom(reminders(a), reminders(b)))
        out.push_back(
            said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "reminder %1 removed"), {shown(r)}));
    for (const std::string& r : missingFrom(reminders(b), reminders(a)))
        out.push_back(
            said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "reminder %1 added"), {shown(r)}));
    return out;
}

// Whether an object holds anything a new one does not: only then does the same content under
// another name tell that it is the same object renamed.
bool hasOwnContent(const CHouseObject& o) {
    if (!o.notes.empty() || !o.pictures.empty() || !o.reminders().empty())
        return true;
    for (int p = 0; p < kNestPositionCount; ++p)
        if (!o.children(static_cast<NestPosition>(p)).empty())
            return true;
    for (const auto& category : o.categories())
        for (const auto& field : category->entries()) {
            const std::string_view v = field->value;
            if (!v.empty() && v != "yyyymmdd" && v != "... months" && v != "not yet")
                return true;
        }
    return false;
}

class Matcher {
public:
    Matcher(Side& older, Side& newer) : m_old(older), m_new(newer) {}

    void run() {
        matchRooms();
        for (Room& room : m_new.rooms)
            if (room.partner >= 0)
                matchLists(m_old.rooms[room.partner].floor, room.floor);
        // By name within the same room: a box taken out of the wardrobe onto the floor.
        for (std::size_t r = 0; r < m_new.rooms.size(); ++r) {
            const int partner = m_new.rooms[r].partner;
            if (partner >= 0)
                matchUniqueNames(m_old.rooms[partner].all, m_new.rooms[r].all);
        }
        // By a name only one object left over in each house bears: moved to another room.
        std::vector<Node*> oldAll, newAll;
        for (Room& room : m_old.rooms)
            oldAll.insert(oldAll.end(), room.all.begin(), room.all.end());
        for (Room& room : m_new.rooms)
            newAll.insert(newAll.end(), room.all.begin(), room.all.end());
        matchUniqueNames(oldAll, newAll);
    }

private:
    void matchRooms() {
        for (Room& room : m_new.rooms) {
            for (std::size_t o = 0; o < m_old.rooms.size(); ++o) {
                Room& old = m_old.rooms[o];
                // Block ids are never reused within a section: a renamed room is still itself.
                if (old.partner < 0 && old.section->name == room.section->name &&
                    old.block->id == room.block->id && old.block->kind() == room.block->kind()) {
                    old.partner = static_cast<int>(&room - m_new.rooms.data());
                    room.partner = static_cast<int>(o);
                    break;
                }
            }
        }
    }

    void pair(Node* o, Node* n, bool moved) {
        o->partner = n;
        n->partner = o;
        n->moved = moved;
        matchLists(o->children, n->children);
    }

    // Children of two matched parents (or the floors of two matched rooms): the same list and
    // name, then what is left at the same place whose content is the same under a new name.
    void matchLists(const std::vector<Node*>& olds, const std::vector<Node*>& news) {
        if (olds.empty() || news.empty())
            return;
        // A room may hold thousands of objects: look them up, never search.
        std::unordered_map<std::string_view, std::vector<Node*>> byName;
        for (auto it = olds.rbegin(); it != olds.rend(); ++it) {
            Node* o = *it;
            byName[o->object->name].push_back(o);
        }
        for (Node* n : news) {
            auto found = byName.find(n->object->name);
            if (found == byName.end())
                continue;
            auto& candidates = found->second; // the first in list order last
            for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
                Node* o = *it;
                if (!o->partner && o->position == n->position) {
                    pair(o, n, false);
                    break;
                }
            }
        }
        // A new name alone: the one object left over in the same list whose content is the
        // same. Only few are left over in a list edited by hand; a list rebuilt wholesale is
        // not searched object by object.
        std::vector<Node*> oldLeft, newLeft;
        for (Node* o : olds)
            if (!o->partner)
                oldLeft.push_back(o);
        for (Node* n : news)
            if (!n->partner)
                newLeft.push_back(n);
        if (oldLeft.empty() || newLeft.empty() ||
            oldLeft.size() * newLeft.size() > kMostRenameTries)
            return;
        for (Node* n : newLeft) {
            if (!hasOwnContent(*n->object))
                continue;
            Node* candidate = nullptr;
            int found = 0;
            for (Node* o : oldLeft)
                if (!o->partner && o->position == n->position &&
                    contentDifferences(*o->object, *n->object).size() == 1) {
                    candidate = o;
                    ++found;
                }
            if (found == 1)
                pair(candidate, n, false);
        }
    }

    void matchUniqueNames(const std::vector<Node*>& olds, const std::vector<Node*>& news) {
        std::map<std::string, std::pair<int, Node*>> oldNames, newNames;
        for (Node* o : olds)
            if (!o->partner) {
                auto& [count, node] = oldNames[o->object->name];
                ++count;
                node = o;
            }
        for (Node* n : news)
            if (!n->partner) {
                auto& [count, node] = newNames[n->object->name];
                ++count;
                node = n;
            }
        for (Node* n : news) {
            if (n->partner)
                continue; // matched meanwhile, with a parent
            const auto o = oldNames.find(n->object->name);
            const auto self = newNames.find(n->object->name);
            if (o != oldNames.end() && o->second.first == 1 && self->second.first == 1 &&
                !o->second.second->partner)
                pair(o->second.second, n, true);
        }
    }

    Side& m_old;
    Side& m_new;
};

int unmatchedBelow(const Node& node) {
    int count = 0;
    for (const Node* child : node.children)
        if (!child->partner)
            count += 1 + unmatchedBelow(*child);
    return count;
}

bool topOfUnmatched(const Node& node) {
    return !node.partner && (!node.parent || node.parent->partner);
}

} // namespace

std::string shownName(const std::string& name) {
    const std::string readable = readableUtf8(name);
    std::string out;
    out.reserve(readable.size());
    for (std::size_t i = 0; i < readable.size(); ++i) {
        const auto c = static_cast<unsigned char>(readable[i]);
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c < 0x20 || c == 0x7F) {
            char shown[4];
            out.append(shown, writeByteEscape(shown, c));
        } else if (c == 0xC2 && i + 1 < readable.size() &&
                   static_cast<unsigned char>(readable[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(readable[i + 1]) <= 0x9F) {
            // C1 controls drive terminals as the others do.
            char shown[4];
            out.append(shown, writeByteEscape(shown, static_cast<unsigned char>(readable[++i])));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::vector<RoomDifferences> compareHouses(const CBrenvikaDoc& older, const CBrenvikaDoc& newer) {
    Side a, b;
    a.build(older);
    b.build(newer);
    Matcher(a, b).run();

    std::vector<RoomDifferences> result(b.rooms.size());
    for (std::size_t r = 0; r < b.rooms.size(); ++r) {
        const Room& room = b.rooms[r];
        RoomDifferences& out = result[r];
        out.room = room.label;
        if (room.partner < 0)
            out.note = said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "room added"));
        else if (a.rooms[room.partner].label != room.label)
            out.note = said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "renamed from %1"),
                            {shownName(a.rooms[room.partner].label)});
        for (const Node* n : room.all) {
            if (topOfUnmatched(*n)) {
                out.objects.push_back(
                    {ObjectDifference::Kind::Added, n->chain, {}, unmatchedBelow(*n), {}});
            } else if (n->partner) {
                auto details = contentDifferences(*n->partner->object, *n->object);
                const Node* o = n->partner;
                // What stands on, in or under a moved object went with it: only it is told.
                if (n->moved)
                    out.objects.push_back({ObjectDifference::Kind::Moved, n->chain,
                                           a.rooms[o->room].label + ": " + o->chain, 0,
                                           std::move(details)});
                else if (!details.empty())
                    out.objects.push_back(
                        {ObjectDifference::Kind::Changed, n->chain, {}, 0, std::move(details)});
            }
        }
    }
    // What went: into the room that took its old room's place, else a room of its own.
    for (const Room& room : a.rooms) {
        RoomDifferences* into = nullptr;
        if (room.partner >= 0) {
            into = &result[static_cast<std::size_t>(room.partner)];
        } else {
            result.push_back(
                {room.label, said(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "room removed")), {}});
            into = &result.back();
        }
        for (const Node* o : room.all)
            if (topOfUnmatched(*o))
                into->objects.push_back(
                    {ObjectDifference::Kind::Removed, o->chain, {}, unmatchedBelow(*o), {}});
    }
    std::vector<RoomDifferences> changed;
    for (RoomDifferences& room : result)
        if (*room.note.text || !room.objects.empty())
            changed.push_back(std::move(room));
    return changed;
}

std::string describeDifferences(const std::vector<RoomDifferences>& rooms,
                                const PhraseTranslator& translate) {
    const auto words = [&translate](const char* text, std::vector<std::string> args = {},
                                    int count = -1) {
        return phraseText(Phrase{"ardenvo::HouseDiff", text, std::move(args), count}, translate);
    };
    if (rooms.empty())
        return words(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "No differences.")) + "\n";
    std::string text;
    for (const RoomDifferences& room : rooms) {
        if (!text.empty())
            text += '\n';
        text += *room.note.text ? words(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "%1 (%2)"),
                                        {shownName(room.room), phraseText(room.note, translate)})
                                : shownName(room.room);
        text += '\n';
        for (const ObjectDifference& d : room.objects) {
            static const char* const kWords[] = {
                AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "Added: %1"),
                AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "Removed: %1"),
                AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "Moved: %1"),
                AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "Changed: %1")};
            // A name changes in place: the object is shown under its new name.
            text += "  " + words(kWords[static_cast<int>(d.kind)], {shownName(d.object)});
            if (d.kind == ObjectDifference::Kind::Moved)
                text += " " + words(AV_TRANSLATE_NOOP("ardenvo::HouseDiff", "(from %1)"),
                                    {shownName(d.from)});
            if (d.alsoInside > 0)
                text +=
                    " " + (d.alsoInside == 1
                               ? words(AV_TRANSLATE_NOOP("ardenvo::HouseDiff",
                                                         "(with 1 object on, in or under it)"))
                               : words(AV_TRANSLATE_NOOP("ardenvo::HouseDiff",
                                                         "(with %n objects on, in or under it)"),
                                       {}, d.alsoInside));
            for (std::size_t i = 0; i < d.details.size(); ++i)
                text += (i == 0 ? ": " : "; ") + phraseText(d.details[i], translate);
            text += '\n';
        }
    }
    return text;
}

std::size_t countObjects(const CBrenvikaDoc& doc) {
    std::size_t count = 0;
    std::vector<const CHouseObject*> pending;
    for (const auto& section : doc.sections())
        for (const auto& block : section->blocks())
            for (const auto& object : block->floorObjects())
                pending.push_back(object.get());
    while (!pending.empty()) {
        const CHouseObject* object = pending.back();
        pending.pop_back();
        ++count;
        for (int p = 0; p < kNestPositionCount; ++p)
            for (const auto& child : object->children(static_cast<NestPosition>(p)))
                pending.push_back(child.get());
    }
    return count;
}

} // namespace ardenvo
