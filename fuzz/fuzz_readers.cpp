// Feeds arbitrary bytes to the project reader and the field-list reader. Whatever loads must also
// save, and the saved bytes must load again to the same bytes; then every reminder goes through
// the schedule and the house through the search and its report, as the programs would use it.
#include "model/FieldFile.h"
#include "model/ProjectFile.h"
#include "model/ReminderSchedule.h"
#include "search/engine/ReportWriter.h"
#include "search/engine/SearchEngine.h"
#include "search/engine/SearchScope.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void scheduleAll(const ardenvo::CHouseObject::List& objects) {
    for (const auto& object : objects) {
        for (const auto& reminder : object->reminders()) {
            ardenvo::isDue(*reminder, 1700000000);
            for (int i = 0; i < 3; ++i)
                ardenvo::advanceReminder(*reminder);
        }
        for (int pos = 0; pos < ardenvo::kNestPositionCount; ++pos)
            scheduleAll(object->children(static_cast<ardenvo::NestPosition>(pos)));
    }
}

void searchAndReport(const ardenvo::CBrenvikaDoc& doc, std::string_view text) {
    ardenvo::SearchCriteria criteria;
    criteria.byName = criteria.byNotes = criteria.byField = criteria.byValue = true;
    const std::string word(text.substr(0, 8));
    criteria.nameText = criteria.notesText = criteria.valueText = word;
    const auto scope = ardenvo::SearchScope::wholeHouse(doc);
    for (int c = 0; c < ardenvo::kComparisonCount; ++c) {
        criteria.comparison = static_cast<ardenvo::Comparison>(c);
        criteria.fieldText = c % 2 ? std::string() : word;
        ardenvo::writeReport(ardenvo::searchReport(doc, criteria, scope));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ardenvo::CBrenvikaDoc doc;
    if (ardenvo::readProject(bytes, doc) == ardenvo::FileError::None) {
        const std::string saved = ardenvo::writeProject(doc);
        ardenvo::CBrenvikaDoc again;
        if (ardenvo::readProject(saved, again) != ardenvo::FileError::None ||
            ardenvo::writeProject(again) != saved)
            std::abort();
        searchAndReport(doc, bytes.substr(bytes.size() / 2));
        for (const auto& section : again.sections()) {
            for (const auto& block : section->blocks())
                scheduleAll(block->floorObjects());
        }
    } else if (doc.sectionCount() != 1 || doc.currentSection() == nullptr) {
        std::abort(); // a failed read must leave a new house
    }

    ardenvo::CFieldList list;
    if (ardenvo::readFieldList(bytes, list) == ardenvo::FileError::None) {
        const std::string saved = ardenvo::writeFieldList(list);
        ardenvo::CFieldList again;
        if (ardenvo::readFieldList(saved, again) != ardenvo::FileError::None ||
            ardenvo::writeFieldList(again) != saved)
            std::abort();
    }
    return 0;
}
