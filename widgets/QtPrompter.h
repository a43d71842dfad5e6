#pragma once

#include "widgets/Prompter.h"

#include <QMessageBox>

#include <memory>

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

// The box the prompter shows for `prompt` with those standard buttons (Qt names them in the user's
// language, with their Alt-key letters), not yet shown.
std::unique_ptr<QMessageBox>
makeMessageBox(QWidget* parent, const Prompter::Prompt& prompt,
               QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The program's one prompter for windows that are not given another (tests give theirs).
Prompter& standardPrompter();

} // namespace ardenvo
