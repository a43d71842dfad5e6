#pragma once

#include "widgets/Prompter.h"

namespace ardenvo {

// The real thing: QMessageBox, QFileDialog and QColorDialog. The only place that builds them.
class QtPrompter : public Prompter {
public:
    void message(QWidget* parent, const Prompt& prompt) override;
    bool askYesNo(QWidget* parent, const Prompt& prompt, Answer defaultAnswer) override;
    Answer askYesNoCancel(QWidget* parent, const Prompt& prompt) override;
    int askChoice(QWidget* parent, const Prompt& prompt, const QStringList& buttons) override;
    QString askOpenFileName(QWidget* parent, const FileRequest& request) override;
    QString askSaveFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<ColorRef> askColor(QWidget* parent, ColorRef initial) override;
    QWidget* openNotice(const Prompt& prompt, std::function<void()> closed) override;
};

// The program's one prompter for windows that are not given another (tests give theirs).
Prompter& standardPrompter();

} // namespace ardenvo
