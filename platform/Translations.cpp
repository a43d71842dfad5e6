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

namespace {

// The choice, with the translators it found loaded, so that installing it reads no file again.
struct LoadedChoice {
    LanguageChoice names;
    std::unique_ptr<QTranslator> ours, qt;
};

LoadedChoice choose(const QStringList& preferred, const QString& directory,
                    const QString& qtDirectory) {
    LoadedChoice choice;
    for (QString language : preferred) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (isEnglish(language))
            break;
        if (auto ours = translatorFor(QStringLiteral("ardenvo"), language, directory)) {
            choice.names = {language, language};
            choice.ours = std::move(ours);
            choice.qt = translatorFor(QStringLiteral("qtbase"), language, qtDirectory);
            return choice;
        }
        if (!choice.qt) {
            choice.qt = translatorFor(QStringLiteral("qtbase"), language, qtDirectory);
            if (choice.qt)
                choice.names.qt = language;
        }
    }
    return choice;
}

} // namespace

LanguageChoice chooseLanguages(const QStringList& preferred, const QString& directory,
                               const QString& qtDirectory) {
    return choose(preferred, directory, qtDirectory).names;
}

QString installTranslations(QCoreApplication& app, const QString& directory) {
    LoadedChoice choice = choose(QLocale().uiLanguages(),
                                 directory.isEmpty() ? shippedTranslationsDirectory() : directory,
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    const QString loaded = choice.ours ? choice.ours->language() : QString();
    install(app, std::move(choice.ours));
    // Qt's own texts (the standard buttons, the file and print dialogs).
    install(app, std::move(choice.qt));
    return loaded;
}

} // namespace ardenvo
