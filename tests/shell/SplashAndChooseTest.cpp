#include "ShellTestSupport.h"

#include "shell/AboutDialog.h"
#include "shell/ChooseHouseDialog.h"
#include "shell/SplashWindow.h"
#include "shell/StartupOptions.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

QString makePicture() {
    QImage image(SplashWindow::kWidth, SplashWindow::kHeight, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = scratchFile("splash.jpg");
    image.save(path, "JPG");
    return path;
}

} // namespace

TEST(Splash, TheFirstClickOrKeyIsConsumedEvenWhenItIsAnAccelerator) {
    QWidget owner;
    auto* button = new QPushButton("below", &owner);
    owner.resize(600, 400);
    button->setGeometry(0, 0, 600, 400);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    int fired = 0;
    auto* shortcut = new QShortcut(QKeySequence("Ctrl+N"), &owner);
    QObject::connect(shortcut, &QShortcut::activated, [&] { ++fired; });

    QPointer<SplashWindow> splash = new SplashWindow(makePicture(), &owner, 60000);
    splash->present();
    EXPECT_EQ(splash->size(), QSize(480, 320));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    QTRY_VERIFY(splash.isNull());
    // The next click is the user's own again.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    splash = new SplashWindow(QString(), &owner, 60000);
    splash->present();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    QTest::keyClick(&owner, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(fired, 0);
    QTRY_VERIFY(splash.isNull());
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    QTest::keyClick(&owner, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(fired, 1);
}

TEST(Splash, GoesByItselfAfterItsTime) {
    QWidget owner;
    owner.show();
    QPointer<SplashWindow> splash = new SplashWindow(makePicture(), &owner, 100);
    bool dismissed = false;
    QObject::connect(splash, &SplashWindow::dismissed, [&] { dismissed = true; });
    splash->present();
    EXPECT_TRUE(splash->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000);
    EXPECT_TRUE(dismissed);
}

TEST(ChooseDialog, ListsPredoneHousesByFullPathAndRecentOnesByFolder) {
    const QString a = scratchFile("choose-a");
    const QString b = scratchFile("choose-b");
    QDir().mkpath(a);
    QDir().mkpath(b);
    for (const char* name : {"zeta.av", "alpha.av", "notes.txt"})
        writeScratchFile(QStringLiteral("choose-a/") + name, "x");
    for (const char* name : {"alpha.av", "beta.av"})
        writeScratchFile(QStringLiteral("choose-b/") + name, "x");
    const QStringList predone = findPredoneHouses({a.toStdString(), b.toStdString()});
    // The program's own folder comes first and hides a same-named house installed elsewhere.
    EXPECT_EQ(predone, (QStringList{a + "/alpha.av", a + "/zeta.av", b + "/beta.av"}));
    EXPECT_TRUE(findPredoneHouses({scratchFile("no-such-folder").toStdString()}).isEmpty());

    ScriptedPrompter prompter;
    const QStringList recent{"/home/u/My houses/villa.av", "/tmp/flat.av"};
    ChooseHouseDialog dialog(predone, recent, prompter);
    QTreeWidget* upper = dialog.predoneList();
    ASSERT_EQ(upper->topLevelItemCount(), 3);
    EXPECT_EQ(upper->topLevelItem(1)->text(0), "zeta.av");
    EXPECT_EQ(upper->topLevelItem(1)->text(1), a + "/zeta.av");
    QTreeWidget* lower = dialog.recentList();
    ASSERT_EQ(lower->topLevelItemCount(), 2);
    EXPECT_EQ(lower->topLevelItem(0)->text(0), "villa.av");
    EXPECT_EQ(lower->topLevelItem(0)->text(1), "/home/u/My houses/");
    // Long names and paths show whole.
    ChooseHouseDialog wide({a + "/family-house-with-garden.av"},
                           {"/home/u/My houses/Summer cottage by the lake.av"}, prompter);
    for (QTreeWidget* list : {wide.predoneList(), wide.recentList()}) {
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            for (int column : {0, 1}) {
                const QModelIndex cell = list->model()->index(row, column);
                EXPECT_GE(list->columnWidth(column), list->sizeHintForIndex(cell).width())
                    << cell.data().toString().toStdString();
            }
        }
    }

    // With no houses at all both lists are empty and Continue keeps the new house.
    ChooseHouseDialog empty({}, {}, prompter);
    EXPECT_EQ(empty.predoneList()->topLevelItemCount(), 0);
    empty.show();
    QTest::mouseClick(empty.findChild<QPushButton*>("continue"), Qt::LeftButton);
    EXPECT_EQ(empty.result(), QDialog::Accepted);
    EXPECT_EQ(empty.choice().kind, ChooseHouseDialog::Choice::Kind::Continue);
}

TEST(ChooseDialog, ChooseNeedsASelectionAndReportsWhatWasPicked) {
    ScriptedPrompter prompter;
    const QStringList predone{"/opt/ardenvo/family.av", "/opt/ardenvo/flat.av"};
    const QStringList recent{"/home/u/a.av", "/home/u/b.av"};
    {
        ChooseHouseDialog dialog(predone, recent, prompter);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>("choosePredone"), Qt::LeftButton);
        ASSERT_EQ(messagesShown(prompter).size(), 1u);
        EXPECT_EQ(messagesShown(prompter)[0].text, "Please select one of the predone houses");
        // Over the dialog that asks, with no title at all.
        EXPECT_EQ(messagesShown(prompter)[0].parent, &dialog);
        EXPECT_EQ(messagesShown(prompter)[0].title, "");
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.findChild<QPushButton*>("chooseRecent"), Qt::LeftButton);
        ASSERT_EQ(messagesShown(prompter).size(), 2u);
        EXPECT_EQ(messagesShown(prompter)[1].text,
                  "Please select one of the previously opened houses");
        EXPECT_TRUE(dialog.isVisible());

        dialog.predoneList()->setCurrentItem(dialog.predoneList()->topLevelItem(1));
        QTest::mouseClick(dialog.findChild<QPushButton*>("choosePredone"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.choice().kind, ChooseHouseDialog::Choice::Kind::Predone);
        EXPECT_EQ(dialog.choice().path, "/opt/ardenvo/flat.av");
    }
    {
        ChooseHouseDialog dialog(predone, recent, prompter);
        dialog.show();
        QTreeWidgetItem* second = dialog.recentList()->topLevelItem(1);
        dialog.recentList()->setCurrentItem(second);
        emit dialog.recentList()->itemDoubleClicked(second, 0);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.choice().kind, ChooseHouseDialog::Choice::Kind::Recent);
        EXPECT_EQ(dialog.choice().recentIndex, 1);
    }
}

