#pragma once

#include <QString>

class QCoreApplication;

namespace ardenvo {

// Installs the translation of the programs' texts for the user's languages (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG), from <directory>/ardenvo_<language>.qm, and Qt's own for its standard
// buttons and dialogs. A language without a translation quietly stays English. An empty directory
// means the translations shipped with the program (AppPaths' resource directories). Returns the
// language loaded for the programs' own texts, empty when none.
QString installTranslations(QCoreApplication& app, const QString& directory = QString());

// The folder of the shipped translations: "translations" in the first resource directory that
// has it; empty when none does.
QString shippedTranslationsDirectory();

} // namespace ardenvo
