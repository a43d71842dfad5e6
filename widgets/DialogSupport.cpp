#include "widgets/DialogSupport.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace ardenvo {

namespace {

constexpr const char* kUnitsContext = "ardenvo::Units";

// The unit table's texts, listed for the translation tools: the table itself stays free of Qt.
[[maybe_unused]] constexpr const char* kUnitTexts[] = {
    QT_TRANSLATE_NOOP("ardenvo::Units", "Centimeters"),
    QT_TRANSLATE_NOOP("ardenvo::Units", "Meters"),
    QT_TRANSLATE_NOOP("ardenvo::Units", "Inches"),
    QT_TRANSLATE_NOOP("ardenvo::Units", "Feet"),
    QT_TRANSLATE_NOOP("ardenvo::Units", "Yards"),
    //: A unit as it stands beside a length
    QT_TRANSLATE_NOOP("ardenvo::Units", "centimeters"),
    QT_TRANSLATE_NOOP("ardenvo::Units", "meters"),
    QT_TRANSLATE_NOOP("ardenvo::Units", "inches"),
    QT_TRANSLATE_NOOP("ardenvo::Units", "feet"),
    QT_TRANSLATE_NOOP("ardenvo::Units", "yards"),
};

// Room for the window's frame and title bar, which the screen's free area must hold too.
const QSize kFrameAllowance(16, 48);

// Scrolls only when it must: it asks for all its content wants, not the few lines a scroll area
// asks for at most.
class ScrollBody : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        return widget() ? widget()->sizeHint() + QSize(2 * frameWidth(), 2 * frameWidth())
                        : QScrollArea::sizeHint();
    }
};

// Puts the user back on the field that needs correcting.
void focusForCorrection(QLineEdit* edit) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

} // namespace

void showRefusal(Prompter& prompter, QWidget* parent, const QString& text) {
    prompter.message(parent, {text, Prompter::Icon::Stop});
}

void showWarning(Prompter& prompter, QWidget* parent, const QString& text) {
    prompter.message(parent, {text, Prompter::Icon::Warning});
}

QString unitLabelText(int index) {
    return QCoreApplication::translate(kUnitsContext, UnitTable::labelAt(index));
}

QString unitNameText(int index) {
    return QCoreApplication::translate(kUnitsContext, UnitTable::nameAt(index));
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

std::optional<double> readNumber(QLineEdit* edit, Prompter& prompter) {
    const auto value = parseNumber(edit->text());
    if (!value) {
        showWarning(
            prompter, edit,
            QCoreApplication::translate("ardenvo::DialogSupport", "Please enter a number."));
        focusForCorrection(edit);
    }
    return value;
}

std::optional<int> readInteger(QLineEdit* edit, int low, int high, Prompter& prompter) {
    const std::string text = edit->text().trimmed().toStdString();
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (end - begin > 1 && *begin == '+' && begin[1] != '-')
        ++begin; // from_chars takes only a minus sign
    long long value = 0;
    const auto parsed = std::from_chars(begin, end, value);
    if (begin == end || parsed.ptr != end ||
        (parsed.ec != std::errc() && parsed.ec != std::errc::result_out_of_range)) {
        showWarning(
            prompter, edit,
            QCoreApplication::translate("ardenvo::DialogSupport", "Please enter an integer."));
        focusForCorrection(edit);
        return std::nullopt;
    }
    if (parsed.ec == std::errc::result_out_of_range || value < low || value > high) {
        showWarning(prompter, edit,
                    QCoreApplication::translate("ardenvo::DialogSupport",
                                                "Please enter an integer between %1 and %2.")
                        .arg(low)
                        .arg(high));
        focusForCorrection(edit);
        return std::nullopt;
    }
    return static_cast<int>(value);
}

QSize fittedToScreen(const QWidget* dialog, QSize wanted) {
    const QWidget* owner = dialog->parentWidget() ? dialog->parentWidget() : dialog;
    if (const QScreen* screen =
            owner->screen() ? owner->screen() : QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() - kFrameAllowance);
    return wanted.expandedTo(dialog->minimumSizeHint());
}

QWidget* scrollableBody(QWidget* dialog) {
    auto* outer = new QVBoxLayout(dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new ScrollBody(dialog);
    scroll->setObjectName(QStringLiteral("body"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus); // Tab stops at the controls, not at their frame
    auto* body = new QWidget(scroll);
    scroll->setWidget(body);
    outer->addWidget(scroll);
    return body;
}

std::unique_ptr<QProgressDialog> makeProgressDialog(QWidget* parent, const QString& label,
                                                    const QString& objectName) {
    auto progress = std::make_unique<QProgressDialog>(
        label, QCoreApplication::translate("ardenvo::DialogSupport", "Cancel"), 0, 1, parent);
    progress->setObjectName(objectName);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(300);
    progress->setAccessibleName(label);
    return progress;
}

bool runUnderProgress(
    QWidget* parent, const QString& label, const QString& objectName,
    const std::function<bool(const std::function<bool(int done, int total)>&)>& step) {
    const std::unique_ptr<QProgressDialog> dialog = makeProgressDialog(parent, label, objectName);
    QProgressDialog& progress = *dialog;
    return step([&progress](int done, int total) {
        progress.setMaximum(std::max(total, 1));
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
}

} // namespace ardenvo
