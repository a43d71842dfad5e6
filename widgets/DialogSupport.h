#pragma once

#include "model/Geometry.h"
#include "planeditor/layout/UnitTable.h"

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QWidget;

namespace ardenvo {

// The message boxes and the colour chooser of the block and section dialogs, so tests can answer
// them. An empty member falls back to the standard Qt dialog; every box carries the
// application's name as its title.
struct DialogPrompts {
    // A refused edit: stop icon.
    std::function<void(QWidget* parent, const QString& text)> refuse;
    // A missing selection or unusable input: exclamation icon.
    std::function<void(QWidget* parent, const QString& text)> warn;
    // A Yes/No question with a question icon; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> confirm;
    // The colour chosen in the standard colour dialog, or nullopt when cancelled.
    std::function<std::optional<ColorRef>(QWidget* parent, ColorRef initial)> chooseColor;

    void showRefusal(QWidget* parent, const QString& text) const;
    void showWarning(QWidget* parent, const QString& text) const;
    bool askYesNo(QWidget* parent, const QString& text) const;
    std::optional<ColorRef> pickColor(QWidget* parent, ColorRef initial) const;
};

// The application's name, the title of every message box of these dialogs.
QString dialogTitle();

// A length as "%.2f" shows it, independent of the locale's decimal point.
QString formatTwoDecimals(double value);

// A length typed in `units`, in centimetres. A value that reads, to two decimals, as a whole
// number of centimetres shown in that unit is taken as exactly that number, so confirming a
// shown value never loses a centimetre when the caller truncates (59.84 inches is 152, not
// 151.99).
double centimetresOf(double display, const UnitTable& units);

// A decimal number as the user may type it (blanks around it, a decimal comma); nullopt for
// anything else, infinities and NaN included.
std::optional<double> parseNumber(const QString& text);

// The checks the data exchange makes before a dialog's own rules run. On bad text they warn,
// give the edit the focus with its text selected, and return nullopt.
// A decimal number: "Please enter a number."
std::optional<double> readNumber(QLineEdit* edit, const DialogPrompts& prompts);
// An integer within [low, high]: "Please enter an integer." for text that is no integer, else
// "Please enter an integer between %1 and %2.".
std::optional<int> readInteger(QLineEdit* edit, int low, int high, const DialogPrompts& prompts);

} // namespace ardenvo
