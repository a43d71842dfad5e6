#include "widgets/Prompter.h"

#include <QCoreApplication>

namespace ardenvo {

QString applicationTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Ardenvo") : name;
}

QString titleOf(const Prompter::Prompt& prompt) {
    switch (prompt.title) {
    case Prompter::Title::Warning:
        return QStringLiteral("Warning");
    case Prompter::Title::Error:
        return QStringLiteral("Error");
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

} // namespace ardenvo
