#include "platform/guard/GuardedApplication.h"

#include "widgets/QtPrompter.h"

#include <cstdio>
#include <new>

namespace ardenvo {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void GuardedApplication::setOutOfMemoryHandler(std::function<void()> handler) {
    m_handler = std::move(handler);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        outOfMemory();
        return false;
    }
}

void GuardedApplication::outOfMemory() {
    std::fprintf(stderr, "%s: %s\n", qPrintable(applicationName()), kOutOfMemoryMessage);
    if (m_telling)
        return;
    m_telling = true;
    try {
        if (m_handler)
            m_handler();
        else
            standardPrompter().message(
                activeWindow(), {QString::fromLatin1(kOutOfMemoryMessage), Prompter::Icon::Stop});
    } catch (const std::bad_alloc&) {
        // Not even the message fits: the line above has said it.
    }
    m_telling = false;
}

} // namespace ardenvo
