// Every text a window shows went through the translation: run with a pseudo-translation that wraps
// each of the sources' texts in ‹ ›, any program text a window shows without them was never
// translated. The user's own data (the house's names and notes) and texts of Qt's own widgets are
// let through. Also: the user's language is the one loaded, and Arabic mirrors the windows.
#include "platform/Translations.h"
#include "tests/desktop/WindowTable.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

QString g_language;

// Installs what the run asks for: ARDENVO_TEST_QM, one translation file; otherwise
// ARDENVO_TEST_TRANSLATIONS, the folder of the programs' translations, loaded for the locale.
class Translations : public testing::Environment {
    void SetUp() override {
        if (const QString qm = qEnvironmentVariable("ARDENVO_TEST_QM"); !qm.isEmpty()) {
            auto* translator = new QTranslator(qApp);
            ASSERT_TRUE(translator->load(qm)) << qm.toStdString();
            QCoreApplication::installTranslator(translator);
        } else if (const QString dir = qEnvironmentVariable("ARDENVO_TEST_TRANSLATIONS");
                   !dir.isEmpty()) {
            g_language = installTranslations(*qApp, dir);
        }
        QApplication::processEvents();
    }
};
[[maybe_unused]] testing::Environment* const g_translations =
    testing::AddGlobalTestEnvironment(new Translations);

const QChar kOpen(0x2039);

bool fromQt(const QWidget* w) {
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        if (auto* box = qobject_cast<const QDialogButtonBox*>(button->parentWidget()))
            return box->standardButton(const_cast<QAbstractButton*>(button)) !=
                   QDialogButtonBox::NoButton;
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (qobject_cast<const QCalendarWidget*>(p))
            return true;
    return false;
}

// A text that needs no translation: empty, without a letter, or the user's own data.
bool needsNone(const QString& text) {
    QString plain = text;
    plain.remove(u'&');
    plain = plain.trimmed();
    if (std::none_of(plain.begin(), plain.end(), [](QChar c) { return c.isLetter(); }))
        return true;
    if (plain.startsWith(u'/') || houseText().contains(plain))
        return true;
    // The house's own file, named in the title ("NAME.av - Ardenvo", as the window title always
    // reads) and in the recent files' entries ("1 PATH").
    static const QRegularExpression houseFile(
        QStringLiteral(R"(^(\d+ )?\S*\.av(\[\*\])?( - Ardenvo)?$)"));
    if (houseFile.match(plain).hasMatch())
        return true;
    // "Section/Room" and "Category/Attribute" join two of the user's names.
    const QStringList parts = plain.split(u'/');
    return parts.size() > 1 && std::all_of(parts.begin(), parts.end(), [](const QString& part) {
               return !part.isEmpty() && houseText().contains(part);
           });
}

struct Shown {
    const QObject* where;
    QString text;
};

void addItems(const QAbstractItemView& view, QList<Shown>& texts) {
    const QAbstractItemModel* model = view.model();
    if (!model)
        return;
    auto* header = qobject_cast<const QHeaderView*>(&view);
    if (header) {
        for (int i = 0; i < model->columnCount() && !header->isHidden(); ++i)
            texts.append({&view, model->headerData(i, header->orientation()).toString()});
        return;
    }
    for (int row = 0; row < std::min(model->rowCount(), 200); ++row)
        for (int column = 0; column < model->columnCount(); ++column)
            texts.append({&view, model->index(row, column).data().toString()});
}

void addMenu(const QMenu& menu, QList<Shown>& texts) {
    texts.append({&menu, menu.title()});
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        texts.append({action, action->text()});
        if (!action->toolTip().isEmpty() && action->toolTip() != action->text())
            texts.append({action, action->toolTip()});
        if (action->menu())
            addMenu(*action->menu(), texts);
    }
}

QList<Shown> shownTexts(QWidget& window) {
    QList<Shown> texts{{&window, window.windowTitle()}};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || fromQt(w))
            continue;
        texts.append({w, w->toolTip()});
        if (auto* label = qobject_cast<QLabel*>(w))
            texts.append({w, label->text()});
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts.append({w, button->text()});
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            texts.append({w, box->title()});
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            texts.append({w, edit->placeholderText()});
        else if (auto* combo = qobject_cast<QComboBox*>(w); combo && !combo->isEditable())
            for (int i = 0; i < combo->count(); ++i)
                texts.append({w, combo->itemText(i)});
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts.append({w, tabs->tabText(i)});
        else if (auto* view = qobject_cast<QAbstractItemView*>(w))
            addItems(*view, texts);
    }
    if (auto* main = qobject_cast<QMainWindow*>(&window))
        for (QAction* action : main->menuBar()->actions())
            if (action->menu())
                addMenu(*action->menu(), texts);
    return texts;
}

class Translated : public testing::TestWithParam<Window> {};

TEST_P(Translated, EveryTextTheWindowShowsIsTranslated) {
    if (qEnvironmentVariable("ARDENVO_TEST_QM").isEmpty())
        GTEST_SKIP() << "needs the pseudo-translation in ARDENVO_TEST_QM";
    Scene scene;
    ASSERT_NE(scene.room, nullptr);
    const std::unique_ptr<QWidget> window = showWindow(scene, GetParam());
    QStringList untranslated;
    for (const Shown& shown : shownTexts(*window))
        if (!shown.text.contains(kOpen) && !needsNone(shown.text))
            untranslated << QStringLiteral("%1: \"%2\"")
                                .arg(QLatin1String(shown.where->metaObject()->className()),
                                     shown.text.left(60));
    untranslated.removeDuplicates();
    EXPECT_EQ(untranslated, QStringList());
    window->close();
}

INSTANTIATE_TEST_SUITE_P(Windows, Translated, testing::ValuesIn(windows()),
                         [](const testing::TestParamInfo<Window>& info) {
                             return windowName(info.param);
                         });

// The run's locale: German loads the German translation; Arabic has none of ours, yet lays the
// windows out right to left from Qt's own.
TEST(Languages, TheUsersLanguageIsLoaded) {
    const QString locale = QLocale().name();
    if (locale.startsWith(QLatin1String("de"))) {
        EXPECT_EQ(g_language, QStringLiteral("de"));
        EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
    } else if (locale.startsWith(QLatin1String("ar"))) {
        EXPECT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
    } else {
        GTEST_SKIP() << "run in German or Arabic";
    }
}

} // namespace
