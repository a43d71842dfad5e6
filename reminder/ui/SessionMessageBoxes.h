#pragma once

#include "platform/TextCodec.h"
#include "reminder/core/ReminderPorts.h"
#include "widgets/Prompter.h"

namespace ardenvo {

// The session's messages as the prompter's boxes over the reminder window (a hidden window owns
// none: the box then stands alone).
class SessionMessageBoxes final : public SessionMessages {
public:
    SessionMessageBoxes(Prompter& prompter, QWidget* window)
        : m_prompter(prompter), m_window(window) {}

    void showError(Title title, const std::string& text) override {
        m_prompter.message(m_window, {displayText(text), Prompter::Icon::Stop,
                                      title == Title::Error ? Prompter::Title::Error
                                                            : Prompter::Title::Application});
    }
    void showInformation(const std::string& text) override {
        m_prompter.message(m_window, {displayText(text), Prompter::Icon::Information});
    }

private:
    Prompter& m_prompter;
    QWidget* m_window;
};

} // namespace ardenvo
