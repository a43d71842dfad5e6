// The programs' translation is chosen by the user's language: English, the language of the texts
// themselves, loads none of ours and says nothing; German loads ours and Qt's own.
#include "platform/Translations.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWidget>
#include <gtest/gtest.h>

namespace ardenvo {
namespace {

const QString kBuilt = QStringLiteral(ARDENVO_BINARY_DIR "/bin/translations");

class TranslationsTest : public testing::Test {
protected:
    ~TranslationsTest() override {
        // A translator removes itself from the application when it goes.
        qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
        QLocale::setDefault(m_before);
    }

    // What the menu bar's first menu is called with the translations installed.
    static QString fileMenu() {
        return QCoreApplication::translate("ardenvo::CMainFrame", "&File");
    }
    static bool anyWindowShown() {
        QApplication::processEvents();
        for (const QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                return true;
        return false;
    }

    QLocale m_before;
};

TEST_F(TranslationsTest, EnglishLoadsNoneOfOursAndShowsNoBox) {
    for (const char* name : {"en_US", "en_GB", "C"}) {
        SCOPED_TRACE(name);
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        EXPECT_EQ(installTranslations(*qApp, kBuilt), QString());
        EXPECT_EQ(fileMenu(), QStringLiteral("&File"));
        EXPECT_FALSE(anyWindowShown());
    }
}

TEST_F(TranslationsTest, GermanLoadsOursAndQtsOwn) {
    ASSERT_TRUE(QFile::exists(kBuilt + QStringLiteral("/ardenvo_de.qm")));
    for (const char* name : {"de_DE", "de_AT"}) {
        SCOPED_TRACE(name);
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        EXPECT_EQ(installTranslations(*qApp, kBuilt), QStringLiteral("de"));
        EXPECT_EQ(fileMenu(), QStringLiteral("&Datei"));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                  QStringLiteral("Abbrechen"));
        EXPECT_FALSE(anyWindowShown());
        qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
    }
}

// The user's languages in their order: English before German keeps English, for Qt's texts too;
// a language neither is translated to gives way to the next; one only Qt speaks still gives Qt's.
TEST_F(TranslationsTest, TheFirstOfTheUsersLanguagesThatIsEnglishOrOursIsChosen) {
    const QString qt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const auto chosen = [&](const QStringList& preferred) {
        const LanguageChoice choice = chooseLanguages(preferred, kBuilt, qt);
        return (choice.ours + QLatin1Char('/') + choice.qt).toStdString();
    };
    EXPECT_EQ(chosen({"en", "de"}), "/");
    EXPECT_EQ(chosen({"en-GB", "de-DE", "de"}), "/");
    EXPECT_EQ(chosen({"de-AT", "de", "en"}), "de_AT/de_AT");
    EXPECT_EQ(chosen({"xx-YY", "de-DE"}), "de_DE/de_DE");
    EXPECT_EQ(chosen({"ar-EG", "ar", "en"}), "/ar_EG");
    EXPECT_EQ(chosen({"ar-EG", "de"}), "de/de");
    EXPECT_EQ(chosen({}), "/");
}

// A language whose file is missing, unreadable or damaged quietly stays English.
TEST_F(TranslationsTest, AMissingOrDamagedFileStaysEnglish) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile damaged(dir.filePath(QStringLiteral("ardenvo_de.qm")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a translation at all");
    damaged.close();
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    for (const QString& folder : {dir.path(), dir.filePath(QStringLiteral("missing")), QString()}) {
        SCOPED_TRACE(folder.toStdString());
        const QString loaded = installTranslations(*qApp, folder);
        // The empty folder means the shipped translations: a German one may be found there.
        if (!folder.isEmpty()) {
            EXPECT_EQ(loaded, QString());
            EXPECT_EQ(fileMenu(), QStringLiteral("&File"));
        }
        EXPECT_FALSE(anyWindowShown());
        qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
    }
}

} // namespace
} // namespace ardenvo
