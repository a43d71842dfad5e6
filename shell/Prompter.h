#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ardenvo {

// Every question and message the shell logic needs from the user goes through here, so tests can
// answer them without a modal box blocking the run.
class ShellPrompter {
public:
    enum class Icon { None, Information, Warning, Stop, Question };
    enum class Answer { Yes, No, Cancel };

    virtual ~ShellPrompter() = default;

    virtual void message(const QString& title, const QString& text, Icon icon) = 0;
    virtual Answer askYesNoCancel(const QString& title, const QString& text) = 0;
    // A question answered by one of the buttons, given by their texts; the index of the chosen
    // one, or -1 when the box was closed without a choice.
    virtual int askChoice(const QString& title, const QString& text,
                          const QStringList& buttons) = 0;
    // An empty string means the user cancelled. The open dialog starts in `folder`; the save
    // dialog in the folder of `suggestion`, which names the file it proposes.
    virtual QString askOpenFileName(const QString& caption, const QString& folder,
                                    const QString& filter) = 0;
    virtual QString askSaveFileName(const QString& caption, const QString& suggestion,
                                    const QString& filter) = 0;
};

// The real thing: QMessageBox and QFileDialog, owned by the given window.
class QtShellPrompter : public ShellPrompter {
public:
    explicit QtShellPrompter(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    void message(const QString& title, const QString& text, Icon icon) override;
    Answer askYesNoCancel(const QString& title, const QString& text) override;
    int askChoice(const QString& title, const QString& text, const QStringList& buttons) override;
    QString askOpenFileName(const QString& caption, const QString& folder,
                            const QString& filter) override;
    QString askSaveFileName(const QString& caption, const QString& suggestion,
                            const QString& filter) override;

private:
    QWidget* m_owner;
};

// For runs without a user (--screenshot): messages go to standard error, questions get "No" (a
// choice none), file choices are cancelled.
class ConsolePrompter : public ShellPrompter {
public:
    void message(const QString& title, const QString& text, Icon icon) override;
    Answer askYesNoCancel(const QString&, const QString&) override { return Answer::No; }
    int askChoice(const QString&, const QString&, const QStringList&) override { return -1; }
    QString askOpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString askSaveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

} // namespace ardenvo
