#include "ShellTestSupport.h"

#include "model/ProjectFile.h"
#include "planeditor/layout/BlockLayout.h"
#include "planeditor/layout/PlanGeometry.h"
#include "planeditor/view/CBrenvikaView.h"
#include "planeditor/view/SectionsDialog.h"
#include "platform/SettingsFile.h"
#include "shell/CMainFrame.h"
#include "shell/DocumentController.h"
#include "shell/RecentFileList.h"
#include "shell/RecoveryFile.h"
#include "shell/UndoController.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <csignal>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

// The main window with the plan's dialogs and colour chooser answered by the test.
class UndoFrameTest : public testing::Test {
protected:
    UndoFrameTest()
        : settings(scratchFile(QStringLiteral("undo-%1.conf").arg(++counter)).toStdString()),
          recent(settings), controller(prompter, recent) {
        installLayout(controller.document());
        frame = std::make_unique<CMainFrame>(controller, recent, prompter);
        PlanDialogHooks hooks;
        hooks.renameBlock = [this](QWidget*, CSection&, CBlock&) {
            return newName;
        };
        hooks.resizeBlock = [](QWidget*, const UnitTable&, CBlock& b) {
            return std::optional<QSizeF>(QSizeF(b.rect().width() + 50, b.rect().height()));
        };
        hooks.reposition = [](QWidget*, CBlock& b) {
            b.alignments[East].shift += 20;
            return true;
        };
        // Everything one run of the dialog does is one step.
        hooks.objectsInside = [](QWidget*, CBrenvikaDoc&, CBlock& b, CHouseObject*) {
            for (const char* name : {"Chair", "Table"}) {
                auto object = std::make_unique<CHouseObject>();
                object->name = name;
                object->location.rect = {10, 10, 40, 40};
                b.addFloorObject(std::move(object));
            }
            b.findFloorObject("Chair")->notes = "by the window";
        };
        view()->setDialogHooks(hooks);
        // Every colour chosen is 0x123456; refusals are only recorded.
        prompter.onShow = [this](const ScriptedPrompter::Shown& box) {
            if (box.kind == ScriptedPrompter::Kind::Color)
                prompter.colors.push_back(0x123456);
        };
        frame->resize(900, 700);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        controller.document().setModified(false);
    }
    ~UndoFrameTest() override {
        controller.document().setModified(false);
        frame->close();
    }

    CBrenvikaView* view() { return frame->view(); }
    CBrenvikaDoc& doc() { return controller.document(); }
    CBlock& block(int id) { return *doc().currentSection()->findBlockById(id); }
    std::string bytes() { return writeProject(doc()); }
    QAction* undoAction() { return frame->action("editUndo"); }
    QAction* redoAction() { return frame->action("editRedo"); }
    QPoint screen(const Rect& r, bool centre = true) {
        const CSection& s = *doc().currentSection();
        const Rect on = ScreenTransform{s.zoom, s.offsetX, s.offsetY}.toScreen(r);
        return centre ? QPoint((on.left + on.right) / 2, (on.top + on.bottom) / 2)
                      : QPoint(on.right, on.bottom);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseMove(view(), at);
        QTest::mouseClick(view(), button, Qt::NoModifier, at);
        QApplication::processEvents();
    }
    // Right-clicks the block and runs the menu entry at the end of `path`.
    void command(int id, const QStringList& path) {
        click(screen(block(id).rect()), Qt::RightButton);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QMenu* current = menu;
        for (const QString& text : path) {
            QAction* found = nullptr;
            for (QAction* a : current->actions())
                if (QString(a->text()).remove(u'&') == text) // the text without its Alt-key letter
                    found = a;
            ASSERT_NE(found, nullptr) << text.toStdString();
            if (found->menu())
                current = found->menu();
            else
                found->trigger();
        }
        menu->close();
        QApplication::processEvents();
    }

    static inline int counter = 0;
    ScriptedPrompter prompter;
    SettingsFile settings;
    RecentFileList recent;
    DocumentController controller;
    std::unique_ptr<CMainFrame> frame;
    std::optional<std::string> newName = std::string("Den");
};

} // namespace

