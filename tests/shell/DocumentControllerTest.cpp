#include "ShellTestSupport.h"

#include "coordination/DocumentRegistration.h"
#include "model/ProjectFile.h"
#include "planeditor/layout/BlockLayout.h"
#include "platform/SettingsFile.h"
#include "shell/DocumentController.h"
#include "shell/RecentFileList.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;
using Answer = Prompter::Answer;

namespace {

class DocumentControllerTest : public testing::Test {
protected:
    DocumentControllerTest()
        : settings(scratchFile(QStringLiteral("recent-%1.conf").arg(++counter)).toStdString()),
          recent(settings), controller(prompter, recent) {
        installLayout(controller.document());
    }

    // A house worth saving: a room east of the first hall.
    void addRoom() { ASSERT_NE(controller.document().addBlock(1, 1, BlockKind::Room), nullptr); }
    QByteArray readAll(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static inline int counter = 0;
    ScriptedPrompter prompter;
    SettingsFile settings;
    RecentFileList recent;
    DocumentController controller;
};

} // namespace

TEST_F(DocumentControllerTest, SaveAsThenOpenBringsTheSameHouseBackUnderItsName) {
    addRoom();
    QSignalSpy titles(&controller, &DocumentController::titleChanged);
    // No extension typed: the project extension is added.
    prompter.fileNames.push_back(scratchFile("round"));
    ASSERT_TRUE(controller.save());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::SaveFile),
              QStringList{QDir::homePath() + "/Untitled.av"});
    const QString path = scratchFile("round.av");
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(controller.title(), "round.av");
    EXPECT_EQ(controller.pathName(), path);
    EXPECT_FALSE(controller.isModified());
    EXPECT_EQ(titles.count(), 1);

    ASSERT_TRUE(controller.newDocument());
    EXPECT_EQ(controller.title(), "Untitled");

    std::vector<ViewHint> hints;
    controller.document().addViewListener([&](ViewHint h, int) { hints.push_back(h); });
    ASSERT_TRUE(controller.openDocument(path));
    EXPECT_TRUE(messagesShown(prompter).empty());
    EXPECT_EQ(controller.title(), "round.av");
    const CSection* section = controller.document().currentSection();
    ASSERT_NE(section, nullptr);
    ASSERT_EQ(section->blocks().size(), 2u);
    EXPECT_EQ(section->blocks()[1]->kind(), BlockKind::Room);
    // The view hears about the swapped-in house as it does for any open.
    ASSERT_EQ(hints.size(), 3u);
    EXPECT_EQ(hints[0], ViewHint::Reset);
    EXPECT_EQ(hints[1], ViewHint::AddBlockView);

    // The layout still places blocks added after the open.
    CBlock* added = controller.document().addBlock(1, 2, BlockKind::Hall);
    ASSERT_NE(added, nullptr);
    EXPECT_GE(added->rect().top, section->findBlockById(1)->rect().bottom);

    // A plain save writes to the same file without asking.
    ASSERT_TRUE(controller.save());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::SaveFile).size(), 1);
    CBrenvikaDoc reread;
    ASSERT_EQ(loadProject(QFile::encodeName(path).toStdString(), reread), FileError::None);
    EXPECT_EQ(reread.currentSection()->blocks().size(), 3u);
}

TEST_F(DocumentControllerTest, ChangesAreOnlyDroppedWhenTheUserSaysSo) {
    addRoom();
    ASSERT_TRUE(controller.isModified());

    prompter.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(controller.newDocument());
    EXPECT_EQ(questionsAsked(prompter), QStringList{"Save changes to Untitled?"});
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 2u);

    // Yes on an untitled house asks for a name; cancelling that keeps the house too.
    prompter.answers.push_back(Answer::Yes);
    EXPECT_FALSE(controller.newDocument());
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 2u);

    prompter.answers.push_back(Answer::Yes);
    prompter.fileNames.push_back(scratchFile("asked.av"));
    EXPECT_TRUE(controller.newDocument());
    EXPECT_TRUE(QFileInfo::exists(scratchFile("asked.av")));
    EXPECT_EQ(controller.title(), "Untitled");

    // A titled house is named by its full path in the question.
    ASSERT_TRUE(controller.openDocument(scratchFile("asked.av")));
    controller.document().setModified();
    prompter.answers.push_back(Answer::No);
    EXPECT_TRUE(controller.newDocument());
    EXPECT_EQ(questionsAsked(prompter).last(), "Save changes to " + scratchFile("asked.av") + "?");
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 1u);

    // An unmodified house is dropped without a question.
    const auto asked = questionsAsked(prompter).size();
    EXPECT_TRUE(controller.saveModified());
    EXPECT_EQ(questionsAsked(prompter).size(), asked);
}

