// File > "Earlier versions...", "Export with pictures..." and "Import archive..." in the window.
#include "ShellTestSupport.h"

#include "history/VersionStore.h"
#include "history/dialog/VersionsDialog.h"
#include "model/ProjectFile.h"
#include "platform/AppPaths.h"
#include "platform/SettingsFile.h"
#include "shell/CMainFrame.h"
#include "shell/DocumentController.h"
#include "shell/RecentFileList.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

void addObject(CBrenvikaDoc& doc, const std::string& name) {
    auto object = std::make_unique<CHouseObject>();
    object->name = name;
    doc.currentSection()->blocks()[0]->addFloorObject(std::move(object));
    doc.setModified(true);
}

TEST(VersionsFrame, EarlierVersionsShowWhatChangedAndOpenOneAsTheModifiedHouse) {
    SettingsFile settings(scratchFile(QStringLiteral("versions-frame.conf")).toStdString());
    RecentFileList recent(settings);
    ScriptedPrompter prompter;
    DocumentController controller(prompter, recent);
    controller.setVersionsRoot(scratchFile(QStringLiteral("versions-root")).toStdString());
    CMainFrame frame(controller, recent, prompter);
    const QString house = scratchFile(QStringLiteral("versioned.av"));
    QFile::remove(house);

    controller.document().newHouse();
    addObject(controller.document(), "Sofa");
    prompter.fileNames.push_back(house);
    ASSERT_TRUE(controller.saveAs());
    addObject(controller.document(), "Lamp");
    ASSERT_TRUE(controller.save());
    addObject(controller.document(), "Desk");
    ASSERT_TRUE(controller.save());
    // Two saves replaced a house: the one with the sofa, then the one with the sofa and lamp.
    ASSERT_EQ(VersionStore(controller.versionsFolder()).versions().size(), 2u);

    QString differences;
    int rows = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<VersionsDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->waitForCounts();
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("versionList"));
        rows = list->topLevelItemCount();
        EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("2"));
        EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("1"));
        list->setCurrentItem(list->topLevelItem(1)); // the oldest: the sofa alone
        differences = dialog->differencesText();
        dialog->findChild<QPushButton*>(QStringLiteral("openVersion"))->click();
    });
    frame.action(QStringLiteral("fileEarlierVersions"))->trigger();
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(differences, QStringLiteral("House / I'm a hall\n  Added: Lamp\n  Added: Desk\n"));

    // The version is the house now, unsaved, under the house's own path.
    EXPECT_TRUE(controller.isModified());
    EXPECT_EQ(controller.pathName(), house);
    EXPECT_EQ(controller.document().currentSection()->blocks()[0]->floorObjects().size(), 1u);
    ASSERT_TRUE(controller.save());
    CBrenvikaDoc onDisk;
    ASSERT_EQ(loadProject(QFile::encodeName(house).toStdString(), onDisk), FileError::None);
    EXPECT_EQ(onDisk.currentSection()->blocks()[0]->floorObjects().size(), 1u);
    // The house with the desk it replaced is kept too.
    EXPECT_EQ(VersionStore(controller.versionsFolder()).versions().size(), 3u);
}

TEST(VersionsFrame, AnArchiveExportedFromTheWindowImportsAsASavedHouse) {
    SettingsFile settings(scratchFile(QStringLiteral("archive-frame.conf")).toStdString());
    RecentFileList recent(settings);
    ScriptedPrompter prompter;
    DocumentController controller(prompter, recent);
    CMainFrame frame(controller, recent, prompter);
    controller.document().newHouse();
    addObject(controller.document(), "Sofa");
    controller.document().currentSection()->blocks()[0]->pictures.append("Gone", "gone.jpg");

    const QString zip = scratchFile(QStringLiteral("frame.zip"));
    const QString kept = scratchFile(QStringLiteral("imported.av"));
    QFile::remove(zip);
    QFile::remove(kept);
    prompter.fileNames.push_back(zip);
    frame.action(QStringLiteral("fileExportArchive"))->trigger();
    ASSERT_TRUE(QFile::exists(zip));
    const auto shown = messagesShown(prompter);
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(shown.back().text.contains(QStringLiteral("Images/gone.jpg")))
        << shown.back().text.toStdString();

    controller.document().setModified(false);
    prompter.fileNames.push_back(zip);
    prompter.fileNames.push_back(kept);
    frame.action(QStringLiteral("fileImportArchive"))->trigger();
    EXPECT_EQ(controller.pathName(), kept);
    EXPECT_FALSE(controller.isModified());
    CBrenvikaDoc onDisk;
    ASSERT_EQ(loadProject(QFile::encodeName(kept).toStdString(), onDisk), FileError::None);
    EXPECT_EQ(onDisk.currentSection()->blocks()[0]->floorObjects()[0]->name, "Sofa");
}

} // namespace
