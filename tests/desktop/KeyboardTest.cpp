// Every window can be used without a mouse and is named to a screen reader: each labelled control
// has an Alt-key letter and no letter serves twice in a window or a menu, Tab reaches every control
// and never sticks in one, Esc closes a dialog, and every control Tab reaches has an accessible
// name.
#include "tests/desktop/WindowTable.h"
#include "widgets/Prompter.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

QString describe(const QWidget* w, const QString& text) {
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(w->metaObject()->className()), text);
}

bool insideQtComposite(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QCalendarWidget*>(p))
            return true;
    return false;
}

// Buttons Enter and Esc already press: the default button, and an OK, Cancel or Close (of a
// button box, or by that text).
bool pressedByEnterOrEsc(const QAbstractButton* button) {
    if (auto* push = qobject_cast<const QPushButton*>(button); push && push->isDefault())
        return true;
    if (const auto* box = qobject_cast<const QDialogButtonBox*>(button->parentWidget())) {
        const auto standard = box->standardButton(const_cast<QAbstractButton*>(button));
        return standard == QDialogButtonBox::Ok || standard == QDialogButtonBox::Cancel ||
               standard == QDialogButtonBox::Close;
    }
    for (const char* text : {"OK", "Cancel", "Close"})
        if (button->text() == QLatin1String(text) ||
            button->text() == QCoreApplication::translate("QPlatformTheme", text))
            return true;
    return false;
}

// What carries an Alt-key letter in the window: text and whether it must have one.
struct Labelled {
    const QWidget* widget;
    QString text;
    bool needsLetter;
};

QList<Labelled> labelledControls(QWidget& window) {
    QList<Labelled> all;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->window() != &window || insideQtComposite(w))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            const QString plain = label->text().trimmed();
            const bool namesAField = label->buddy() || plain.endsWith(u':');
            if (namesAField || altLetter(plain) != QChar())
                all.append({w, plain, namesAField});
        } else if (auto* tool = qobject_cast<QToolButton*>(w)) {
            if (tool->toolButtonStyle() != Qt::ToolButtonIconOnly && !tool->text().isEmpty() &&
                !tool->icon().isNull())
                all.append({w, tool->text(), false});
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (!button->text().isEmpty() && !pressedByEnterOrEsc(button))
                all.append({w, button->text(), true});
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            if (!box->title().isEmpty())
                all.append({w, box->title(), box->isCheckable()});
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                all.append({w, tabs->tabText(i), true});
        }
    }
    if (auto* main = qobject_cast<QMainWindow*>(&window))
        for (QAction* action : main->menuBar()->actions())
            all.append({main->menuBar(), action->text(), true});
    return all;
}

QStringList missingAndDuplicateLetters(const QList<Labelled>& controls) {
    QStringList faults;
    QMap<QChar, QStringList> byLetter;
    for (const Labelled& c : controls) {
        const QChar letter = altLetter(c.text);
        if (letter.isNull()) {
            if (c.needsLetter)
                faults << describe(c.widget, c.text) + QStringLiteral(" has no Alt-key letter");
        } else {
            byLetter[letter] << describe(c.widget, c.text);
        }
    }
    for (auto it = byLetter.cbegin(); it != byLetter.cend(); ++it)
        if (it.value().size() > 1)
            faults << QStringLiteral("Alt+%1 serves %2").arg(it.key(), it.value().join(", "));
    return faults;
}

// Every menu of the menu bar, and the menus inside them: each entry has a letter of its own.
void checkMenu(const QMenu& menu, QStringList& faults) {
    QList<Labelled> entries;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible() || action->text().isEmpty())
            continue;
        entries.append({&menu, action->text(), true});
        if (action->menu())
            checkMenu(*action->menu(), faults);
    }
    for (const QString& fault : missingAndDuplicateLetters(entries))
        faults << menu.title() + QStringLiteral(": ") + fault;
}

// What Tab should stop at: shown, enabled controls that take focus from the keyboard.
QList<QWidget*> tabStops(QWidget& window) {
    QList<QWidget*> stops;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (w->isVisibleTo(&window) && w->isEnabled() && w->window() == &window &&
            (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            stops.append(w);
    return stops;
}

QString describe(const QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w));
    return describe(w, a ? a->text(QAccessible::Name) : QString()) +
           (w->objectName().isEmpty() ? QString() : QStringLiteral(" ") + w->objectName());
}