TEST_F(DocumentControllerTest, FailedOpensReportTheirErrorAndNeverKeepABrokenHouse) {
    addRoom();
    prompter.fileNames.push_back(scratchFile("good.av"));
    ASSERT_TRUE(controller.saveAs());

    // A file that cannot be opened leaves the shown house and its name alone.
    EXPECT_FALSE(controller.openDocument(scratchFile("missing.av")));
    ASSERT_EQ(messagesShown(prompter).size(), 1u);
    // The known message first, then which file and why.
    EXPECT_EQ(messagesShown(prompter)[0].text.toStdString(),
              "Failed to open document.\n" + scratchFile("missing.av").toStdString() +
                  ": No such file or directory");
    EXPECT_TRUE(controller.lastOpenFailed());
    EXPECT_EQ(controller.title(), "good.av");
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 2u);

    // A rejected header: the version message titled "Error", and a new house that stays untitled
    // so that a plain save can never overwrite the rejected file.
    QByteArray foreign("\x09\x00\x00\x00\x07\x00\x00\x00", 8);
    const QString rejected = writeScratchFile("foreign.av", foreign);
    EXPECT_FALSE(controller.openDocument(rejected));
    ASSERT_EQ(messagesShown(prompter).size(), 2u);
    EXPECT_EQ(messagesShown(prompter)[1].title, "Error");
    EXPECT_EQ(messagesShown(prompter)[1].text, "Wrong version of Ardenvo project");
    EXPECT_EQ(controller.title(), "Untitled");
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 1u);
    EXPECT_EQ(readAll(rejected), foreign);

    // A file cut short.
    const QByteArray good = readAll(scratchFile("good.av"));
    const QString cut = writeScratchFile("cut.av", good.left(good.size() / 2));
    ASSERT_TRUE(controller.openDocument(scratchFile("good.av")));
    EXPECT_FALSE(controller.openDocument(cut));
    EXPECT_EQ(messagesShown(prompter).back().text, "Unexpected file format.");
    EXPECT_EQ(controller.title(), "Untitled");
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 1u);
    EXPECT_EQ(controller.document().sectionCount(), 1);
}

TEST_F(DocumentControllerTest, APredoneHouseStaysUntitledAndIsNeverOverwritten) {
    addRoom();
    prompter.fileNames.push_back(scratchFile("predone.av"));
    ASSERT_TRUE(controller.saveAs());
    const QByteArray shipped = readAll(scratchFile("predone.av"));
    ASSERT_TRUE(controller.newDocument());
    const QStringList recentBefore = recent.files();

    ASSERT_TRUE(controller.loadPredone(scratchFile("predone.av")));
    EXPECT_EQ(controller.title(), "Untitled");
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), 2u);
    EXPECT_EQ(recent.files(), recentBefore);

    controller.document().addBlock(1, 2, BlockKind::Hall);
    prompter.fileNames.push_back(scratchFile("mine.av"));
    ASSERT_TRUE(controller.save());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::SaveFile).last(),
              scratchFile("Untitled.av"));
    EXPECT_EQ(readAll(scratchFile("predone.av")), shipped);
    EXPECT_EQ(controller.title(), "mine.av");
}

TEST_F(DocumentControllerTest, APredoneHouseIsRegisteredOnlyOnceSavedUnderTheUsersName) {
    // A shipped house, written as the program's installation would hold it.
    CBrenvikaDoc shipped;
    installLayout(shipped);
    const QString demo = scratchFile("demo-house.av");
    ASSERT_EQ(saveProject(demo.toStdString(), shipped), FileError::None);

    // What the reminder program would watch, as another process sees it.
    ASSERT_TRUE(controller.loadPredone(demo));
    EXPECT_FALSE(runTool({"projects"}).contains("demo-house.av"));
    EXPECT_FALSE(runTool({"open-projects"}).contains("demo-house.av"));

    prompter.fileNames.push_back(scratchFile("my-house.av"));
    ASSERT_TRUE(controller.save());
    const QString projects = runTool({"projects"});
    EXPECT_TRUE(projects.contains("my-house.av")) << projects.toStdString();
    EXPECT_FALSE(projects.contains("demo-house.av"));
    EXPECT_TRUE(runTool({"open-projects"}).contains("my-house.av"));
}

