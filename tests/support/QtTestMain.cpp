// GoogleTest main for widget tests: one QApplication for the whole run, and a check after every
// test that it left no top-level window open.
#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class NoLeakedWindows : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override {
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) {
                ADD_FAILURE() << "top-level window left open: " << w->metaObject()->className()
                              << " \"" << w->windowTitle().toStdString() << "\"";
                w->close();
            }
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new NoLeakedWindows);
    return RUN_ALL_TESTS();
}
