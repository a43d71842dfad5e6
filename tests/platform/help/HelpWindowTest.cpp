// The manual where the desktop cannot open it: our own window, with the shipped pages.
#include "platform/help/HelpWindow.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

using namespace ardenvo;

namespace {

const QString kManual = QStringLiteral(ARDENVO_SOURCE_DIR "/data/help/index.html");

class HelpWindowTest : public testing::Test {
protected:
    void SetUp() override {
        setDesktopOpenerForTests([this](const QUrl& url) {
            opened << url;
            return desktopOpens;
        });
    }
    void TearDown() override {
        if (HelpWindow* window = openHelpWindow())
            window->close();
        setDesktopOpenerForTests({});
    }
    static void click(const char* button) {
        QTest::mouseClick(openHelpWindow()->findChild<QToolButton*>(button), Qt::LeftButton);
    }

    QList<QUrl> opened;
    bool desktopOpens = false;
};

} // namespace

TEST_F(HelpWindowTest, WithoutABrowserTheManualShowsInItsOwnWindowAtTheTopic) {
    ASSERT_EQ(showManualFile(kManual, "search"), ManualShown::InOwnWindow);
    ASSERT_EQ(opened.size(), 1); // the desktop was asked first
    HelpWindow* window = openHelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    QTextBrowser* browser = window->browser();
    EXPECT_EQ(browser->source().fragment(), "search");
    EXPECT_TRUE(browser->toPlainText().contains("Asking the tobrin"));

    // Contents goes to the first page; Back and Forward walk the pages seen.
    click("helpContents");
    EXPECT_FALSE(browser->source().hasFragment());
    click("helpBack");
    EXPECT_EQ(browser->source().fragment(), "search");
    click("helpForward");
    EXPECT_FALSE(browser->source().hasFragment());

    // Asking again, from any place that offers help, uses the same window.
    EXPECT_EQ(showManualFile(kManual, "sections"), ManualShown::InOwnWindow);
    EXPECT_EQ(openHelpWindow(), window);
    EXPECT_EQ(browser->source().fragment(), "sections");
}

TEST_F(HelpWindowTest, ABrowserGetsTheManualAndAMissingOneIsLeftToTheCaller) {
    desktopOpens = true;
    EXPECT_EQ(showManualFile(kManual, "keys"), ManualShown::InBrowser);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].fragment(), "keys");
    EXPECT_EQ(opened[0].toLocalFile(), kManual);
    EXPECT_EQ(openHelpWindow(), nullptr);

    EXPECT_EQ(showManualFile(ARDENVO_SOURCE_DIR "/data/help/missing.html", {}),
              ManualShown::Missing);
    EXPECT_EQ(openHelpWindow(), nullptr);
    EXPECT_TRUE(manualMissingText().contains("help/index.html"));
}

TEST_F(HelpWindowTest, FromAModalDialogTheManualOpensAboveItAtItsPageAndCanBeUsed) {
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(showManualFile(kManual, "objects.html#move", &dialog), ManualShown::InOwnWindow);
    HelpWindow* window = openHelpWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowHandle()->transientParent(), dialog.windowHandle());
    EXPECT_EQ(window->windowType(), Qt::Dialog); // the kind the desktop keeps above its owner
    QTextBrowser* browser = window->browser();
    EXPECT_EQ(browser->source().fileName(), "objects.html");
    EXPECT_EQ(browser->source().fragment(), "move");

    // Clicked as the desktop clicks, the window answers while the dialog is open.
    auto* contents = window->findChild<QToolButton*>("helpContents");
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      contents->mapTo(window, contents->rect().center()));
    EXPECT_EQ(browser->source().fileName(), "index.html");

    // The dialog closes, the manual stays; asked again with no dialog named, the open modal
    // dialog is the one it stays above.
    dialog.hide();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowHandle()->transientParent(), nullptr);
    QDialog next;
    next.setWindowModality(Qt::ApplicationModal);
    next.show();
    EXPECT_EQ(showManualFile(kManual, "sections"), ManualShown::InOwnWindow);
    EXPECT_EQ(window->windowHandle()->transientParent(), next.windowHandle());
    EXPECT_EQ(browser->source().fragment(), "sections");
    EXPECT_EQ(manualPage(kManual, "nowhere.html#move").fileName(), "index.html");
}
