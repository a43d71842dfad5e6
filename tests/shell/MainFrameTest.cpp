#include "ShellTestSupport.h"

#include "coordination/ProjectRegistry.h"
#include "planeditor/layout/BlockLayout.h"
#include "planeditor/view/CBrenvikaView.h"
#include "platform/ProjectKey.h"
#include "platform/SettingsFile.h"
#include "shell/CMainFrame.h"
#include "shell/DocumentController.h"
#include "shell/RecentFileList.h"
#include "shell/StatusBarPanes.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

class MainFrameTest : public testing::Test {
protected:
    MainFrameTest()
        : settings(scratchFile(QStringLiteral("frame-%1.conf").arg(++counter)).toStdString()),
          recent(settings), controller(prompter, recent) {
        installLayout(controller.document());
        frame = std::make_unique<CMainFrame>(controller, recent, prompter);
    }
    ~MainFrameTest() override {
        // Nothing to save: the window closes without a question.
        controller.document().setModified(false);
        frame->close();
    }

    QStringList menuTexts(QMenu* menu) {
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << (a->isSeparator() ? QStringLiteral("|") : a->text());
        return texts;
    }
    QMenu* topMenu(const QString& title) {
        for (QAction* a : frame->menuBar()->actions())
            if (a->text() == title)
                return a->menu();
        return nullptr;
    }
    QString saveHouse(const QString& name) {
        controller.newDocument();
        controller.document().addBlock(1, 1, BlockKind::Room);
        prompter.fileNames.push_back(scratchFile(name));
        EXPECT_TRUE(controller.save());
        return scratchFile(name);
    }

    static inline int counter = 0;
    ScriptedPrompter prompter;
    SettingsFile settings;
    RecentFileList recent;
    DocumentController controller;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace

TEST_F(MainFrameTest, MenusHoldEveryCommandWithItsKeys) {
    QStringList titles;
    for (QAction* a : frame->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Options", "&View", "&Help"}));
    EXPECT_EQ(menuTexts(topMenu("&Edit")), (QStringList{"&Undo", "&Redo"}));

    EXPECT_EQ(menuTexts(topMenu("&File")),
              (QStringList{"&New", "&Open...", "&Save", "Save &As...", "|", "Recent File", "|",
                           "&Inventory report...", "Print &labels...", "I&mport objects...",
                           "Earlier &versions...", "Export with &pictures...", "Import a&rchive...",
                           "|", "E&xit"}));
    QMenu* options = topMenu("&Options");
    EXPECT_EQ(menuTexts(options),
              (QStringList{"&Ask the tobrin...", "&Sections...", "&Units of measurement"}));
    QMenu* units = options->actions().at(2)->menu();
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(menuTexts(units),
              (QStringList{"&Centimeters", "&Meters", "&Inches", "&Feet", "&Yards"}));

    const std::pair<const char*, QKeySequence> keys[] = {
        {"fileNew", QKeySequence("Ctrl+N")},  {"fileOpen", QKeySequence("Ctrl+O")},
        {"fileSave", QKeySequence("Ctrl+S")}, {"search", QKeySequence("Alt+A")},
        {"sections", QKeySequence("Alt+S")},  {"helpTopics", QKeySequence("F1")},
        {"print", QKeySequence("Ctrl+P")},
    };
    for (const auto& [name, key] : keys) {
        QAction* a = frame->action(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->shortcut(), key) << name;
    }
    EXPECT_FALSE(frame->action("print")->isEnabled());
    EXPECT_EQ(frame->action("sections")->statusTip(),
              "Lets you create/delete/rename sections of the house");
}

TEST_F(MainFrameTest, ToolbarHasTheCommandsInOrderWithSmallIcons) {
    auto* bar = frame->findChild<QToolBar*>("standardToolBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->iconSize(), QSize(16, 16));
    QStringList order;
    for (QAction* a : bar->actions()) {
        order << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().pixmap(16, 16).isNull()) << a->objectName().toStdString();
        }
    }
    EXPECT_EQ(order,
              (QStringList{"fileNew",     "fileOpen",    "fileSave",   "|",          "editUndo",
                           "editRedo",    "|",           "scrollEast", "scrollWest", "|",
                           "scrollNorth", "scrollSouth", "|",          "center",     "|",
                           "actualSize",  "|",           "zoomIn",     "zoomOut",    "|",
                           "sections",    "|",           "search",     "|",          "print",
                           "|",           "appAbout"}));
}

TEST_F(MainFrameTest, HiddenBarsStayHiddenAtTheNextStart) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    auto* bar = frame->findChild<QToolBar*>("standardToolBar");
    auto* toolbarToggle = frame->findChild<QAction*>("viewToolbar");
    ASSERT_NE(toolbarToggle, nullptr);
    EXPECT_TRUE(bar->isVisible() && frame->statusBar()->isVisible());
    toolbarToggle->trigger();
    frame->action("viewStatusBar")->trigger();
    EXPECT_FALSE(bar->isVisible() || frame->statusBar()->isVisible());

