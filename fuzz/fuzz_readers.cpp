// Feeds arbitrary bytes to the project reader and the field-list reader. Whatever loads must also
// save, and the saved bytes must load again to the same bytes.
#include "model/FieldFile.h"
#include "model/ProjectFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ardenvo::CBrenvikaDoc doc;
    if (ardenvo::readProject(bytes, doc) == ardenvo::FileError::None) {
        const std::string saved = ardenvo::writeProject(doc);
        ardenvo::CBrenvikaDoc again;
        if (ardenvo::readProject(saved, again) != ardenvo::FileError::None ||
            ardenvo::writeProject(again) != saved)
            std::abort();
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
