// ardenvo-tool json: the whole house as one JSON document, for scripts.
#include "model/CBrenvikaDoc.h"
#include "model/TextEncoding.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolSupport.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdio>
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

Json picturesJson(const CFieldList& pictures) {
    Json list = Json::array();
    for (const auto& p : pictures.entries())
        list.push_back({{"name", text(p->name)}, {"file", text(p->value)}});
    return list;
}

Json categoryJson(const CFieldList& category) {
    Json fields = Json::array();
    for (const auto& f : category.entries())
        fields.push_back(
            {{"category", text(f->category)}, {"name", text(f->name)}, {"value", text(f->value)}});
    return {{"title", text(category.title)}, {"fields", std::move(fields)}};
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

// Built by moving each member in: an initializer list would copy every nested subtree.
Json objectJson(const CHouseObject& object) {
    Json categories = Json::array();
    for (const auto& c : object.categories())
        categories.push_back(categoryJson(*c));
    Json reminders = Json::array();
    for (const auto& r : object.reminders())
        reminders.push_back(reminderJson(*r));
    auto nested = [&](NestPosition pos) {
        Json list = Json::array();
        for (const auto& child : object.children(pos))
            list.push_back(objectJson(*child));
        return list;
    };
    Json j = Json::object();
    j["name"] = text(object.name);
    j["notes"] = text(object.notes);
    j["colour"] = object.color;
    j["rect"] = rectJson(object.location.rect);
    j["categories"] = std::move(categories);
    j["pictures"] = picturesJson(object.pictures);
    j["reminders"] = std::move(reminders);
    j["under"] = nested(NestPosition::Under);
    j["inside"] = nested(NestPosition::Inside);
    j["onTop"] = nested(NestPosition::OnTop);
    return j;
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
            {"alignments", std::move(alignments)},
            {"pictures", picturesJson(block.pictures)}};
}

Json sectionFields(const CSection& section) {
    return {{"name", text(section.name)}, {"background", section.background},
            {"zoom", section.zoom},       {"offsetX", section.offsetX},
            {"offsetY", section.offsetY}, {"nextBlockId", section.nextBlockId}};
}

// Pretty JSON written piece by piece, so that a house of some hundred thousand objects is never
// held as one JSON tree. The library writes every value; only the fixed keys and the brackets
// around the streamed lists are written here.
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

    // An object at `depth`: the members of `fields`, then `listKey` with one item per call of
    // `writeItem(index, itemDepth)`.
    template <typename WriteItem>
    void object(const Json& fields, const char* listKey, std::size_t count, WriteItem writeItem,
                int depth) {
        const std::string pad(static_cast<std::size_t>(depth) * 2, ' ');
        m_out << "{\n";
        for (const auto& [key, v] : fields.items()) {
            m_out << pad << "  " << Json(key).dump() << ": ";
            value(v, depth + 1);
            m_out << ",\n";
        }
        m_out << pad << "  " << Json(listKey).dump() << ": [";
        for (std::size_t i = 0; i < count; ++i) {
            m_out << (i ? ",\n" : "\n") << pad << "    ";
            writeItem(i, depth + 2);
        }
        if (count)
            m_out << '\n' << pad << "  ";
        m_out << "]\n" << pad << '}';
    }

private:
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
    json.object(
        houseFields, "sections", sections.size(),
        [&](std::size_t s, int sectionDepth) {
            const CSection& section = *sections[s];
            const auto& blocks = section.blocks();
            json.object(
                sectionFields(section), "blocks", blocks.size(),
                [&](std::size_t b, int blockDepth) {
                    const CBlock& block = *blocks[b];
                    const auto& objects = block.floorObjects();
                    json.object(
                        blockFields(block), "objects", objects.size(),
                        [&](std::size_t o, int objectDepth) {
                            json.value(objectJson(*objects[o]), objectDepth);
                        },
                        blockDepth);
                },
                sectionDepth);
        },
        0);
    out << '\n';
    return finishOutput(out, err);
}

const CommandRegistration registration("json", kUsage, runJson);

} // namespace
} // namespace ardenvo::tool
