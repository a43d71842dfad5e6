// Shows the windows of the table one at a time on a real display, for tools that look at them
// from outside the process (a screen reader's view over the accessibility bus). Each window is
// announced on standard output once it is on screen, as
//     shown<TAB>name<TAB>title<TAB>selected
// where `selected` is the text of the block or object the window shows as selected (empty where
// it shows none); any line on standard input moves on to the next window. "done" follows the last
// one. The program ends at the end of its input, or when nothing comes for a while, so a caller
// that died never leaves it behind.
//
// Usage: desktop_presenter [--wait SECONDS] [NAME...]   (no name: every window)
#include "tests/desktop/WindowTable.h"

#include "platform/TextCodec.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>

#include <unistd.h>

#include <cstdio>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

class Presenter : public QObject {
public:
    Presenter(std::vector<const Window*> queue, int waitSeconds)
        : m_queue(std::move(queue)), m_input(STDIN_FILENO, QSocketNotifier::Read) {
        m_idle.setSingleShot(true);
        m_idle.setInterval(waitSeconds * 1000);
        connect(&m_idle, &QTimer::timeout, this, [] {
            std::fprintf(stderr, "presenter: no word from the caller, ending\n");
            QCoreApplication::exit(3);
        });
        connect(&m_input, &QSocketNotifier::activated, this, &Presenter::readInput);
    }

    void start() { QTimer::singleShot(0, this, &Presenter::showNext); }

private:
    void readInput() {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) { // the caller closed its end: nothing more to show
            m_input.setEnabled(false);
            QCoreApplication::exit(m_next > m_queue.size() ? 0 : 4);
            return;
        }
        for (ssize_t i = 0; i < n; ++i)
            if (buffer[i] == '\n')
                showNext();
    }

    // What the window shows selected, and makes sure it shows it.
    QString selectedText(const Window& window) {
        const QByteArray name(window.name);
        if (name == "MainWindow" && m_scene.room) {
            m_scene.room->selected = 1;
            return displayText(m_scene.room->name);
        }
        if ((name == "ObjectsInside" || name == "MoveObject") && m_scene.object)
            return displayText(m_scene.object->name);
        return {};
    }

    void showNext() {
        // Lines that come while a window is being shown wait in the pipe until it is.
        m_input.setEnabled(false);
        showWindow();
        m_input.setEnabled(true);
    }

    void showWindow() {
        m_idle.start();
        m_shown.reset();
        QApplication::processEvents();
        if (m_next >= m_queue.size()) {
            if (m_next++ == m_queue.size())
                say(QStringLiteral("done"));
            else
                QCoreApplication::exit(0);
            return;
        }
        const Window& window = *m_queue[m_next++];
        const QString selected = selectedText(window);
        m_shown = window.make(m_scene);
        m_shown->show();
        if (!QTest::qWaitForWindowExposed(m_shown.get(), 10000)) {
            std::fprintf(stderr, "presenter: %s was not shown\n", window.name);
            QCoreApplication::exit(5);
            return;
        }
        // Let the window settle (layouts, a maximised frame's second resize) before it is read.
        QTest::qWait(300);
        say(QStringLiteral("shown\t%1\t%2\t%3")
                .arg(QLatin1String(window.name), m_shown->windowTitle(), selected));
    }

    static void say(const QString& line) {
        std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
        std::fflush(stdout);
    }

    std::vector<const Window*> m_queue;
    std::size_t m_next = 0;
    Scene m_scene;
    std::unique_ptr<QWidget> m_shown;
    QSocketNotifier m_input;
    QTimer m_idle;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Closing the main window to show the next one must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    int waitSeconds = 120;
    if (arguments.size() >= 2 && arguments.front() == QLatin1String("--wait")) {
        waitSeconds = qBound(1, arguments.at(1).toInt(), 3600);
        arguments.remove(0, 2);
    }
    std::vector<const Window*> queue;
    for (const Window& window : windows())
        if (arguments.isEmpty() || arguments.contains(QLatin1String(window.name)))
            queue.push_back(&window);
    if (queue.size() !=
        static_cast<std::size_t>(arguments.isEmpty() ? windows().size() : arguments.size())) {
        std::fprintf(stderr, "presenter: unknown window among %s\n",
                     arguments.join(QLatin1Char(' ')).toUtf8().constData());
        return 2;
    }
    Presenter presenter(std::move(queue), waitSeconds);
    presenter.start();
    return app.exec();
}
