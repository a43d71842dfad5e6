#pragma once

#include "reminder/core/ReminderPorts.h"
#include "widgets/Prompter.h"

#include <QWidget>

namespace ardenvo {

// A session message in the user's language: its text and each argument that is itself a marked
// text translated, paths and names shown as they are.
QString translatedSessionText(const SessionText& text);

// The session's messages as the prompter's boxes over the reminder window (a hidden window owns
// none: the box then stands alone).
class SessionMessageBoxes final : public SessionMessages {
public:
    SessionMessageBoxes(Prompter& prompter, QWidget* window)
        : m_prompter(prompter), m_window(window) {}

    void showError(Title title, const SessionText& text) override {
        m_prompter.message(m_window, {translatedSessionText(text), Prompter::Icon::Stop,
                                      title == Title::Error ? Prompter::Title::Error
                                                            : Prompter::Title::Application});
    }
    void showInformation(const SessionText& text) override {
        m_prompter.message(m_window, {translatedSessionText(text), Prompter::Icon::Information});
    }

private:
    Prompter& m_prompter;
    QWidget* m_window;
};

} // namespace ardenvo
