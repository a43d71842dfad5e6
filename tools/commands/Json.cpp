// ardenvo-tool json: the whole house as one JSON document, for scripts.
#include "model/CBrenvikaDoc.h"
#include "tools/CommandRegistry.h"
#include "tools/TextEncoding.h"
#include "tools/ToolSupport.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <ostream>

namespace ardenvo::tool {
namespace {

// Keys in the order a reader of the file format would expect them.
using Json = nlohmann::ordered_json;

const char* const kUsage = "json FILE   print the whole house as JSON";

Json text(const std::string& bytes) {
    return toUtf8(bytes);
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
    return {{"name", text(object.name)},
            {"notes", text(object.notes)},
            {"colour", object.color},
            {"rect", rectJson(object.location.rect)},
            {"categories", std::move(categories)},
            {"pictures", picturesJson(object.pictures)},
            {"reminders", std::move(reminders)},
            {"under", nested(NestPosition::Under)},
            {"inside", nested(NestPosition::Inside)},
            {"onTop", nested(NestPosition::OnTop)}};
}

Json blockJson(const CBlock& block) {
    Json neighbours = Json::array();
    Json alignments = Json::array();
    for (int side = 0; side < 4; ++side) {
        neighbours.push_back(block.neighbours[side]);
        alignments.push_back(
            {{"mode", block.alignments[side].mode}, {"shift", block.alignments[side].shift}});
    }
    Json objects = Json::array();
    for (const auto& o : block.floorObjects())
        objects.push_back(objectJson(*o));
    return {{"id", block.id},
            {"kind", static_cast<std::int32_t>(block.kind())},
            {"name", text(block.name)},
            {"colour", block.colorRect.color},
            {"rect", rectJson(block.rect())},
            {"changed", block.changed != 0},
            {"neighbours", std::move(neighbours)},
            {"alignments", std::move(alignments)},
            {"pictures", picturesJson(block.pictures)},
            {"objects", std::move(objects)}};
}

Json sectionJson(const CSection& section) {
    Json blocks = Json::array();
    for (const auto& b : section.blocks())
        blocks.push_back(blockJson(*b));
    return {{"name", text(section.name)}, {"background", section.background},
            {"zoom", section.zoom},       {"offsetX", section.offsetX},
            {"offsetY", section.offsetY}, {"nextBlockId", section.nextBlockId},
            {"blocks", std::move(blocks)}};
}

int runJson(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!takeOneFile(args, kUsage, err))
        return kExitUsage;
    CBrenvikaDoc doc;
    FileHeader header;
    if (!loadHouse(args.front(), doc, err, &header))
        return kExitFailure;

    Json sections = Json::array();
    for (const auto& s : doc.sections())
        sections.push_back(sectionJson(*s));
    const Json house = {{"formatId", header.formatId},
                        {"version", header.version},
                        {"currentSection", doc.currentSectionIndex()},
                        {"unit", doc.unitIndex()},
                        {"sections", std::move(sections)}};
    out << house.dump(2) << '\n';
    return finishOutput(out, err);
}

const CommandRegistration registration("json", kUsage, runJson);

} // namespace
} // namespace ardenvo::tool
