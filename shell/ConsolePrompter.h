#pragma once

#include "widgets/Prompter.h"

namespace ardenvo {

// For runs without a user (--screenshot): messages go to standard error, questions get "No" (a
// choice none), file and colour choices are cancelled, a notice is
// written out like a message.
class ConsolePrompter : public Prompter {
public:
    void message(QWidget* parent, const Prompt& prompt) override;
    bool askYesNo(QWidget*, const Prompt&, Answer) override { return false; }
    Answer askYesNoCancel(QWidget*, const Prompt&) override { return Answer::No; }
    int askChoice(QWidget*, const Prompt&, const QStringList&) override { return -1; }
    QString askOpenFileName(QWidget*, const FileRequest&) override { return {}; }
    QString askSaveFileName(QWidget*, const FileRequest&) override { return {}; }
    std::optional<ColorRef> askColor(QWidget*, ColorRef) override { return std::nullopt; }
    QWidget* openNotice(const Prompt& prompt, std::function<void()> closed) override;
};

} // namespace ardenvo
