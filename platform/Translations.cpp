#include "platform/Translations.h"

#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace ardenvo {

QString shippedTranslationsDirectory() {
    for (const auto& dir : AppPaths::resourceDirectories()) {
        const QString candidate = QString::fromStdString(dir) + QStringLiteral("/translations");
        if (QFileInfo(candidate).isDir())
            return candidate;
    }
    return {};
}

namespace {

// The translator of `name` for `language` from `dir`, or nullptr when no file of it loads. The
// file for "de_DE" may be ardenvo_de_DE.qm or ardenvo_de.qm.
std::unique_ptr<QTranslator> translatorFor(const QString& name, const QString& language,
                                           const QString& dir) {
    auto translator = std::make_unique<QTranslator>();
    if (dir.isEmpty() || language.isEmpty() ||
        !translator->load(name + QLatin1Char('_') + language, dir))
        return nullptr;
    return translator;
}

bool isEnglish(const QString& language) {
    return language == QLatin1String("C") || language == QLatin1String("en") ||
           language.startsWith(QLatin1String("en_"));
}

// Installs the translator; the application then owns it.
void install(QCoreApplication& app, std::unique_ptr<QTranslator> translator) {
    if (!translator)
        return;
    QCoreApplication::installTranslator(translator.get());
    translator.release()->setParent(&app);
}

} // namespace

LanguageChoice chooseLanguages(const QStringList& preferred, const QString& directory,
                               const QString& qtDirectory) {
    LanguageChoice choice;
    for (QString language : preferred) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (isEnglish(language))
            break;
        if (translatorFor(QStringLiteral("ardenvo"), language, directory)) {
            choice.ours = language;
            choice.qt = language;
            return choice;
        }
        if (choice.qt.isEmpty() && translatorFor(QStringLiteral("qtbase"), language, qtDirectory))
            choice.qt = language;
    }
    return choice;
}

QString installTranslations(QCoreApplication& app, const QString& directory) {
    const QString ours = directory.isEmpty() ? shippedTranslationsDirectory() : directory;
    const QString qt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const LanguageChoice choice = chooseLanguages(QLocale().uiLanguages(), ours, qt);
    std::unique_ptr<QTranslator> translator =
        translatorFor(QStringLiteral("ardenvo"), choice.ours, ours);
    const QString loaded = translator ? translator->language() : QString();
    install(app, std::move(translator));
    // Qt's own texts (the standard buttons, the file and print dialogs).
    install(app, translatorFor(QStringLiteral("qtbase"), choice.qt, qt));
    return loaded;
}

} // namespace ardenvo