TEST_F(UndoFrameTest, EachKindOfStepIsUndoneAndRedoneToTheExactHouse) {
    EXPECT_FALSE(undoAction()->isEnabled());
    EXPECT_FALSE(redoAction()->isEnabled());
    EXPECT_EQ(undoAction()->text(), "&Undo");
    EXPECT_EQ(undoAction()->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(redoAction()->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));

    const QString hallName = QString::fromStdString(block(1).name);
    const std::pair<QString, std::function<void()>> steps[] = {
        {"Add neighbor",
         [&] {
             command(1, {"Add neighbor", "A room", "To the east"});
         }},
        {"Rename",
         [&] {
             command(2, {"Rename"});
         }},
        {"Resize",
         [&] {
             command(2, {"Resize"});
         }},
        {"Reposition",
         [&] {
             command(2, {"Reposition"});
         }},
        {"Change color",
         [&] {
             command(2, {"Change color"});
         }},
        {"Objects inside " + hallName,
         [&] {
             command(1, {"Objects inside"});
         }},
        {"Move",
         [&] {
             // The first click takes the block, the second its object, which the drag moves.
             const QPoint at = screen({block(1).rect().left + 20, block(1).rect().top + 20,
                                       block(1).rect().left + 20, block(1).rect().top + 20});
             click(at);
             QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, at);
             QTest::mouseMove(view(), at + QPoint(30, 20));
             QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, at + QPoint(30, 20));
         }},
        {"Resize",
         [&] {
             click(screen(block(2).rect()));
             const QPoint corner = screen(block(2).rect(), false);
             QTest::mouseMove(view(), corner);
             QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, corner);
             QTest::mouseMove(view(), corner + QPoint(40, 30));
             QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, corner + QPoint(40, 30));
         }},
        {"Sections",
         [&] {
             // Two sections added in one run of the dialog.
             QTimer::singleShot(0, [] {
                 auto* dialog = qobject_cast<SectionsDialog*>(QApplication::activeModalWidget());
                 ASSERT_NE(dialog, nullptr);
                 dialog->addButton()->click();
                 dialog->addButton()->click();
                 dialog->accept();
             });
             frame->action("sections")->trigger();
             frame->activateWindow(); // the keys below go to the window the dialog left
             EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
         }},
        {"Units of measurement",
         [&] {
             frame->action("unit2")->trigger();
         }},
        {"Delete",
         [&] {
             command(2, {"Delete"});
         }},
    };
    for (const auto& [name, run] : steps) {
        SCOPED_TRACE(name.toStdString());
        const std::string before = bytes();
        run();
        const std::string after = bytes();
        ASSERT_NE(before, after);
        EXPECT_EQ(undoAction()->text(), "&Undo " + name);
        EXPECT_TRUE(undoAction()->isEnabled());
        QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(bytes(), before);
        EXPECT_EQ(redoAction()->text(), "&Redo " + name);
        QTest::keyClick(frame.get(), Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(bytes(), after);
        EXPECT_FALSE(redoAction()->isEnabled());
    }
    // The plan shows the restored house: the deleted room has no figure after its redo, and
    // comes back with one when undone.
    EXPECT_EQ(view()->figureIds(), std::vector<std::int32_t>{1});
    undoAction()->trigger();
    EXPECT_EQ(view()->figureIds(), (std::vector<std::int32_t>{1, 2}));
}

// The Edit menu's entries keep their own letter; an "&" of a step's name is shown as it is.
TEST_F(UndoFrameTest, AStepsNameIsShownWholeBesideTheMenuLetter) {
    UndoController& undo = *frame->undoController();
    undo.beginStep();
    doc().setUnitIndex(3);
    undo.endStep(QStringLiteral("Paint & paper"));
    EXPECT_EQ(undoAction()->text(), "&Undo Paint && paper");
    EXPECT_EQ(undoAction()->toolTip(), "Undo Paint & paper");
    undoAction()->trigger();
    EXPECT_EQ(undoAction()->text(), "&Undo");
    EXPECT_EQ(redoAction()->text(), "&Redo Paint && paper");
    EXPECT_EQ(redoAction()->toolTip(), "Redo Paint & paper");
}

