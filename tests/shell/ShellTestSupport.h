#pragma once

#include "shell/Prompter.h"

#include <QString>
#include <QStringList>

#include <deque>

namespace ardenvo::test {

// Answers the shell's questions from queues and remembers every message, so no modal box ever
// blocks a test.
class FakePrompter : public ShellPrompter {
public:
    struct Shown {
        QString title;
        QString text;
        Icon icon;
    };

    std::vector<Shown> messages;
    QStringList questions;
    std::deque<Answer> answers;    // Cancel when empty
    std::deque<int> choices;       // -1 (closed) when empty
    std::deque<QString> openNames; // "" (cancel) when empty
    std::deque<QString> saveNames; // "" (cancel) when empty
    QStringList saveSuggestions;
    QStringList openFolders;

    void message(const QString& title, const QString& text, Icon icon) override {
        messages.push_back({title, text, icon});
    }
    Answer askYesNoCancel(const QString&, const QString& text) override {
        questions << text;
        return take(answers, Answer::Cancel);
    }
    int askChoice(const QString&, const QString& text, const QStringList&) override {
        questions << text;
        return take(choices, -1);
    }
    QString askOpenFileName(const QString&, const QString& folder, const QString&) override {
        openFolders << folder;
        return take(openNames, QString());
    }
    QString askSaveFileName(const QString&, const QString& suggestion, const QString&) override {
        saveSuggestions << suggestion;
        return take(saveNames, QString());
    }

private:
    template <typename T> static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// A private folder for the test's files; the environment (settings, runtime and data folders)
// is pointed at a fresh temporary tree before the first test runs.
QString scratchDir();
// A file path inside scratchDir().
QString scratchFile(const QString& name);
// Writes raw bytes to a file of the scratch folder and returns its path.
QString writeScratchFile(const QString& name, const QByteArray& bytes);

#ifdef ARDENVO_TOOL
// Runs ardenvo-tool with this test's settings and runtime folders; its standard output, or
// "exit N: errors" when it failed.
QString runTool(const QStringList& arguments);
#endif

} // namespace ardenvo::test
