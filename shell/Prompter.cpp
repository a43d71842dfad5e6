#include "shell/Prompter.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace ardenvo {

namespace {

QMessageBox::Icon toBoxIcon(ShellPrompter::Icon icon) {
    switch (icon) {
    case ShellPrompter::Icon::Information:
        return QMessageBox::Information;
    case ShellPrompter::Icon::Warning:
        return QMessageBox::Warning;
    case ShellPrompter::Icon::Stop:
        return QMessageBox::Critical;
    case ShellPrompter::Icon::Question:
        return QMessageBox::Question;
    case ShellPrompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtShellPrompter::message(const QString& title, const QString& text, Icon icon) {
    QMessageBox box(toBoxIcon(icon), title, text, QMessageBox::Ok, m_owner);
    box.exec();
}

ShellPrompter::Answer QtShellPrompter::askYesNoCancel(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

int QtShellPrompter::askChoice(const QString& title, const QString& text, const QStringList& buttons) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, m_owner);
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i)
        added << box.addButton(buttons[i], i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                   : QMessageBox::AcceptRole);
    box.exec();
    return static_cast<int>(added.indexOf(box.clickedButton()));
}

QString QtShellPrompter::askOpenFileName(const QString& caption, const QString& folder,
                                    const QString& filter) {
    return QFileDialog::getOpenFileName(m_owner, caption, folder, filter);
}

QString QtShellPrompter::askSaveFileName(const QString& caption, const QString& suggestion,
                                    const QString& filter) {
    return QFileDialog::getSaveFileName(m_owner, caption, suggestion, filter);
}

void ConsolePrompter::message(const QString& title, const QString& text, Icon) {
    std::fprintf(stderr, "ardenvo: %s%s%s\n", qPrintable(title), title.isEmpty() ? "" : ": ",
                 qPrintable(text));
}

} // namespace ardenvo
