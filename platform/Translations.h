#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace ardenvo {

// Installs the translation of the programs' texts for the user's languages (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG), from <directory>/ardenvo_<language>.qm, and Qt's own for its standard
// buttons and dialogs. A language without a translation quietly stays English. An empty directory
// means the translations shipped with the program (AppPaths' resource directories). Returns the
// language loaded for the programs' own texts, empty when none.
QString installTranslations(QCoreApplication& app, const QString& directory = QString());

// The languages chosen from the user's, in their order of preference ("de-DE", "en"...): ours is
// the first with a translation of ours, unless English, the texts' own language, comes first;
// Qt's is then the same, or without ours the first Qt has (so that a right-to-left language
// still lays the windows out mirrored). Each is a name such as "de_DE", empty when none.
struct LanguageChoice {
    QString ours;
    QString qt;
};
LanguageChoice chooseLanguages(const QStringList& preferred, const QString& directory,
                               const QString& qtDirectory);

// The folder of the shipped translations: "translations" in the first resource directory that
// has it; empty when none does.
QString shippedTranslationsDirectory();

} // namespace ardenvo
