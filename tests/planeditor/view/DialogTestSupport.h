#pragma once

#include "widgets/DialogSupport.h"

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

// Message boxes answered by the test, which records what was said.
struct RecordedPrompts {
    QStringList refusals;
    QStringList warnings;
    QStringList questions;
    bool answerYes = true;
    std::optional<ColorRef> colorAnswer;

    DialogPrompts prompts() {
        DialogPrompts p;
        p.refuse = [this](QWidget*, const QString& text) {
            refusals << text;
        };
        p.warn = [this](QWidget*, const QString& text) {
            warnings << text;
        };
        p.confirm = [this](QWidget*, const QString& text) {
            questions << text;
            return answerYes;
        };
        p.chooseColor = [this](QWidget*, ColorRef) {
            return colorAnswer;
        };
        return p;
    }
};

} // namespace ardenvo::test
