// GoogleTest main for widget tests: one QApplication for the whole run, and a check after every
// test that it left no top-level widget behind, shown or hidden: a hidden one still holds its
// children, timers and connections into the next test.
#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class NoLeakedWindows : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override {
        // Windows closed with deleteLater or WA_DeleteOnClose go first.
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<QPointer<QWidget>> left;
        for (QWidget* w : QApplication::topLevelWidgets())
            left.append(w);
        for (const QPointer<QWidget>& w : left) {
            if (!w)
                continue; // a window of one deleted before it
            ADD_FAILURE() << "top-level widget left: " << w->metaObject()->className() << " \""
                          << w->windowTitle().toStdString() << "\""
                          << (w->isVisible() ? " (shown)" : " (hidden)");
            // Nothing of the ended test owns it any more; the next test starts clean.
            delete w.data();
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new NoLeakedWindows);
    return RUN_ALL_TESTS();
}