TEST_F(UndoFrameTest, NothingChangedMakesNoStepAndModifiedFollowsTheSavedState) {
    newName.reset(); // the rename is cancelled
    command(1, {"Rename"});
    EXPECT_FALSE(undoAction()->isEnabled());
    click(screen(block(1).rect())); // a click that moves nothing
    EXPECT_FALSE(undoAction()->isEnabled());

    // The title bar shows what the document says, as the desktop marks unsaved changes.
    const auto titleMarks = [this](bool modified) {
        EXPECT_EQ(controller.isModified(), modified);
        EXPECT_EQ(frame->isWindowModified(), modified);
        EXPECT_EQ(frame->windowHandle()->title(),
                  controller.title() + (modified ? "* - Ardenvo" : " - Ardenvo"));
    };
    prompter.fileNames.push_back(scratchFile("undo-saved.av"));
    ASSERT_TRUE(controller.save());
    titleMarks(false);
    command(1, {"Change color"});
    titleMarks(true);
    undoAction()->trigger();
    titleMarks(false);
    redoAction()->trigger();
    titleMarks(true);

    // Saving makes the newest state the clean one; undo leaves it modified again.
    ASSERT_TRUE(controller.save());
    titleMarks(false);
    undoAction()->trigger();
    titleMarks(true);
    redoAction()->trigger();
    titleMarks(false);

    // A reload from disk, a new house and an open each start a fresh history.
    const QString path = controller.pathName();
    CBrenvikaDoc other;
    other.newHouse();
    other.setUnitIndex(4);
    ASSERT_EQ(saveProject(QFile::encodeName(path).toStdString(), other), FileError::None);
    controller.checkFileOnDisk();
    EXPECT_EQ(doc().unitIndex(), 4);
    EXPECT_FALSE(undoAction()->isEnabled());
    command(1, {"Change color"});
    titleMarks(true);
    prompter.answers.push_back(Prompter::Answer::No);
    ASSERT_TRUE(controller.newDocument());
    titleMarks(false);
    EXPECT_FALSE(undoAction()->isEnabled() || redoAction()->isEnabled());
    command(1, {"Change color"});
    prompter.answers.push_back(Prompter::Answer::No);
    ASSERT_TRUE(controller.openDocument(path));
    EXPECT_FALSE(undoAction()->isEnabled());
}

TEST_F(UndoFrameTest, RecoveryCopyFollowsUnsavedChangesAndIsOfferedAtTheNextStart) {
    const QString folder = scratchFile("recovery-frame");
    QDir(folder).removeRecursively();
    UndoController& undo = *frame->undoController();
    undo.enableRecovery(folder.toStdString());
    const QString own = QString::fromStdString(undo.recovery()->path());

    // The first step writes a copy at once; a save removes it.
    command(1, {"Change color"});
    EXPECT_TRUE(QFile::exists(own));
    prompter.fileNames.push_back(scratchFile("undo-recovered.av"));
    ASSERT_TRUE(controller.save());
    EXPECT_FALSE(QFile::exists(own));
    command(1, {"Add neighbor", "A hall", "To the south"});
    EXPECT_TRUE(QFile::exists(own));
    const std::string edited = bytes();

    // The copy as a crashed program would have left it.
    int gone = 4000000;
    while (::kill(gone, 0) == 0)
        ++gone;
    const QString left = QStringLiteral("%1/%2.recovery").arg(folder).arg(gone);
    ASSERT_TRUE(QFile::rename(own, left));
    // Another house in its place, so that no program has the crashed one open.
    prompter.answers.push_back(Prompter::Answer::No);
    ASSERT_TRUE(controller.loadPredone(QStringLiteral(ARDENVO_SOURCE_DIR "/data/small-flat.av")));

    QStringList asked;
    ASSERT_TRUE(undo.offerRecovery(prompter, frame.get(), [&](const QString& q) {
        asked << q;
        return true;
    }));
    EXPECT_EQ(asked,
              QStringList{"Ardenvo was not closed properly. Recover the unsaved changes of\n" +
                          scratchFile("undo-recovered.av") + "?"});
    EXPECT_EQ(bytes(), edited);
    EXPECT_EQ(controller.pathName(), scratchFile("undo-recovered.av"));
    EXPECT_TRUE(controller.isModified());
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_FALSE(QFile::exists(left));
    EXPECT_TRUE(QFile::exists(own)); // safe in this program's own copy

    // A house open here is not offered; declined copies go; damaged ones are reported and kept
    // aside, never opened.
    ASSERT_TRUE(QFile::rename(own, left));
    EXPECT_FALSE(undo.offerRecovery(prompter, frame.get(), [](const QString&) { return true; }));
    EXPECT_TRUE(QFile::exists(left));
    prompter.answers.push_back(Prompter::Answer::No);
    ASSERT_TRUE(controller.loadPredone(QStringLiteral(ARDENVO_SOURCE_DIR "/data/small-flat.av")));
    const std::string predone = bytes();
    EXPECT_FALSE(undo.offerRecovery(prompter, frame.get(), [](const QString&) { return false; }));
    EXPECT_FALSE(QFile::exists(left));
    writeScratchFile(QStringLiteral("recovery-frame/%1.recovery").arg(gone),
                     "Ardenvo recovery 1\n");
    EXPECT_FALSE(undo.offerRecovery(prompter, frame.get(), [](const QString&) { return true; }));
    ASSERT_EQ(messagesShown(prompter).size(), 1u);
    EXPECT_TRUE(messagesShown(prompter)[0].text.contains("damaged"));
    EXPECT_TRUE(QFile::exists(left + ".damaged"));
    EXPECT_EQ(bytes(), predone);
}
