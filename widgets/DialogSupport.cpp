#include "widgets/DialogSupport.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>

#include <charconv>
#include <cmath>

namespace ardenvo {

namespace {

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, dialogTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

// Puts the user back on the field that needs correcting.
void focusForCorrection(QLineEdit* edit) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

} // namespace

void DialogPrompts::showRefusal(QWidget* parent, const QString& text) const {
    if (refuse)
        refuse(parent, text);
    else
        showBox(parent, QMessageBox::Critical, text);
}

void DialogPrompts::showWarning(QWidget* parent, const QString& text) const {
    if (warn)
        warn(parent, text);
    else
        showBox(parent, QMessageBox::Warning, text);
}

bool DialogPrompts::askYesNo(QWidget* parent, const QString& text) const {
    if (confirm)
        return confirm(parent, text);
    QMessageBox box(QMessageBox::Question, dialogTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<ColorRef> DialogPrompts::pickColor(QWidget* parent, ColorRef initial) const {
    if (chooseColor)
        return chooseColor(parent, initial);
    const QColor chosen =
        QColorDialog::getColor(QColor(redOf(initial), greenOf(initial), blueOf(initial)), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return rgb(chosen.red(), chosen.green(), chosen.blue());
}

QString dialogTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Ardenvo") : name;
}

QString formatTwoDecimals(double value) {
    char buffer[400];
    const auto printed =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (printed.ec != std::errc())
        return QStringLiteral("0.00");
    return QString::fromLatin1(buffer, static_cast<int>(printed.ptr - buffer));
}

double centimetresOf(double display, const UnitTable& units) {
    const double exact = units.toInternal(display);
    const double whole = std::round(exact);
    if (formatTwoDecimals(units.toDisplay(whole)) == formatTwoDecimals(display))
        return whole;
    return exact;
}

std::optional<double> parseNumber(const QString& typed) {
    // Users type lengths the way their locale writes them, so one decimal comma counts as a point.
    QString trimmed = typed.trimmed();
    if (!trimmed.contains(QLatin1Char('.')) && trimmed.count(QLatin1Char(',')) == 1)
        trimmed.replace(QLatin1Char(','), QLatin1Char('.'));
    const std::string text = trimmed.toStdString();
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (end - begin > 1 && *begin == '+' && begin[1] != '-')
        ++begin; // from_chars takes only a minus sign
    double value = 0;
    const auto parsed = std::from_chars(begin, end, value, std::chars_format::general);
    if (begin == end || parsed.ec != std::errc() || parsed.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> readNumber(QLineEdit* edit, const DialogPrompts& prompts) {
    const auto value = parseNumber(edit->text());
    if (!value) {
        prompts.showWarning(edit, QStringLiteral("Please enter a number."));
        focusForCorrection(edit);
    }
    return value;
}

std::optional<int> readInteger(QLineEdit* edit, int low, int high, const DialogPrompts& prompts) {
    const std::string text = edit->text().trimmed().toStdString();
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (end - begin > 1 && *begin == '+' && begin[1] != '-')
        ++begin; // from_chars takes only a minus sign
    long long value = 0;
    const auto parsed = std::from_chars(begin, end, value);
    if (begin == end || parsed.ptr != end ||
        (parsed.ec != std::errc() && parsed.ec != std::errc::result_out_of_range)) {
        prompts.showWarning(edit, QStringLiteral("Please enter an integer."));
        focusForCorrection(edit);
        return std::nullopt;
    }
    if (parsed.ec == std::errc::result_out_of_range || value < low || value > high) {
        prompts.showWarning(
            edit, QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high));
        focusForCorrection(edit);
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace ardenvo
