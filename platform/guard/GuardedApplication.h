#pragma once

#include <QApplication>

#include <functional>

namespace ardenvo {

// What a user action that ran out of memory tells the user.
inline constexpr const char* kOutOfMemoryMessage =
    "Not enough memory to finish this action. Nothing that was saved has been changed; close "
    "other programs or windows and try again.";

// The application object of both programs. An action (a menu command, a button, a timer) that
// runs out of memory ends with a message instead of ending the program: every file is replaced
// only once it is written whole, so what was saved stays as it was.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // Replaces the message box shown after an action ran out of memory (tests, scripted runs).
    void setOutOfMemoryHandler(std::function<void()> handler);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void outOfMemory();

    std::function<void()> m_handler;
    bool m_telling = false; // a message is being shown: a second failure is only written out
};

} // namespace ardenvo