    // The next window (the next start) reads the same settings.
    auto next = [&] {
        frame->close();
        frame = std::make_unique<CMainFrame>(controller, recent, prompter);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    };
    next();
    EXPECT_FALSE(frame->findChild<QToolBar*>("standardToolBar")->isVisible());
    EXPECT_FALSE(frame->statusBar()->isVisible());
    EXPECT_FALSE(frame->findChild<QAction*>("viewToolbar")->isChecked());
    EXPECT_FALSE(frame->action("viewStatusBar")->isChecked());

    frame->findChild<QAction*>("viewToolbar")->trigger();
    next();
    EXPECT_TRUE(frame->findChild<QToolBar*>("standardToolBar")->isVisible());
    EXPECT_FALSE(frame->statusBar()->isVisible());
}

TEST_F(MainFrameTest, KeysAndButtonsReachTheDocumentAndTheView) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    // Ctrl+N on a modified house asks first; Cancel keeps it.
    controller.document().addBlock(1, 1, BlockKind::Room);
    prompter.answers.push_back(Prompter::Answer::Cancel);
    QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(questionsAsked(prompter), QStringList{"Save changes to Untitled?"});
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 2u);

    // A scroll button moves the plan and marks the house modified.
    controller.document().setModified(false);
    const int before = controller.document().currentSection()->offsetX;
    frame->action("scrollEast")->trigger();
    EXPECT_EQ(controller.document().currentSection()->offsetX, before - 60);
    EXPECT_TRUE(controller.isModified());

    // A unit from the Options menu becomes the house's unit.
    frame->action("unit3")->trigger();
    EXPECT_EQ(controller.document().unitIndex(), 3);

    // F1 opens the manual; this test program ships none, which is said plainly.
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_EQ(messagesShown(prompter).size(), 1u);
    EXPECT_TRUE(messagesShown(prompter)[0].text.contains("help/index.html"));
    EXPECT_EQ(messagesShown(prompter)[0].parent, frame.get());
    EXPECT_EQ(messagesShown(prompter)[0].title, "Ardenvo");

    // Closing a modified house asks; Cancel keeps the window.
    prompter.answers.push_back(Prompter::Answer::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    prompter.answers.push_back(Prompter::Answer::No);
    EXPECT_TRUE(frame->close());
}