class Keyboard : public testing::TestWithParam<Window> {
protected:
    void SetUp() override {
        ASSERT_NE(scene.room, nullptr);
        window = showWindow(scene, GetParam());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override {
        if (window)
            window->close();
    }
    Scene scene;
    std::unique_ptr<QWidget> window;
};

TEST_P(Keyboard, EveryLabelledControlAndMenuEntryHasALetterOfItsOwn) {
    QStringList faults = missingAndDuplicateLetters(labelledControls(*window));
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const auto* form = label->parentWidget()
                               ? qobject_cast<QFormLayout*>(label->parentWidget()->layout())
                               : nullptr;
        if (!form || label->buddy() || !label->isVisibleTo(window.get()))
            continue;
        int row = -1;
        QFormLayout::ItemRole role;
        form->getWidgetPosition(const_cast<QLabel*>(label), &row, &role);
        QLayoutItem* field = row < 0 ? nullptr : form->itemAt(row, QFormLayout::FieldRole);
        if (role == QFormLayout::LabelRole && field && field->widget() &&
            (field->widget()->focusPolicy() & Qt::TabFocus))
            faults << describe(label, label->text()) +
                          QStringLiteral(" names a field it has no buddy for");
    }
    if (auto* main = qobject_cast<QMainWindow*>(window.get()))
        for (QAction* action : main->menuBar()->actions())
            if (action->menu())
                checkMenu(*action->menu(), faults);
    EXPECT_EQ(faults, QStringList());
}

// Radio buttons of one group are one stop: Tab reaches the checked one, the arrow keys the rest.
bool reachedThroughItsGroup(const QWidget* w, const QSet<QWidget*>& reached) {
    const auto* radio = qobject_cast<const QRadioButton*>(w);
    if (!radio)
        return false;
    for (QWidget* other : reached) {
        const auto* mate = qobject_cast<const QRadioButton*>(other);
        if (!mate)
            continue;
        if ((radio->group() && radio->group() == mate->group()) ||
            (!radio->group() && radio->autoExclusive() && mate->autoExclusive() &&
             mate->parentWidget() == radio->parentWidget()))
            return true;
    }
    return false;
}

TEST_P(Keyboard, TabReachesEveryControlAndStopsInNone) {
    const QList<QWidget*> expected = tabStops(*window);
    if (expected.isEmpty())
        return;
    if (!QApplication::focusWidget())
        expected.front()->setFocus(Qt::TabFocusReason);
    QSet<QWidget*> reached{QApplication::focusWidget()};
    QStringList faults;
    // A date field steps through its day, month and year first; more presses than that in one
    // control (a table going cell by cell) keep a keyboard user in it.
    constexpr int kMostPressesInOne = 4;
    int pressesHere = 0;
    for (qsizetype i = 0; i < 2 * expected.size() + 300 && expected.size() > 1; ++i) {
        QWidget* before = QApplication::focusWidget();
        QTest::keyClick(before, Qt::Key_Tab);
        QWidget* after = QApplication::focusWidget();
        pressesHere = after == before ? pressesHere + 1 : 0;
        // A text browser's Tab walks its links first, as a web page's does, then leaves.
        const int most = qobject_cast<QTextBrowser*>(before) ? 256 : kMostPressesInOne;
        if (pressesHere == most) {
            faults << describe(before) + QStringLiteral(" keeps the focus when Tab is pressed");
            break;
        }
        reached.insert(after);
    }
    for (QWidget* w : expected)
        if (!reached.contains(w) && !reachedThroughItsGroup(w, reached))
            faults << describe(w) + QStringLiteral(" is never reached by Tab");
    EXPECT_EQ(faults, QStringList());
}

TEST_P(Keyboard, EveryControlTabReachesHasAnAccessibleName) {
    QStringList faults;
    for (QWidget* w : tabStops(*window)) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            faults << describe(w, QString()) + QStringLiteral(" ") + w->objectName() +
                          QStringLiteral(" has no accessible name");
    }
    EXPECT_EQ(faults, QStringList());
}

TEST_P(Keyboard, EscapeClosesADialog) {
    auto* dialog = qobject_cast<QDialog*>(window.get());
    if (!dialog)
        return;
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : dialog, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Windows, Keyboard, testing::ValuesIn(windows()),
                         [](const testing::TestParamInfo<Window>& info) {
                             return windowName(info.param);
                         });

// The checks themselves: a button without a letter, two controls sharing one, a field label
// without its field, and a control Tab skips are found.
TEST(KeyboardChecks, FindMissingAndSharedLettersAndUnreachedControls) {
    QWidget window;
    auto* form = new QFormLayout(&window);
    auto* unnamed = new QLabel(QStringLiteral("Name:"));
    form->addRow(unnamed, new QLineEdit);
    form->addRow(new QPushButton(QStringLiteral("&Open")));
    form->addRow(new QPushButton(QStringLiteral("&Other")));
    form->addRow(new QPushButton(QStringLiteral("Close all")));
    window.show();
    const QStringList faults = missingAndDuplicateLetters(labelledControls(window));
    ASSERT_EQ(faults.size(), 3) << faults.join('\n').toStdString();
    EXPECT_TRUE(faults.join('\n').contains(QLatin1String("Alt+o serves")));
    EXPECT_TRUE(faults.join('\n').contains(QLatin1String("\"Close all\" has no")));
    EXPECT_EQ(tabStops(window).size(), 4);
}

} // namespace
