// ardenvo-tool csv: one row per object, for spreadsheets. RFC 4180: fields with a comma, a quote,
// CR or LF are quoted with inner quotes doubled, and every line ends in CRLF.
#include "model/CBrenvikaDoc.h"
#include "model/TextEncoding.h"
#include "search/engine/LocationText.h"
#include "tools/CommandTable.h"
#include "tools/HouseWalk.h"
#include "tools/ToolSupport.h"

#include <cstddef>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace ardenvo::tool {
namespace {

const std::string kUsage =
    usageEntry({"csv FILE"}, {"one row per object: Section, Room, Where, Name, Notes, then one",
                              "column per Category/Attribute (the first 1000; any further ones",
                              "in Other attributes); RFC 4180 quoting, CRLF line ends"});

// Attribute columns at most. A house may name tens of thousands of attributes, each on one object:
// a column each would make every row that long, the sheet objects times attributes. Attributes
// past these share one last column, each as "Category/Attribute: value".
constexpr std::size_t kMaxAttributeColumns = 1000;
constexpr const char* kOtherAttributes = "Other attributes";

// `field` is UTF-8 already: each text is converted on its own, since a name written as UTF-8 and
// one written in the Windows code page can meet in one cell.
void writeField(std::ostream& out, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out << field;
        return;
    }
    out << '"';
    for (char c : field) {
        if (c == '"')
            out << '"';
        out << c;
    }
    out << '"';
}

void writeRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out << ',';
        writeField(out, fields[i]);
    }
    out << "\r\n";
}

// "On the floor", or the chain from the direct parent out to the floor object:
// "inside the Jewellery box, on the Dresser"; as in the reports only the nearest containers are
// named, long names cut: "inside the Ring, inside the Case, inside the Box, ...".
std::string whereText(const ObjectPlace& place) {
    if (place.parents.empty())
        return "On the floor";
    std::string where;
    for (auto it = place.parents.rbegin(); it != place.parents.rend(); ++it) {
        if (it - place.parents.rbegin() == static_cast<std::ptrdiff_t>(kNamedContainers)) {
            where += ", ";
            where += kFartherContainers;
            break;
        }
        // The reports' words without their leading ", " for the first.
        where += nestWords(it->first).substr(where.empty() ? 2 : 0);
        where += containerName(it->second->name);
    }
    return where;
}

using ColumnKey = std::pair<std::string, std::string>; // category title, attribute name

int runCsv(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!takeOneFile(args, kUsage, err))
        return kExitUsage;
    CBrenvikaDoc doc;
    if (!loadHouse(args.front(), doc, err))
        return kExitFailure;

    // Attribute columns in the order they first appear in the house.
    std::map<ColumnKey, std::size_t> columnOf;
    std::vector<std::string> header = {"Section", "Room", "Where", "Name", "Notes"};
    const std::size_t firstAttribute = header.size();
    bool others = false;
    forEachObject(doc, [&](const CHouseObject& object, const ObjectPlace&) {
        for (const auto& category : object.categories())
            for (const auto& field : category->entries()) {
                if (header.size() - firstAttribute == kMaxAttributeColumns) {
                    others =
                        others || !columnOf.contains({category->title.str(), field->name.str()});
                    continue;
                }
                ColumnKey key{category->title, field->name};
                if (columnOf.emplace(key, header.size()).second)
                    header.push_back(readableUtf8(key.first) + "/" + readableUtf8(key.second));
            }
    });
    const std::size_t otherColumn = header.size();
    if (others)
        header.push_back(kOtherAttributes);

    writeRow(out, header);
    std::vector<std::string> row;
    forEachObject(doc, [&](const CHouseObject& object, const ObjectPlace& place) {
        row.assign(header.size(), std::string());
        row[0] = readableUtf8(place.section->name);
        row[1] = readableUtf8(place.block->name);
        row[2] = whereText(place);
        row[3] = readableUtf8(object.name);
        row[4] = readableUtf8(object.notes);
        for (const auto& category : object.categories())
            for (const auto& field : category->entries()) {
                const auto column = columnOf.find({category->title.str(), field->name.str()});
                if (column == columnOf.end()) {
                    std::string& cell = row[otherColumn];
                    cell += cell.empty() ? "" : "; ";
                    cell += readableUtf8(category->title) + "/" + readableUtf8(field->name) + ": " +
                            readableUtf8(field->value);
                    continue;
                }
                // An object may carry the same attribute twice; keep both values in its cell.
                std::string& cell = row[column->second];
                if (!cell.empty() && !field->value.empty())
                    cell += "; ";
                cell += readableUtf8(field->value);
            }
        writeRow(out, row);
    });
    return finishOutput(out, err);
}

} // namespace

Command csvCommand() {
    return {"csv", kUsage, runCsv};
}

} // namespace ardenvo::tool