TEST_F(DocumentControllerTest, AShippedHouseOpenedByItsPathIsAPredoneOne) {
    // The program's own folder, as a file manager or --screenshot reaches a house in it: by its
    // path, here through a link and with "..".
    const QString shipped = scratchFile("share-ardenvo");
    ASSERT_TRUE(QDir().mkpath(shipped));
    ASSERT_TRUE(QFile::link(shipped, scratchFile("linked-share")));
    controller.setShippedFolders({scratchFile("linked-share").toStdString()});
    CBrenvikaDoc sample;
    installLayout(sample);
    const QString house = shipped + "/sample-house.av";
    ASSERT_EQ(saveProject(house.toStdString(), sample), FileError::None);
    const QByteArray bytes = readAll(house);
    const QStringList recentBefore = recent.files();

    ASSERT_TRUE(controller.openDocument(shipped + "/../share-ardenvo/sample-house.av"));
    EXPECT_EQ(controller.title(), "Untitled");
    EXPECT_EQ(recent.files(), recentBefore);
    EXPECT_FALSE(runTool({"projects"}).contains("sample-house.av"));
    EXPECT_FALSE(runTool({"open-projects"}).contains("sample-house.av"));

    addRoom();
    prompter.fileNames.push_back(scratchFile("our-house.av"));
    ASSERT_TRUE(controller.save());
    EXPECT_TRUE(
        fileStarts(prompter, ScriptedPrompter::Kind::SaveFile).last().endsWith("/Untitled.av"));
    EXPECT_EQ(readAll(house), bytes);
    EXPECT_EQ(controller.title(), "our-house.av");

    // A house of the user's beside, not in, that folder keeps its name.
    const QString mine = scratchFile("share-ardenvo-mine.av");
    ASSERT_EQ(saveProject(mine.toStdString(), sample), FileError::None);
    ASSERT_TRUE(controller.openDocument(mine));
    EXPECT_EQ(controller.title(), "share-ardenvo-mine.av");
}

TEST_F(DocumentControllerTest, AFailedSaveSaysSoAndKeepsTheChanges) {
    addRoom();
    prompter.fileNames.push_back(scratchFile("no-such-folder/house.av"));
    EXPECT_FALSE(controller.save());
    ASSERT_EQ(messagesShown(prompter).size(), 1u);
    EXPECT_EQ(messagesShown(prompter)[0].text.toStdString(),
              "Failed to save document.\n" + scratchFile("no-such-folder/house.av").toStdString() +
                  ": No such file or directory");
    EXPECT_TRUE(controller.isModified());
    EXPECT_EQ(controller.title(), "Untitled");
    EXPECT_TRUE(recent.files().isEmpty());
}

TEST_F(DocumentControllerTest, ALargeHouseOpensOffTheGuiThreadWithProgress) {
    // Enough objects that reading takes a noticeable moment.
    CBrenvikaDoc big;
    CBlock* block = big.currentSection()->blocks().front().get();
    for (int i = 0; i < 20000; ++i) {
        auto object = std::make_unique<CHouseObject>();
        object->name = "Box " + std::to_string(i);
        object->notes = std::string(200, 'n');
        block->appendFloorObjectAsStored(std::move(object));
    }
    const QString path = scratchFile("big.av");
    ASSERT_EQ(saveProject(QFile::encodeName(path).toStdString(), big), FileError::None);

    controller.setProgressDelay(0);
    bool progressSeen = false;
    int ticks = 0;
    QTimer watcher;
    watcher.setInterval(1);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        ++ticks;
        EXPECT_TRUE(controller.isBusy());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog*>(w) && w->isVisible())
                progressSeen = true;
    });
    watcher.start();
    ASSERT_TRUE(controller.openDocument(path));
    watcher.stop();
    EXPECT_FALSE(controller.isBusy());
    EXPECT_GT(ticks, 0) << "the event loop ran while the file was read";
    EXPECT_TRUE(progressSeen);
    EXPECT_EQ(controller.document().currentSection()->blocks().front()->floorObjects().size(),
              20000u);
}

