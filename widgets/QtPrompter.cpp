#include "widgets/QtPrompter.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace ardenvo {

namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Stop:
        return QMessageBox::Critical;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A hidden owner would centre the box on nothing; then it stands alone.
QWidget* visibleOwner(QWidget* parent) {
    return parent && parent->isVisible() ? parent : nullptr;
}

QString runFileDialog(QWidget* parent, const Prompter::FileRequest& request,
                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(visibleOwner(parent), request.caption);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (mode == QFileDialog::AcceptSave && !QFileInfo(request.start).isDir()) {
        const QFileInfo proposed(request.start);
        dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    } else if (!request.start.isEmpty()) {
        dialog.setDirectory(request.start);
    }
    if (!request.filter.isEmpty())
        dialog.setNameFilter(request.filter);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    // The dialog itself asks before an existing file is replaced; the save commands rely on it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const Prompter::Prompt& prompt,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) {
    auto box = std::make_unique<QMessageBox>(boxIcon(prompt.icon), titleOf(prompt), prompt.text,
                                             buttons, visibleOwner(parent));
    if (defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(defaultButton);
    return box;
}

void QtPrompter::message(QWidget* parent, const Prompt& prompt) {
    makeMessageBox(parent, prompt, QMessageBox::Ok)->exec();
}

bool QtPrompter::askYesNo(QWidget* parent, const Prompt& prompt, Answer defaultAnswer) {
    const auto box =
        makeMessageBox(parent, prompt, QMessageBox::Yes | QMessageBox::No,
                       defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box->exec() == QMessageBox::Yes;
}

Prompter::Answer QtPrompter::askYesNoCancel(QWidget* parent, const Prompt& prompt) {
    const auto box = makeMessageBox(
        parent, prompt, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (box->exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

int QtPrompter::askChoice(QWidget* parent, const Prompt& prompt, const QStringList& buttons) {
    QMessageBox box(boxIcon(prompt.icon), titleOf(prompt), prompt.text, QMessageBox::NoButton,
                    visibleOwner(parent));
    QList<QAbstractButton*> added;
    const QStringList texts = withAltLetters(buttons);
    for (int i = 0; i < texts.size(); ++i)
        added << box.addButton(texts[i], i + 1 == texts.size() ? QMessageBox::RejectRole
                                                               : QMessageBox::AcceptRole);
    box.exec();
    return static_cast<int>(added.indexOf(box.clickedButton()));
}

QString QtPrompter::askOpenFileName(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString QtPrompter::askSaveFileName(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<ColorRef> QtPrompter::askColor(QWidget* parent, ColorRef initial) {
    const QColor chosen = QColorDialog::getColor(
        QColor(redOf(initial), greenOf(initial), blueOf(initial)), visibleOwner(parent));
    if (!chosen.isValid())
        return std::nullopt;
    return rgb(chosen.red(), chosen.green(), chosen.blue());
}

QWidget* QtPrompter::openNotice(const Prompt& prompt, std::function<void()> closed) {
    auto* box =
        new QMessageBox(boxIcon(prompt.icon), titleOf(prompt), prompt.text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    if (closed)
        QObject::connect(box, &QMessageBox::finished, box, [closed] { closed(); });
    box->show();
    return box;
}

Prompter& standardPrompter() {
    static QtPrompter prompter;
    return prompter;
}

} // namespace ardenvo