TEST_F(MainFrameTest, SavedHousesAreRegisteredAndTheRecentFourDropOneThatNoLongerOpens) {
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Ardenvo");
    QStringList paths;
    for (int i = 1; i <= 5; ++i)
        paths << saveHouse(QStringLiteral("r%1.av").arg(i));
    // The reminder program learns about each project, enabled.
    const auto entries = readProjectEntries();
    for (const QString& path : paths) {
        const std::string key = projectKey(QFile::encodeName(path).toStdString());
        const auto found = std::find_if(entries.begin(), entries.end(),
                                        [&](const ProjectEntry& e) { return e.path == key; });
        ASSERT_NE(found, entries.end()) << key;
        EXPECT_EQ(found->status, 1);
    }
    // Four entries, most recent first.
    QStringList items = menuTexts(topMenu("&File"));
    EXPECT_EQ(items.mid(5, 4), (QStringList{"&1 " + paths[4], "&2 " + paths[3], "&3 " + paths[2],
                                            "&4 " + paths[1]}));

    ASSERT_TRUE(frame->openRecent(2));
    EXPECT_EQ(frame->windowTitle(), "r3.av[*] - Ardenvo");
    EXPECT_EQ(recent.files().front(), paths[2]);

    QFile::remove(paths[4]);
    const int missing = recent.files().indexOf(paths[4]);
    ASSERT_GE(missing, 0);
    EXPECT_FALSE(frame->openRecent(missing));
    EXPECT_TRUE(
        messagesShown(prompter).back().text.startsWith("Failed to open document.\n" + paths[4]));
    EXPECT_FALSE(recent.files().contains(paths[4]));
    EXPECT_FALSE(menuTexts(topMenu("&File")).join(' ').contains(paths[4]));
    EXPECT_FALSE(frame->openRecent(7));
}

TEST_F(MainFrameTest, AFileDroppedOnTheWindowOpens) {
    const QString path = saveHouse("dropped.av");
    controller.newDocument();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(frame->windowTitle(), "dropped.av[*] - Ardenvo");
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 2u);
}

TEST_F(MainFrameTest, StatusBarShowsSizeAndATickingClock) {
    EXPECT_EQ(StatusBarPanes::clockText(QTime(9, 5, 3)), "09:05:03");

    StatusBarPanes* panes = frame->panes();
    ASSERT_NE(panes, nullptr);
    const QString first = panes->clockPane()->text();
    QTRY_VERIFY_WITH_TIMEOUT(panes->clockPane()->text() != first, 2500);
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(panes->clockPane()->text()).hasMatch());

    emit frame->view()->sizeText("Size: 150.00x150.00 centimeters");
    EXPECT_EQ(panes->sizePane()->text(), "Size: 150.00x150.00 centimeters");
}

TEST_F(MainFrameTest, StartupOffersTheHousesOnlyWhenNoProjectWasOpened) {
    const QString folder = scratchFile("predone-folder");
    QDir().mkpath(folder);
    const QString shipped = saveHouse("predone-folder/villa.av");
    const QString mine = saveHouse("mine.av");

    // A project is open: no dialog.
    int offered = 0;
    QStringList seenPredone, seenRecent;
    ChooseHouseDialog::Choice answer;
    frame->setChooser([&](QWidget*, const QStringList& predone, const QStringList& recentFiles) {
        ++offered;
        seenPredone = predone;
        seenRecent = recentFiles;
        return answer;
    });
    frame->startupNotice({folder.toStdString()});
    EXPECT_EQ(offered, 0);

    // Untitled: the predone house opens as a new, untitled house (that it is never overwritten
    // is the document controller's test).
    controller.newDocument();
    answer = {ChooseHouseDialog::Choice::Kind::Predone, shipped, -1};
    frame->startupNotice({folder.toStdString()});
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(seenPredone, QStringList{shipped});
    EXPECT_EQ(seenRecent, recent.files());
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Ardenvo");
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 2u);

    // A recent house opens under its own name.
    controller.newDocument();
    answer = {ChooseHouseDialog::Choice::Kind::Recent, mine,
              static_cast<int>(recent.files().indexOf(mine))};
    frame->startupNotice({folder.toStdString()});
    EXPECT_EQ(frame->windowTitle(), "mine.av[*] - Ardenvo");

    // Continue keeps the new house.
    controller.newDocument();
    answer = {};
    frame->startupNotice({folder.toStdString()});
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Ardenvo");
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 1u);
    EXPECT_TRUE(messagesShown(prompter).empty());
}