TEST_F(DocumentControllerTest, ChangesAnotherProgramSavedAreNeverOverwrittenUnasked) {
    QFile::remove(scratchFile("shared.av"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ARDENVO_SOURCE_DIR "/data/small-flat.av"),
                            scratchFile("shared.av")));
    const QString path = scratchFile("shared.av");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(controller.openDocument(path));
    const QString reminders = runTool({"reminders", path});
    ASSERT_FALSE(reminders.isEmpty());
    QSignalSpy reloaded(&controller, &DocumentController::reloadedFromDisk);

    // The reminder program's "Reset" while the house has changes here: Cancel saves nothing.
    addRoom();
    ASSERT_FALSE(runTool({"reset", path, "0"}).startsWith("exit"));
    const QByteArray theirs = readAll(path);
    EXPECT_FALSE(controller.save());
    ASSERT_EQ(questionsAsked(prompter).size(), 1);
    EXPECT_TRUE(questionsAsked(prompter)[0].contains("changed by another program"));
    EXPECT_EQ(readAll(path), theirs);
    EXPECT_TRUE(controller.isModified());

    // Reload takes their file and drops the changes made here.
    prompter.choices.push_back(1);
    EXPECT_FALSE(controller.save());
    EXPECT_FALSE(controller.isModified());
    EXPECT_EQ(readAll(path), theirs);
    EXPECT_EQ(controller.document().currentSection()->blocks().size(), [&] {
        CBrenvikaDoc onDisk;
        EXPECT_EQ(loadProject(path.toStdString(), onDisk), FileError::None);
        return onDisk.currentSection()->blocks().size();
    }());

    // Overwrite replaces it; a save after our own needs no question.
    addRoom();
    ASSERT_FALSE(runTool({"reset", path, "0"}).startsWith("exit"));
    prompter.choices.push_back(0);
    EXPECT_TRUE(controller.save());
    EXPECT_NE(readAll(path), theirs);
    addRoom();
    const auto asked = questionsAsked(prompter).size();
    EXPECT_TRUE(controller.save());
    EXPECT_EQ(questionsAsked(prompter).size(), asked);

    // Unmodified here: their change is loaded by itself.
    QApplication::processEvents();
    reloaded.clear();
    const QString before = runTool({"reminders", path});
    ASSERT_FALSE(runTool({"reset", path, "0"}).startsWith("exit"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reloaded.isEmpty(); }, 10000));
    EXPECT_FALSE(controller.isModified());
    EXPECT_EQ(questionsAsked(prompter).size(), asked);
    // Saving now writes what the other program wrote, not the old reminders.
    controller.document().setModified(true);
    EXPECT_TRUE(controller.save());
    EXPECT_NE(runTool({"reminders", path}), before);
    EXPECT_EQ(questionsAsked(prompter).size(), asked);
}

TEST_F(DocumentControllerTest, FileDialogsStartInTheHousesFolderElseTheLastOneUsedElseHome) {
    EXPECT_FALSE(controller.openWithDialog());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::OpenFile).last(), QDir::homePath());
    EXPECT_FALSE(controller.saveAs());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::SaveFile).last(),
              QDir::homePath() + "/Untitled.av");

    QDir().mkpath(scratchFile("saved"));
    QDir().mkpath(scratchFile("opened"));
    addRoom();
    prompter.fileNames.push_back(scratchFile("saved/house.av"));
    ASSERT_TRUE(controller.saveAs());
    ASSERT_TRUE(QFile::copy(scratchFile("saved/house.av"), scratchFile("opened/copy.av")));
    // With a house open, both start where it lies.
    EXPECT_FALSE(controller.openWithDialog());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::OpenFile).last(), scratchFile("saved"));
    EXPECT_FALSE(controller.saveAs());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::SaveFile).last(),
              scratchFile("saved/house.av"));
    prompter.fileNames.push_back(scratchFile("opened/copy.av"));
    ASSERT_TRUE(controller.openWithDialog());

    // An untitled house: each dialog where it was used last, kept in the settings.
    ASSERT_TRUE(controller.newDocument());
    EXPECT_FALSE(controller.openWithDialog());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::OpenFile).last(), scratchFile("opened"));
    EXPECT_FALSE(controller.saveAs());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::SaveFile).last(),
              scratchFile("saved/Untitled.av"));
    RecentFileList again(settings);
    DocumentController next(prompter, again);
    EXPECT_FALSE(next.openWithDialog());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::OpenFile).last(), scratchFile("opened"));

    // A folder that has gone is not offered.
    QFile::remove(scratchFile("opened/copy.av"));
    QDir().rmdir(scratchFile("opened"));
    EXPECT_FALSE(controller.openWithDialog());
    EXPECT_EQ(fileStarts(prompter, ScriptedPrompter::Kind::OpenFile).last(), QDir::homePath());
}

TEST_F(DocumentControllerTest, ANewHouseLeavesTheTableOfOpenHouses) {
    addRoom();
    prompter.fileNames.push_back(scratchFile("listed.av"));
    ASSERT_TRUE(controller.save());
    const std::string path = scratchFile("listed.av").toStdString();
    EXPECT_TRUE(isOpenInMainProgram(path));
    ASSERT_TRUE(controller.newDocument());
    EXPECT_FALSE(isOpenInMainProgram(path));
    ASSERT_TRUE(controller.openDocument(scratchFile("listed.av")));
    EXPECT_TRUE(isOpenInMainProgram(path));
}
