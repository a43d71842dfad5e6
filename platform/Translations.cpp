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

// Installs the translator when its file loads; the application then owns it.
bool install(QCoreApplication& app, const QLocale& locale, const QString& name, const QString& dir,
             QString* language = nullptr) {
    auto translator = std::make_unique<QTranslator>();
    if (dir.isEmpty() || !translator->load(locale, name, QStringLiteral("_"), dir))
        return false;
    QCoreApplication::installTranslator(translator.get());
    if (language)
        *language = translator->language();
    translator.release()->setParent(&app);
    return true;
}

} // namespace

QString installTranslations(QCoreApplication& app, const QString& directory) {
    const QLocale locale;
    QString loaded;
    // An English locale finds no file: that is the source language, not a fault to report.
    install(app, locale, QStringLiteral("ardenvo"),
            directory.isEmpty() ? shippedTranslationsDirectory() : directory, &loaded);
    // Qt's own texts (the standard buttons, the file and print dialogs). Loaded even without ours,
    // so a right-to-left language still lays the windows out mirrored.
    install(app, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return loaded;
}

} // namespace ardenvo
