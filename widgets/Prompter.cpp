#include "widgets/Prompter.h"

#include <QCoreApplication>
#include <QSet>

namespace ardenvo {

QString applicationTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Ardenvo") : name;
}

QString titleOf(const Prompter::Prompt& prompt) {
    switch (prompt.title) {
    case Prompter::Title::Warning:
        return QCoreApplication::translate("ardenvo::Prompter", "Warning");
    case Prompter::Title::Error:
        return QCoreApplication::translate("ardenvo::Prompter", "Error");
    case Prompter::Title::Custom:
        return prompt.customTitle;
    case Prompter::Title::Application:
        break;
    }
    return applicationTitle();
}

bool askBeforeLoss(Prompter& prompter, QWidget* parent, const QString& question) {
    return prompter.askYesNo(parent,
                             {question, Prompter::Icon::Warning, Prompter::Title::Warning, {}},
                             Prompter::Answer::No);
}

QChar altLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

QString withPlainAmpersands(QString text) {
    return text.replace(u'&', QStringLiteral("&&"));
}

QStringList withAltLetters(const QStringList& texts) {
    QSet<QChar> taken;
    for (const QString& text : texts)
        if (const QChar letter = altLetter(text); !letter.isNull())
            taken.insert(letter);
    QStringList result;
    for (const QString& text : texts) {
        QString out = text;
        if (altLetter(text).isNull()) {
            for (qsizetype i = 0; i < text.size(); ++i) {
                const QChar c = text[i];
                if (c.isLetterOrNumber() && !taken.contains(c.toLower()) &&
                    (i == 0 || text[i - 1] != u'&')) {
                    taken.insert(c.toLower());
                    out.insert(i, u'&');
                    break;
                }
            }
        }
        result << out;
    }
    return result;
}

} // namespace ardenvo
