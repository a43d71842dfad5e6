// ardenvo-tool json: the whole house as one JSON document, for scripts.
#include "model/CBrenvikaDoc.h"
#include "model/TextEncoding.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <ostream>

namespace ardenvo::tool {
namespace {

// Keys in the order a reader of the file format would expect them.
using Json = nlohmann::ordered_json;

const std::string kUsage = usageEntry(
    {"json FILE"}, {"the whole house as JSON (texts in UTF-8; bytes that are not",
                    "UTF-8 read as Windows-1252; \"start\" as local", "\"YYYY-MM-DDTHH:MM:SS\")"});

Json text(std::string_view bytes) {
    return readableUtf8(bytes);
}

Json rectJson(const Rect& r) {
    return Json::array({r.left, r.top, r.right, r.bottom});
}

std::string localTimeText(const LocalDateTime& t) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return buffer;
}

Json pictureJson(const CField& picture) {
    return {{"name", text(picture.name)}, {"file", text(picture.value)}};
}

Json fieldJson(const CField& f) {
    return {{"category", text(f.category)}, {"name", text(f.name)}, {"value", text(f.value)}};
}

Json reminderJson(const CReminder& r) {
    return {{"type", r.type},
            {"start", localTimeText(r.start())},
            {"notes", text(r.notes)},
            {"objectName", text(r.objectName)},
            {"periodicMode", r.periodicMode},
            {"repeatEachCount", r.repeatEachCount},
            {"repeatEachUnit", r.repeatEachUnit},
            {"repeatOnNumber", r.repeatOnNumber},
            {"repeatOnAnchor", r.repeatOnAnchor},
            {"repeatOnUnit", r.repeatOnUnit}};
}

// A block without its objects, which are streamed one floor object at a time.
Json blockFields(const CBlock& block) {
    Json neighbours = Json::array();
    Json alignments = Json::array();
    for (std::size_t side = 0; side < 4; ++side) {
        neighbours.push_back(block.neighbours[side]);
        alignments.push_back(
            {{"mode", block.alignments[side].mode}, {"shift", block.alignments[side].shift}});
    }
    return {{"id", block.id},
            {"kind", static_cast<std::int32_t>(block.kind())},
            {"name", text(block.name)},
            {"colour", block.colorRect.color},
            {"rect", rectJson(block.rect())},
            {"changed", block.changed != 0},
            {"neighbours", std::move(neighbours)},
            {"alignments", std::move(alignments)}};
}

Json sectionFields(const CSection& section) {
    return {{"name", text(section.name)}, {"background", section.background},
            {"zoom", section.zoom},       {"offsetX", section.offsetX},
            {"offsetY", section.offsetY}, {"nextBlockId", section.nextBlockId}};
}

// A list member of a streamed object: `writeItem(index, itemDepth)` writes each of its items.
struct StreamedList {
    const char* key;
    std::size_t count;
    std::function<void(std::size_t, int)> writeItem;
};

// Pretty JSON written as the house is walked, laid out as the library lays out a whole document,
// so that its memory never grows with the house: no list (sections, blocks, objects, nested
// objects, categories, attributes, pictures, reminders) is ever held as one JSON value. The library
// writes the values; only the keys and brackets of the streamed lists are written here.
class JsonStream {
public:
    explicit JsonStream(std::ostream& out) : m_out(out) {}

    // A value at `depth`, its inner lines shifted to that depth (JSON strings hold no raw
    // newline, so every newline of the dump is a line break of the layout).
    void value(const Json& v, int depth) {
        const std::string dumped = v.dump(2);
        std::string shifted;
        shifted.reserve(dumped.size() + dumped.size() / 4);
        const std::string pad(static_cast<std::size_t>(depth) * 2, ' ');
        for (char c : dumped) {
            shifted += c;
            if (c == '\n')
                shifted += pad;
        }
        m_out << shifted;
    }

