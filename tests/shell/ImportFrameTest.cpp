// File > "Import objects...": the dialog driven as a user would, its import one undo step and its
// Cancel no change at all.
#include "ShellTestSupport.h"

#include "importer/dialog/ImportDialog.h"
#include "model/CBlock.h"
#include "model/CSection.h"
#include "model/ProjectFile.h"
#include "planeditor/layout/BlockLayout.h"
#include "platform/SettingsFile.h"
#include "shell/CMainFrame.h"
#include "shell/DocumentController.h"
#include "shell/RecentFileList.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

class ImportFrameTest : public testing::Test {
protected:
    ImportFrameTest()
        : settings(scratchFile(QStringLiteral("import-%1.conf").arg(++counter)).toStdString()),
          recent(settings), controller(prompter, recent) {
        installLayout(controller.document());
        frame = std::make_unique<CMainFrame>(controller, recent, prompter);
        frame->resize(900, 700);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        controller.document().setModified(false);
    }
    ~ImportFrameTest() override {
        controller.document().setModified(false);
        frame->close();
    }

    // Runs File > "Import objects..." on `csv`; `drive` gets the dialog once it shows.
    void importFile(const QByteArray& csv, const std::function<void(ImportDialog&)>& drive) {
        prompter.fileNames.push_back(writeScratchFile("things.csv", csv));
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ImportDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            driven = true;
            drive(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        frame->action("fileImport")->trigger();
        EXPECT_TRUE(driven);
    }

    CBrenvikaDoc& doc() { return controller.document(); }
    CSection& section() { return *doc().currentSection(); }

    static inline int counter = 0;
    ScriptedPrompter prompter;
    SettingsFile settings;
    RecentFileList recent;
    DocumentController controller;
    std::unique_ptr<CMainFrame> frame;
};

const QByteArray kCsv = "Thing;Place;Colour\r\nLamp;Study;red\r\nVase;Study;blue\r\n"
                        "\"Cup\"x;Study;\r\n";

TEST_F(ImportFrameTest, MapsImportsAsOneStepAndUndoesIt) {
    const std::string before = writeProject(doc());
    importFile(kCsv, [&](ImportDialog& dialog) {
        EXPECT_EQ(dialog.table().format.delimiter, ';');
        // "Thing" and "Place" are not words the import knows: the user maps them.
        QComboBox* thing = dialog.mappingCombo(0);
        QComboBox* place = dialog.mappingCombo(1);
        ASSERT_NE(thing, nullptr);
        EXPECT_EQ(thing->currentText(), "Imported/Thing");
        thing->setCurrentText("Name");
        place->setCurrentText("Room");
        EXPECT_EQ(dialog.mappingCombo(2)->currentText(), "Imported/Colour");
        auto* notTaken = dialog.findChild<QListWidget*>("notTaken");
        ASSERT_EQ(notTaken->count(), 1);
        EXPECT_TRUE(notTaken->item(0)->text().startsWith("Line 4: broken quote"));
        EXPECT_EQ(dialog.plan().items.size(), 2u);
        QTest::mouseClick(dialog.findChild<QPushButton*>("import"), Qt::LeftButton);
    });
    CBlock* study = section().findBlockByName("Study");
    ASSERT_NE(study, nullptr);
    EXPECT_EQ(study->floorObjects().size(), 2u);
    EXPECT_TRUE(doc().isModified());
    QAction* undo = frame->action("editUndo");
    EXPECT_EQ(undo->text(), "&Undo Import objects");

    // One undo takes back the room and both objects.
    undo->trigger();
    EXPECT_EQ(writeProject(doc()), before);
    EXPECT_FALSE(frame->action("editUndo")->isEnabled());

    // Cancel changes nothing and leaves no step.
    importFile(kCsv, [](ImportDialog& dialog) {
        dialog.mappingCombo(0)->setCurrentText("Name");
        dialog.reject();
    });
    EXPECT_EQ(writeProject(doc()), before);
    EXPECT_FALSE(frame->action("editUndo")->isEnabled());
}

TEST_F(ImportFrameTest, WarnsBeforeTheSameFileIsImportedAgain) {
    const QByteArray csv = "Name\nLamp\nVase\n";
    importFile(csv, [](ImportDialog& dialog) { dialog.accept(); });
    EXPECT_EQ(section().blockAt(0)->floorObjects().size(), 2u);
    EXPECT_TRUE(prompter.questions().isEmpty());

    // No to the question keeps the dialog open and the house as it was.
    importFile(csv, [](ImportDialog& dialog) {
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
    });
    ASSERT_EQ(prompter.questions().size(), 1);
    EXPECT_TRUE(prompter.questions()[0].contains("imported before"));
    EXPECT_EQ(section().blockAt(0)->floorObjects().size(), 2u);

    prompter.answers.push_back(Prompter::Answer::Yes);
    importFile(csv, [](ImportDialog& dialog) { dialog.accept(); });
    EXPECT_NE(section().blockAt(0)->findFloorObject("Lamp 2"), nullptr);
}

TEST_F(ImportFrameTest, RefusesAFileThatIsNotText) {
    prompter.fileNames.push_back(
        writeScratchFile("picture.csv", QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)));
    frame->action("fileImport")->trigger();
    const auto shown = messagesShown(prompter);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Error");
    EXPECT_TRUE(shown[0].text.contains("not text")) << shown[0].text.toStdString();
    EXPECT_FALSE(frame->action("editUndo")->isEnabled());
}

} // namespace
