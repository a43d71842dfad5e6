#include "shell/ConsolePrompter.h"

#include <cstdio>

namespace ardenvo {

void ConsolePrompter::message(QWidget*, const Prompt& prompt) {
    const QString title = titleOf(prompt);
    std::fprintf(stderr, "ardenvo: %s%s%s\n", qPrintable(title), title.isEmpty() ? "" : ": ",
                 qPrintable(prompt.text));
}

QWidget* ConsolePrompter::openNotice(const Prompt& prompt, std::function<void()>) {
    message(nullptr, prompt);
    return nullptr;
}

} // namespace ardenvo
