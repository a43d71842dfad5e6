#pragma once

#include "model/Geometry.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace ardenvo {

// Every question and message either program puts to the user goes through here, so dialogs and
// controllers never build a box themselves and tests answer them without a modal box blocking the
// run. `parent` is the window the box belongs to (null: none); a hidden one is treated as none.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Stop, Question };
    enum class Answer { Yes, No, Cancel };
    // The boxes' titles: the program's name, the two fixed words the dialogs use, or the
    // caller's own text (`Prompt::title`).
    enum class Title { Application, Warning, Error, Custom };

    // What a box says.
    struct Prompt {
        QString text;
        Icon icon = Icon::None;
        Title title = Title::Application;
        QString customTitle{}; // with Title::Custom; `{}` lets a braced prompt leave it out
    };

    // A file dialog: its caption, where it starts (for opening a folder; for saving the file it
    // proposes, in its folder), the name filters as QFileDialog takes them ("Field files
    // (*.fld)"), and the extension added to a name typed without one.
    struct FileRequest {
        QString caption;
        QString start;
        QString filter;
        QString defaultSuffix;
    };

    virtual ~Prompter() = default;

    virtual void message(QWidget* parent, const Prompt& prompt) = 0;
    // Yes and No, `defaultAnswer` taking Enter; true for Yes. A question before a deletion keeps
    // No as default so a hasty Enter loses nothing.
    virtual bool askYesNo(QWidget* parent, const Prompt& prompt, Answer defaultAnswer) = 0;
    // Yes, No and Cancel with Yes as default; closing the box is Cancel.
    virtual Answer askYesNoCancel(QWidget* parent, const Prompt& prompt) = 0;
    // A question answered by one of the buttons, given by their texts, the last one also taking
    // Escape; the index of the chosen one, or -1 when the box was closed without a choice.
    virtual int askChoice(QWidget* parent, const Prompt& prompt, const QStringList& buttons) = 0;
    // An existing file to read; empty when cancelled.
    virtual QString askOpenFileName(QWidget* parent, const FileRequest& request) = 0;
    // A file to write, the dialog having asked before an existing one is replaced; empty when
    // cancelled.
    virtual QString askSaveFileName(QWidget* parent, const FileRequest& request) = 0;
    // The standard colour dialog; nullopt when cancelled.
    virtual std::optional<ColorRef> askColor(QWidget* parent, ColorRef initial) = 0;
    // A box that leaves the program running: no owner, not modal, above other windows. It is
    // returned (null when none could be shown) so the caller can raise it again; `closed` runs
    // when the user closes it.
    virtual QWidget* openNotice(const Prompt& prompt, std::function<void()> closed) = 0;
};

// The program's name as the boxes and windows carry it ("Ardenvo", "Ardenvo Reminder").
QString applicationTitle();

// The text a box of that prompt carries as its title.
QString titleOf(const Prompter::Prompt& prompt);

// The question before something is deleted or changed for good: titled "Warning", warning icon,
// No as default so a hasty Enter loses nothing; true for Yes.
bool askBeforeLoss(Prompter& prompter, QWidget* parent, const QString& question);

// Button texts, each given an Alt-key letter when it has none: the first letter of its text that
// no other button uses yet ("Overwrite", "Reload" -> "&Overwrite", "&Reload"). A letter a text
// already has is kept; a text with no free letter stays as it is.
QStringList withAltLetters(const QStringList& texts);
// The letter after a text's single '&' (a doubled one is a plain '&'), lower-cased; null when none.
QChar altLetter(const QString& text);
// The user's own text for a menu entry or a button: each '&' shown as itself, never a letter.
QString withPlainAmpersands(QString text);

} // namespace ardenvo