    // An object at `depth`: the members of `fields`, then each list.
    void object(const Json& fields, std::initializer_list<StreamedList> lists, int depth) {
        const std::string pad(static_cast<std::size_t>(depth) * 2, ' ');
        m_out << "{\n";
        bool first = true;
        for (const auto& [key, v] : fields.items()) {
            m_out << (first ? "" : ",\n") << pad << "  " << Json(key).dump() << ": ";
            value(v, depth + 1);
            first = false;
        }
        for (const StreamedList& list : lists) {
            m_out << (first ? "" : ",\n") << pad << "  " << Json(list.key).dump() << ": [";
            first = false;
            for (std::size_t i = 0; i < list.count; ++i) {
                m_out << (i ? ",\n" : "\n") << pad << "    ";
                list.writeItem(i, depth + 2);
            }
            if (list.count)
                m_out << '\n' << pad << "  ";
            m_out << ']';
        }
        m_out << '\n' << pad << '}';
    }

    // A list member whose items are small values.
    template <typename Items, typename ToJson>
    StreamedList valueList(const char* key, const Items& items, ToJson toJson) {
        return {key, items.size(), [this, &items, toJson](std::size_t i, int depth) {
                    value(toJson(*items[i]), depth);
                }};
    }

    void houseObject(const CHouseObject& object, int depth) {
        const Json fields = {{"name", text(object.name)},
                             {"notes", text(object.notes)},
                             {"colour", object.color},
                             {"rect", rectJson(object.location.rect)}};
        const auto& categories = object.categories();
        const auto nested = [&](const char* key, NestPosition pos) {
            const auto& children = object.children(pos);
            return StreamedList{key, children.size(), [this, &children](std::size_t i, int d) {
                                    houseObject(*children[i], d);
                                }};
        };
        this->object(fields,
                     {{"categories", categories.size(),
                       [&](std::size_t i, int d) {
                           category(*categories[i], d);
                       }},
                      valueList("pictures", object.pictures.entries(), pictureJson),
                      valueList("reminders", object.reminders(), reminderJson),
                      nested("under", NestPosition::Under),
                      nested("inside", NestPosition::Inside),
                      nested("onTop", NestPosition::OnTop)},
                     depth);
    }

private:
    void category(const CFieldList& list, int depth) {
        object({{"title", text(list.title)}}, {valueList("fields", list.entries(), fieldJson)},
               depth);
    }

    std::ostream& m_out;
};

int runJson(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!takeOneFile(args, kUsage, err))
        return kExitUsage;
    CBrenvikaDoc doc;
    FileHeader header;
    if (!loadHouse(args.front(), doc, err, &header))
        return kExitFailure;

    JsonStream json(out);
    const Json houseFields = {{"formatId", header.formatId},
                              {"version", header.version},
                              {"currentSection", doc.currentSectionIndex()},
                              {"unit", doc.unitIndex()}};
    const auto& sections = doc.sections();
    json.object(houseFields,
                {{"sections", sections.size(),
                  [&](std::size_t s, int sectionDepth) {
                      const auto& blocks = sections[s]->blocks();
                      json.object(sectionFields(*sections[s]),
                                  {{"blocks", blocks.size(),
                                    [&](std::size_t b, int blockDepth) {
                                        const CBlock& block = *blocks[b];
                                        const auto& objects = block.floorObjects();
                                        json.object(
                                            blockFields(block),
                                            {json.valueList("pictures", block.pictures.entries(),
                                                            pictureJson),
                                             {"objects", objects.size(),
                                              [&](std::size_t o, int objectDepth) {
                                                  json.houseObject(*objects[o], objectDepth);
                                              }}},
                                            blockDepth);
                                    }}},
                                  sectionDepth);
                  }}},
                0);
    out << '\n';
    return finishOutput(out, err);
}

} // namespace

Command jsonCommand() {
    return {"json", kUsage, runJson};
}

} // namespace ardenvo::tool
