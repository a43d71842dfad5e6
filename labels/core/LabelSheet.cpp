#include "labels/core/LabelSheet.h"

#include "model/Translatable.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace ardenvo {
namespace {

// Sheets are measured to a hundredth of a millimetre; sums of such lengths may miss by less.
constexpr double kSlack = 0.005;
constexpr int kMaxGrid = 100;
constexpr double kMaxPage = 2000;

LabelSheet sheet(const char* name, const char* description, double pageWidth, double pageHeight,
                 int columns, int rows, double labelWidth, double labelHeight, double left,
                 double top, double hPitch, double vPitch) {
    return {name,       description, pageWidth, pageHeight, columns, rows,
            labelWidth, labelHeight, left,      top,        hPitch,  vPitch};
}

std::string millimetres(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

// "AxB" as two numbers.
bool readPair(std::string_view text, char separator, double& a, double& b) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos)
        return false;
    const auto read = [](std::string_view part, double& value) {
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        return error == std::errc() && end == part.data() + part.size() && std::isfinite(value);
    };
    return read(text.substr(0, at), a) && read(text.substr(at + 1), b);
}

} // namespace

const std::vector<LabelSheet>& builtInSheets() {
    static const std::vector<LabelSheet> sheets = {
        sheet("a4-3x8", AV_TRANSLATE_NOOP("ardenvo::LabelSheet", "A4, 3 x 8 labels of 70 x 37 mm"),
              210, 297, 3, 8, 70, 37, 0, 0.5, 70, 37),
        sheet("a4-2x7",
              AV_TRANSLATE_NOOP("ardenvo::LabelSheet", "A4, 2 x 7 labels of 99.1 x 38.1 mm"), 210,
              297, 2, 7, 99.1, 38.1, 4.65, 15.15, 101.6, 38.1),
        sheet("a4-3x7",
              AV_TRANSLATE_NOOP("ardenvo::LabelSheet", "A4, 3 x 7 labels of 63.5 x 38.1 mm"), 210,
              297, 3, 7, 63.5, 38.1, 7.21, 15.15, 66.04, 38.1),
        sheet("a4-4x10",
              AV_TRANSLATE_NOOP("ardenvo::LabelSheet", "A4, 4 x 10 labels of 48.5 x 25.4 mm"), 210,
              297, 4, 10, 48.5, 25.4, 8, 21.5, 48.5, 25.4),
        sheet(
            "letter-3x10",
            AV_TRANSLATE_NOOP("ardenvo::LabelSheet", "US Letter, 3 x 10 labels of 66.7 x 25.4 mm"),
            215.9, 279.4, 3, 10, 66.7, 25.4, 4.76, 12.7, 69.85, 25.4),
        sheet("roll-62",
              AV_TRANSLATE_NOOP("ardenvo::LabelSheet",
                                "Roll 62 mm wide, one label of 62 x 100 mm each"),
              62, 100, 1, 1, 62, 100, 0, 0, 62, 100),
    };
    return sheets;
}

const LabelSheet* findSheet(std::string_view name) {
    for (const LabelSheet& s : builtInSheets())
        if (s.name == name)
            return &s;
    return nullptr;
}

Phrase sheetProblemPhrase(const LabelSheet& s) {
    const auto said = [](const char* text, std::vector<std::string> args = {}) {
        return Phrase{"ardenvo::LabelSheet", text, std::move(args)};
    };
    const double lengths[] = {s.pageWidth,   s.pageHeight,      s.labelWidth,
                              s.labelHeight, s.horizontalPitch, s.verticalPitch};
    for (double length : lengths)
        if (!std::isfinite(length) || length <= 0 || length > kMaxPage)
            return said(AV_TRANSLATE_NOOP("ardenvo::LabelSheet",
                                          "Every length of the sheet must be more than 0 and at "
                                          "most %1 mm."),
                        {millimetres(kMaxPage)});
    if (!std::isfinite(s.leftMargin) || !std::isfinite(s.topMargin) || s.leftMargin < 0 ||
        s.topMargin < 0)
        return said(AV_TRANSLATE_NOOP("ardenvo::LabelSheet", "The margins must not be negative."));
    if (s.columns < 1 || s.rows < 1 || s.columns > kMaxGrid || s.rows > kMaxGrid)
        return said(
            AV_TRANSLATE_NOOP("ardenvo::LabelSheet", "A sheet has from 1 to %1 columns and rows."),
            {std::to_string(kMaxGrid)});
    if (s.labelWidth < kMinLabelWidth || s.labelHeight < kMinLabelHeight)
        return said(AV_TRANSLATE_NOOP("ardenvo::LabelSheet",
                                      "A label must be at least %1 x %2 mm to hold a readable "
                                      "code; these are %3 x %4 mm."),
                    {millimetres(kMinLabelWidth), millimetres(kMinLabelHeight),
                     millimetres(s.labelWidth), millimetres(s.labelHeight)});
    if (s.columns > 1 && s.horizontalPitch + kSlack < s.labelWidth)
        return said(AV_TRANSLATE_NOOP("ardenvo::LabelSheet",
                                      "The labels overlap: the horizontal pitch of %1 mm is less "
                                      "than their width of %2 mm."),
                    {millimetres(s.horizontalPitch), millimetres(s.labelWidth)});
    if (s.rows > 1 && s.verticalPitch + kSlack < s.labelHeight)
        return said(AV_TRANSLATE_NOOP("ardenvo::LabelSheet",
                                      "The labels overlap: the vertical pitch of %1 mm is less "
                                      "than their height of %2 mm."),
                    {millimetres(s.verticalPitch), millimetres(s.labelHeight)});
    const double right = s.leftMargin + (s.columns - 1) * s.horizontalPitch + s.labelWidth;
    if (right > s.pageWidth + kSlack)
        return said(AV_TRANSLATE_NOOP("ardenvo::LabelSheet",
                                      "The labels do not fit the page: %1 columns end %2 mm from "
                                      "the left edge, past the page's width of %3 mm."),
                    {std::to_string(s.columns), millimetres(right), millimetres(s.pageWidth)});
    const double bottom = s.topMargin + (s.rows - 1) * s.verticalPitch + s.labelHeight;
    if (bottom > s.pageHeight + kSlack)
        return said(AV_TRANSLATE_NOOP("ardenvo::LabelSheet",
                                      "The labels do not fit the page: %1 rows end %2 mm from the "
                                      "top edge, past the page's height of %3 mm."),
                    {std::to_string(s.rows), millimetres(bottom), millimetres(s.pageHeight)});
    return {};
}

