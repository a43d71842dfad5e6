#pragma once

#include "model/Phrase.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ardenvo {

// A sheet of labels, all lengths in millimetres: the page, the grid of labels on it, the size of
// one label, where the first one's top-left corner is (the margins) and how far apart the labels'
// corners are (the pitch). A roll has one label a page, the page the label's size.
struct LabelSheet {
    std::string name;        // "a4-3x8", what --layout takes; "custom" for the user's own
    std::string description; // "A4, 3 x 8 labels of 70 x 37 mm"
    double pageWidth = 210;
    double pageHeight = 297;
    int columns = 1;
    int rows = 1;
    double labelWidth = 70;
    double labelHeight = 37;
    double leftMargin = 0;
    double topMargin = 0;
    double horizontalPitch = 70;
    double verticalPitch = 37;

    int labelsPerPage() const { return columns * rows; }
};

// Where one label lands: its page (from 0) and its rectangle on that page in millimetres.
struct LabelPlace {
    int page = 0;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

inline constexpr std::string_view kCustomSheetName = "custom";
// Below this a label holds no readable QR code beside its name.
inline constexpr double kMinLabelWidth = 25;
inline constexpr double kMinLabelHeight = 15;

// The sheets sold in shops (A4 and US Letter) and the 62 mm roll of label printers, the A4 sheet
// of 3 x 8 first.
const std::vector<LabelSheet>& builtInSheets();
const LabelSheet* findSheet(std::string_view name);

// Why the labels of the sheet do not fit its page or cannot be used; empty when they can.
std::string sheetProblem(const LabelSheet& sheet);
// The same for a window to show in the user's language; no text when the sheet can be used.
Phrase sheetProblemPhrase(const LabelSheet& sheet);

// A custom sheet as one line of text, for the settings and the command line:
// "PAGEWxPAGEH COLSxROWS LABELWxLABELH LEFT,TOP HPITCHxVPITCH" ("210x297 3x8 70x37 0,0.5 70x37").
std::string sheetToText(const LabelSheet& sheet);
// The sheet that text gives, named "custom"; nullopt for text that is not one. The sheet may
// still not fit (sheetProblem says).
std::optional<LabelSheet> sheetFromText(std::string_view text);

// Why "Start at label N" cannot be used with the sheet; empty when it can.
std::string startProblem(const LabelSheet& sheet, int start);
Phrase startProblemPhrase(const LabelSheet& sheet, int start);

// The places of `count` labels, the first at label `start` (from 1) of the first page, in rows
// from the top, each row from the left.
std::vector<LabelPlace> labelPlaces(const LabelSheet& sheet, int count, int start = 1);

} // namespace ardenvo
