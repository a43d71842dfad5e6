#pragma once

#include "planeditor/layout/UnitTable.h"
#include "widgets/Prompter.h"

#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QProgressDialog;
class QScrollArea;
class QWidget;

namespace ardenvo {

// The boxes of the block and section dialogs, titled with the program's name: a refused edit
// (stop icon) and a missing selection or unusable input (exclamation icon).
void showRefusal(Prompter& prompter, QWidget* parent, const QString& text);
void showWarning(Prompter& prompter, QWidget* parent, const QString& text);

// A unit of the unit table as the windows show it, in the user's language: its label for a list
// ("Centimeters") and its name beside a length ("centimeters").
QString unitLabelText(int index);
QString unitNameText(int index);

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
std::optional<double> readNumber(QLineEdit* edit, Prompter& prompter);
// An integer within [low, high]: "Please enter an integer." for text that is no integer, else
// "Please enter an integer between %1 and %2.".
std::optional<int> readInteger(QLineEdit* edit, int low, int high, Prompter& prompter);

// The size a dialog opens at: `wanted`, but no larger than the screen it opens on leaves free
// (on a scaled screen a size in widget pixels may be larger than the whole screen), and never
// smaller than its layout needs.
QSize fittedToScreen(const QWidget* dialog, QSize wanted);

// For a dialog too rich for a small or highly scaled screen (1920 x 1080 at 200 % leaves
// 960 x 540): the widget to lay its controls out on, which scrolls inside the dialog when the
// screen cannot show it whole. The dialog asks for the size the controls want, as before.
QWidget* scrollableBody(QWidget* dialog);

// The progress dialog runUnderProgress shows, not yet shown: `label` above the bar, and Cancel.
std::unique_ptr<QProgressDialog> makeProgressDialog(QWidget* parent, const QString& label,
                                                    const QString& objectName);

// Runs `step` under a window-modal progress dialog named `objectName` (shown after 300 ms), handing
// it a callback that moves the bar and answers false once the user pressed Cancel; the result is
// what `step` returns.
bool runUnderProgress(
    QWidget* parent, const QString& label, const QString& objectName,
    const std::function<bool(const std::function<bool(int done, int total)>&)>& step);

} // namespace ardenvo