TEST(AboutBox, ShowsTheVersion) {
    AboutDialog about(makePicture());
    auto* version = about.findChild<QLabel*>("version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Ardenvo Version 1.2");
}

TEST(StartupOptions, CommandLineIsReadBeforeTheWorkingFolderChanges) {
    EXPECT_TRUE(parseStartupOptions({"/uninstall", "x.av"}, "/home/u").uninstall);
    // Only exactly "/uninstall" as the first argument.
    EXPECT_FALSE(parseStartupOptions({"/UNINSTALL"}, "/home/u").uninstall);
    EXPECT_FALSE(parseStartupOptions({"x.av", "/uninstall"}, "/home/u").uninstall);

    EXPECT_EQ(parseStartupOptions({"houses/../villa.av"}, "/home/u").project, "/home/u/villa.av");
    EXPECT_EQ(parseStartupOptions({"/abs/flat.av"}, "/home/u").project, "/abs/flat.av");

    StartupOptions shot = parseStartupOptions({"--screenshot", "out.png", "v.av"}, "/w");
    EXPECT_TRUE(shot.screenshot);
    EXPECT_EQ(shot.screenshotFile, "/w/out.png");
    EXPECT_EQ(shot.project, "/w/v.av");
    EXPECT_TRUE(parseStartupOptions({"--screenshot", "o.png"}, "/w").project.isEmpty());

    EXPECT_FALSE(parseStartupOptions({"--screenshot"}, "/w").error.isEmpty());
    EXPECT_FALSE(parseStartupOptions({"a.av", "b.av"}, "/w").error.isEmpty());
}