std::string sheetProblem(const LabelSheet& s) {
    return phraseText(sheetProblemPhrase(s));
}

std::string sheetToText(const LabelSheet& s) {
    return millimetres(s.pageWidth) + "x" + millimetres(s.pageHeight) + " " +
           std::to_string(s.columns) + "x" + std::to_string(s.rows) + " " +
           millimetres(s.labelWidth) + "x" + millimetres(s.labelHeight) + " " +
           millimetres(s.leftMargin) + "," + millimetres(s.topMargin) + " " +
           millimetres(s.horizontalPitch) + "x" + millimetres(s.verticalPitch);
}

std::optional<LabelSheet> sheetFromText(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at)
            parts.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (parts.size() != 5)
        return std::nullopt;
    LabelSheet s;
    s.name = kCustomSheetName;
    double columns = 0, rows = 0;
    if (!readPair(parts[0], 'x', s.pageWidth, s.pageHeight) ||
        !readPair(parts[1], 'x', columns, rows) ||
        !readPair(parts[2], 'x', s.labelWidth, s.labelHeight) ||
        !readPair(parts[3], ',', s.leftMargin, s.topMargin) ||
        !readPair(parts[4], 'x', s.horizontalPitch, s.verticalPitch))
        return std::nullopt;
    if (columns != std::floor(columns) || rows != std::floor(rows) || columns < 0 || rows < 0 ||
        columns > kMaxGrid * 10 || rows > kMaxGrid * 10)
        return std::nullopt;
    s.columns = static_cast<int>(columns);
    s.rows = static_cast<int>(rows);
    s.description = "Custom, " + std::to_string(s.columns) + " x " + std::to_string(s.rows) +
                    " labels of " + millimetres(s.labelWidth) + " x " + millimetres(s.labelHeight) +
                    " mm";
    return s;
}

Phrase startProblemPhrase(const LabelSheet& sheet, int start) {
    if (start >= 1 && start <= sheet.labelsPerPage())
        return {};
    return {"ardenvo::LabelSheet",
            AV_TRANSLATE_NOOP("ardenvo::LabelSheet",
                              "Start at label: the sheet has labels 1 to %1, not %2."),
            {std::to_string(sheet.labelsPerPage()), std::to_string(start)}};
}

std::string startProblem(const LabelSheet& sheet, int start) {
    return phraseText(startProblemPhrase(sheet, start));
}

std::vector<LabelPlace> labelPlaces(const LabelSheet& sheet, int count, int start) {
    std::vector<LabelPlace> places;
    const int perPage = sheet.labelsPerPage();
    if (count <= 0 || perPage <= 0)
        return places;
    places.reserve(static_cast<std::size_t>(count));
    const int first = start >= 1 && start <= perPage ? start - 1 : 0;
    for (int i = 0; i < count; ++i) {
        const int slot = (first + i) % perPage;
        const int page = (first + i) / perPage;
        const int row = slot / sheet.columns;
        const int column = slot % sheet.columns;
        places.push_back({page, sheet.leftMargin + column * sheet.horizontalPitch,
                          sheet.topMargin + row * sheet.verticalPitch, sheet.labelWidth,
                          sheet.labelHeight});
    }
    return places;
}

} // namespace ardenvo
