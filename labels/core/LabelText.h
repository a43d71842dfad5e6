#pragma once

#include "model/CBlock.h"
#include "model/CHouseObject.h"
#include "model/CSection.h"
#include "search/engine/LocationText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

// What one label is for: a room (no object) or an object of a room, with the objects it is
// nested in, from the floor object down to its direct parent.
struct LabelSubject {
    const CSection* section = nullptr;
    const CBlock* block = nullptr;
    CHouseObject* object = nullptr;
    ContainerChain parents;

    bool isRoom() const { return object == nullptr; }
};

// One line of what a label's subject holds: its depth below the subject (0 for what lies directly
// on, in or under it) and its name as a label shows it.
struct LabelLine {
    int level = 0;
    std::string text;
};

// A label's texts, every one as labelName shows it.
struct LabelContent {
    std::string name;
    std::string place; // "Garage, on the Shelf"; a room's section
    std::string code;  // "AV-0012", or empty
    // What the subject holds in tree order (a room: its floor objects), at most kMaxContentLines;
    // `total` counts all of them.
    std::vector<LabelLine> contents;
    std::size_t total = 0;
};

// No label shows, and no QR code holds, more lines of contents than this; a box holding thousands
// of objects is walked no further.
inline constexpr std::size_t kMaxContentLines = 400;
// Deeper levels are indented no further, so a deep nest never pushes its names off the label.
inline constexpr int kMaxIndentLevel = 8;

// A name as a label shows it: readable UTF-8, every control character and line or paragraph
// separator escaped ("\n", "\t", "\r", other bytes as "\x1b", U+2028 as "\u2028"), as are the
// marks that reorder text, so no name breaks a label's lines or runs into the next one.
std::string labelName(std::string_view bytes);

// The texts of a label for that subject, carrying `code` (empty for none).
LabelContent makeLabelContent(const LabelSubject& subject, const std::string& code = {});

// The contents as at most `maxLines` lines, each indented two spaces a level and starting "- ";
// when they do not all fit, the last line is "and N more" for those left out.
std::vector<std::string> contentLines(const LabelContent& content, std::size_t maxLines);

// How many of the contents that last line stands for; 0 when all of them fit.
std::size_t leftOutLines(const LabelContent& content, std::size_t maxLines);

// "and 12 more".
std::string moreLine(std::size_t count);

// The title a house carries on its labels: its file name without ".av", "Untitled" for a house
// never saved.
std::string houseTitle(std::string_view path);

// The text of a label's QR code, in UTF-8: the name, the place, the code when there is one, the
// contents (as contentLines gives them) and the house's title, one a line. When the text does not
// fit a code of at most `maxModules` modules a side (error correction M), the contents are
// shortened first, then the title is left out, and only then are the name and place cut.
std::string qrPayload(const LabelContent& content, std::string_view title, int maxModules);

} // namespace ardenvo
