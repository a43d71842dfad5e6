// ardenvo-tool info: what a house holds, in numbers.
#include "model/CBrenvikaDoc.h"
#include "tools/CommandTable.h"
#include "tools/HouseWalk.h"
#include "tools/ToolSupport.h"

#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kUsage = usageEntry(
    {"info FILE"}, {"counts of sections, blocks, objects, categories, pictures,", "reminders"});

int runInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!takeOneFile(args, kUsage, err))
        return kExitUsage;
    CBrenvikaDoc& doc = oneShotHouse();
    if (!loadHouse(args.front(), doc, err))
        return kExitFailure;

    std::size_t blocks = 0, objects = 0, categories = 0, pictures = 0, reminders = 0;
    for (const auto& section : doc.sections()) {
        blocks += section->blocks().size();
        for (const auto& block : section->blocks())
            pictures += block->pictures.size();
    }
    forEachObject(doc, [&](const CHouseObject& object, const ObjectPlace&) {
        ++objects;
        categories += object.categories().size();
        pictures += object.pictures.size();
        reminders += object.reminders().size();
    });

    out << "Sections: " << doc.sections().size() << '\n'
        << "Blocks: " << blocks << '\n'
        << "Objects: " << objects << '\n'
        << "Categories: " << categories << '\n'
        << "Pictures: " << pictures << '\n'
        << "Reminders: " << reminders << '\n';
    return finishOutput(out, err);
}

} // namespace

Command infoCommand() {
    return {"info", kUsage, runInfo};
}

} // namespace ardenvo::tool
