#pragma once

#include "widgets/Prompter.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace ardenvo::test {

// Answers every question from queues and remembers everything shown, so no modal box ever
// blocks a test. An empty queue answers as closing the box would: No, Cancel, no choice, no
// file, no colour.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Message, YesNo, YesNoCancel, Choice, OpenFile, SaveFile, Color, Notice };
    struct Shown {
        Kind kind = Kind::Message;
        QString title; // as the box would carry it
        QString text;  // the file dialog's caption for file requests
        Icon icon = Icon::None;
        Answer defaultAnswer = Answer::Yes;
        QStringList buttons;
        FileRequest file;
        QWidget* parent = nullptr;
        ColorRef initialColor = 0; // the colour a colour dialog starts from
    };

    std::vector<Shown> shown;
    std::deque<Answer> answers;
    std::deque<int> choices;
    std::deque<QString> fileNames;
    std::deque<std::optional<ColorRef>> colors;
    // Runs as each box opens, before it is answered: a test can look at the windows meanwhile
    // or queue the answer this very box gets.
    std::function<void(const Shown&)> onShow;

    // The texts shown, of one kind or of all.
    QStringList texts(std::optional<Kind> kind = std::nullopt) const {
        QStringList result;
        for (const Shown& entry : shown)
            if (!kind || entry.kind == *kind)
                result << entry.text;
        return result;
    }
    QStringList questions() const { return texts(Kind::YesNo) + texts(Kind::YesNoCancel); }

    void message(QWidget* parent, const Prompt& prompt) override {
        record(Kind::Message, parent, prompt);
    }
    bool askYesNo(QWidget* parent, const Prompt& prompt, Answer defaultAnswer) override {
        record(Kind::YesNo, parent, prompt, [&](Shown& s) { s.defaultAnswer = defaultAnswer; });
        return take(answers, Answer::No) == Answer::Yes;
    }
    Answer askYesNoCancel(QWidget* parent, const Prompt& prompt) override {
        record(Kind::YesNoCancel, parent, prompt);
        return take(answers, Answer::Cancel);
    }
    int askChoice(QWidget* parent, const Prompt& prompt, const QStringList& buttons) override {
        record(Kind::Choice, parent, prompt, [&](Shown& s) { s.buttons = buttons; });
        return take(choices, -1);
    }
    QString askOpenFileName(QWidget* parent, const FileRequest& request) override {
        recordFile(Kind::OpenFile, parent, request);
        return take(fileNames, QString());
    }
    QString askSaveFileName(QWidget* parent, const FileRequest& request) override {
        recordFile(Kind::SaveFile, parent, request);
        return take(fileNames, QString());
    }
    std::optional<ColorRef> askColor(QWidget* parent, ColorRef initial) override {
        record(Kind::Color, parent, {}, [&](Shown& s) { s.initialColor = initial; });
        return take(colors, std::optional<ColorRef>());
    }
    QWidget* openNotice(const Prompt& prompt, std::function<void()>) override {
        record(Kind::Notice, nullptr, prompt);
        return nullptr;
    }

private:
    void record(Kind kind, QWidget* parent, const Prompt& prompt,
                const std::function<void(Shown&)>& extra = {}) {
        Shown entry;
        entry.kind = kind;
        entry.title = titleOf(prompt);
        entry.text = prompt.text;
        entry.icon = prompt.icon;
        entry.parent = parent;
        if (extra)
            extra(entry);
        announce(std::move(entry));
    }
    void recordFile(Kind kind, QWidget* parent, const FileRequest& request) {
        Shown entry;
        entry.kind = kind;
        entry.text = request.caption;
        entry.file = request;
        entry.parent = parent;
        announce(std::move(entry));
    }
    void announce(Shown entry) {
        shown.push_back(entry);
        // A copy: the callback may open another box, which grows the list.
        if (onShow)
            onShow(entry);
    }
    template <typename T> static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace ardenvo::test
