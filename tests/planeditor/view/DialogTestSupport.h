#pragma once

#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace ardenvo::test {

// Runs `action` on the modal dialog a static entry point is about to open: it waits until the
// dialog is the active modal widget, then hands it over. The action must close the dialog.
inline void whenModal(std::function<void(QDialog*)> action) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [poll, action = std::move(action)] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            dialog && dialog->isVisible()) {
            action(dialog);
            *poll = nullptr; // break the cycle
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// Replaces an edit's text as typing would.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text); // QTest types ASCII only
}

inline QPushButton* dialogButton(QDialog* dialog, QDialogButtonBox::StandardButton which) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    return box ? box->button(which) : nullptr;
}

inline void clickOk(QDialog* dialog) {
    QTest::mouseClick(dialogButton(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
}

inline void clickCancel(QDialog* dialog) {
    QTest::mouseClick(dialogButton(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
}

// The messages shown with one icon: the dialogs' refusals carry the stop icon, their warnings the
// exclamation mark.
inline QStringList messagesWith(const ScriptedPrompter& prompter, Prompter::Icon icon) {
    QStringList texts;
    for (const ScriptedPrompter::Shown& box : prompter.shown)
        if (box.kind == ScriptedPrompter::Kind::Message && box.icon == icon)
            texts << box.text;
    return texts;
}
inline QStringList refusals(const ScriptedPrompter& prompter) {
    return messagesWith(prompter, Prompter::Icon::Stop);
}
inline QStringList warnings(const ScriptedPrompter& prompter) {
    return messagesWith(prompter, Prompter::Icon::Warning);
}

} // namespace ardenvo::test
