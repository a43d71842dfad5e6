// An action that runs out of memory ends with a message; the program and its event loop go on.
#include "platform/guard/GuardedApplication.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <new>

namespace ardenvo {
namespace {

TEST(GuardedApplication, AnActionOutOfMemoryIsToldAndTheProgramGoesOn) {
    int argc = 1;
    char name[] = "guarded";
    char* argv[] = {name, nullptr};
    GuardedApplication app(argc, argv);
    int told = 0;
    app.setOutOfMemoryHandler([&] { ++told; });

    bool after = false;
    QTimer::singleShot(0, [] { throw std::bad_alloc(); });
    QTimer::singleShot(0, [] { throw std::bad_array_new_length(); }); // a bad_alloc too
    QTimer::singleShot(10, [&] {
        after = true;
        QApplication::quit();
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(told, 2);
    EXPECT_TRUE(after);

    // A message that itself runs out of memory does not take the program down either.
    app.setOutOfMemoryHandler([&] {
        ++told;
        throw std::bad_alloc();
    });
    QTimer::singleShot(0, [] { throw std::bad_alloc(); });
    QTimer::singleShot(10, [] { QApplication::quit(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(told, 3);
}

} // namespace
} // namespace ardenvo
