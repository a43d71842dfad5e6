// The real boxes of the prompter, driven as a user would while they are open.
#include "widgets/QtPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace ardenvo {
namespace {

// Runs `act` on the modal box once it is open (it opens inside the call that follows).
void whenBoxOpens(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act = std::move(act)]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            act(*box);
        else
            whenBoxOpens(std::move(act));
    });
}

TEST(QtPrompter, BoxesCarryTheirTitleAndIconAndBelongOnlyToAShownParent) {
    QtPrompter prompter;
    QWidget parent;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* owner = &parent;
    const auto look = [&](QMessageBox& box) {
        title = box.windowTitle();
        icon = box.icon();
        owner = box.parentWidget();
        QTest::keyClick(&box, Qt::Key_Return);
    };
    whenBoxOpens(look);
    prompter.message(&parent, {"Disk full", Prompter::Icon::Stop, Prompter::Title::Error});
    EXPECT_EQ(title, "Error");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(owner, nullptr); // hidden: the box stands alone

    parent.show();
    whenBoxOpens(look);
    prompter.message(&parent,
                     {"Saved", Prompter::Icon::Information, Prompter::Title::Custom, "Export"});
    EXPECT_EQ(title, "Export");
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(owner, &parent);
}

TEST(QtPrompter, EnterTakesTheGivenDefaultAndEscapeTheLastChoice) {
    QtPrompter prompter;
    const auto press = [](Qt::Key key) {
        whenBoxOpens([key](QMessageBox& box) { QTest::keyClick(&box, key); });
    };
    press(Qt::Key_Return);
    EXPECT_FALSE(prompter.askYesNo(nullptr, {"Delete?"}, Prompter::Answer::No));
    press(Qt::Key_Return);
    EXPECT_TRUE(prompter.askYesNo(nullptr, {"Delete?"}, Prompter::Answer::Yes));
    press(Qt::Key_Return);
    EXPECT_EQ(prompter.askYesNoCancel(nullptr, {"Save?"}), Prompter::Answer::Yes);
    press(Qt::Key_Escape);
    EXPECT_EQ(prompter.askYesNoCancel(nullptr, {"Save?"}), Prompter::Answer::Cancel);

    const QStringList buttons{"Overwrite", "Reload", "Cancel"};
    press(Qt::Key_Escape);
    EXPECT_EQ(prompter.askChoice(nullptr, {"Changed"}, buttons), 2);
    // Ended without any button (as the window system may): no choice.
    whenBoxOpens([](QMessageBox& box) { box.done(0); });
    EXPECT_EQ(prompter.askChoice(nullptr, {"Changed"}, buttons), -1);
}

TEST(QtPrompter, ChoicesCarryLettersOfTheirOwnAndAnswerWithTheirIndex) {
    QtPrompter prompter;
    QStringList shown;
    whenBoxOpens([&shown](QMessageBox& box) {
        for (const QAbstractButton* button : box.buttons())
            shown << button->text();
        for (QAbstractButton* button : box.buttons())
            if (button->text() == "&Reload")
                button->click();
        if (box.isVisible())
            box.done(0); // no button of that text: no choice, rather than a box left open
    });
    EXPECT_EQ(prompter.askChoice(nullptr, {"Changed"}, {"Overwrite", "Reload", "Cancel"}), 1);
    shown.sort();
    EXPECT_EQ(shown, QStringList({"&Cancel", "&Overwrite", "&Reload"}));
}

} // namespace
} // namespace ardenvo
