#include "PanelTestSupport.h"
#include "planeditor/view/DialogTestSupport.h"

#include "model/FieldFile.h"
#include "platform/DialogFolders.h"
#include "platform/Settings.h"
#include "widgets/QtPrompter.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

using CategoryMenu = PanelTest;

// Answers the category name dialog the command opens with `text` (OK) or Cancel.
void nameDialogAnswers(const QString& text, bool ok = true) {
    whenModal([text, ok](QDialog* dialog) {
        retype(dialog->findChild<QLineEdit*>(QStringLiteral("nameEdit")), text);
        ok ? clickOk(dialog) : clickCancel(dialog);
    });
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(CategoryMenu, NewAndRenamedCategoriesNeverTakeTheReminderEntry) {
    choose("Value");
    nameDialogAnswers("Tools", false);
    panel->addCategoryAction()->trigger();
    EXPECT_EQ(object.categories().size(), 3u);
    EXPECT_EQ(object.currentCategory(), 1); // Cancel leaves the current category as it was

    nameDialogAnswers("Reminder");
    panel->addCategoryAction()->trigger();
    ASSERT_EQ(object.categories().size(), 4u);
    EXPECT_EQ(selectorTexts(),
              (QStringList{"Location", "Value", "Guarantee", "Reminder 2", "Reminder"}));
    EXPECT_EQ(panel->categorySelector()->currentText(), "Reminder 2");
    EXPECT_EQ(rowCount(), 0);

    choose("Location");
    nameDialogAnswers("Reminder");
    panel->renameAction()->trigger();
    EXPECT_EQ(object.categories()[0]->title, "Reminder 3");
    EXPECT_EQ(rowTexts(0)[0], "Reminder 3");

    choose("Reminder");
    panel->renameAction()->trigger();
    panel->deleteCategoryAction()->trigger();
    EXPECT_EQ(errorsShown(prompter),
              (QStringList{"Reminder can't be renamed", "Reminder can't be deleted"}));
    EXPECT_EQ(object.categories().size(), 4u);
}

TEST_F(CategoryMenu, DeletingRemovesTheCurrentCategoryButNeverTheOnlyOne) {
    choose("Value");
    panel->deleteCategoryAction()->trigger();
    EXPECT_EQ(selectorTexts(), (QStringList{"Location", "Guarantee", "Reminder"}));
    EXPECT_EQ(panel->categorySelector()->currentText(), "Guarantee");
    panel->deleteCategoryAction()->trigger();
    EXPECT_EQ(panel->categorySelector()->currentText(), "Location");
    EXPECT_TRUE(prompter.questions().isEmpty()); // no confirmation

    panel->deleteCategoryAction()->trigger();
    EXPECT_EQ(warningsShown(prompter),
              QStringList{"Reminder attribute can't be deleted from the list of categories"});
    ASSERT_EQ(object.categories().size(), 1u);
    EXPECT_EQ(object.categories()[0]->title, "Location");
    EXPECT_EQ(panel->categorySelector()->currentText(), "Reminder");
    EXPECT_TRUE(editor().typeList()->isVisible());
}

TEST_F(CategoryMenu, CategorySavedWithAndWithoutValuesIsAddedToAnotherObject) {
    QTemporaryDir folder;
    choose("Guarantee");
    object.categories()[2]->entryAt(0).value = "20240105";
    prompter.fileNames = {folder.filePath("empty.fld"), folder.filePath("full.fld")};
    panel->saveWithoutValuesAction()->trigger();
    panel->saveWithValuesAction()->trigger();
    EXPECT_TRUE(errorsShown(prompter).isEmpty());
    EXPECT_EQ(object.categories()[2]->entryAt(0).value, "20240105"); // kept in memory

    CHouseObject other;
    select(&other);
    for (const char* file : {"empty.fld", "full.fld"}) {
        prompter.fileNames = {folder.filePath(file)};
        panel->addFromFileAction()->trigger();
    }
    ASSERT_EQ(other.categories().size(), 5u);
    EXPECT_EQ(selectorTexts(), (QStringList{"Location", "Value", "Guarantee", "Guarantee",
                                            "Guarantee", "Reminder"}));
    EXPECT_EQ(panel->categorySelector()->currentIndex(), 4);
    EXPECT_EQ(other.currentCategory(), 4);
    ASSERT_EQ(rowCount(), 4);
    EXPECT_EQ(rowTexts(0), (QStringList{"Guarantee", "When bought", "20240105"}));
    EXPECT_EQ(rowTexts(3), (QStringList{"Guarantee", "Repair 2", "not yet"}));
    const CFieldList& empty = *other.categories()[3];
    ASSERT_EQ(empty.size(), 4u);
    EXPECT_EQ(empty.entryAt(2).name, "Repair 1");
    for (const auto& field : empty.entries())
        EXPECT_EQ(field->value, "");
}

TEST_F(CategoryMenu, FilesThatCannotBeUsedAreNamedAndChangeNothing) {
    QTemporaryDir folder;
    const std::string damaged = folder.filePath("damaged.fld").toStdString();
    std::ofstream(damaged, std::ios::binary) << std::string("\x08Location\x05\x00\x00\x00", 13);
    for (const std::string& path : {damaged, folder.filePath("missing.fld").toStdString()}) {
        prompter.fileNames = {QString::fromStdString(path)};
        panel->addFromFileAction()->trigger();
        ASSERT_FALSE(errorsShown(prompter).isEmpty());
        EXPECT_TRUE(errorsShown(prompter).last().contains(QString::fromStdString(path))) << path;
    }
    EXPECT_TRUE(errorsShown(prompter)[0].contains("not a field file"));
    EXPECT_EQ(object.categories().size(), 3u);
    EXPECT_EQ(selectorTexts().size(), 4);

    // A write that fails (here: over the file-size limit) says so and keeps the old file.
    const std::string target = folder.filePath("old.fld").toStdString();
    std::ofstream(target, std::ios::binary) << "old";
    const QString savePath = QString::fromStdString(target);
    prompter.fileNames = {savePath};
    object.categories()[0]->entryAt(0).value = std::string(4096, 'x');
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    panel->saveWithValuesAction()->trigger();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(errorsShown(prompter).last().contains("could not be written"));
    EXPECT_TRUE(errorsShown(prompter).last().contains(savePath));
    EXPECT_EQ(contentOf(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path().toStdString()), {}),
              2);
}

TEST_F(CategoryMenu, FieldFilesStartWhereOpenWouldAndKeepTheirOwnFolder) {
    QTemporaryDir scratch;
    SettingsFile settings(scratch.filePath("registry.conf").toStdString());
    Settings(settings).setLastFolder(FileDialogKind::Open, scratch.path().toStdString());
    QDir(scratch.path()).mkpath("fields");
    QDir(scratch.path()).mkpath("house");
    FieldPanelSettings fieldSettings;
    fieldSettings.folderSettings = &settings;
    auto* untitled = new CategoryPanel(prompter, fieldSettings, &window);
    untitled->selectionChanged(&object);

    // An untitled house and nothing kept yet: the home folder, not the Images folder.
    prompter.fileNames = {scratch.filePath("fields/guarantee.fld")};
    untitled->saveWithValuesAction()->trigger();
    EXPECT_EQ(fileDialogFolders(prompter).last(), QDir::homePath());
    // Then the folder the user went to, for all three commands, Open's folder not mixed in.
    prompter.fileNames = {scratch.filePath("fields/empty.fld")};
    untitled->saveWithoutValuesAction()->trigger();
    EXPECT_EQ(fileDialogFolders(prompter).last(), scratch.filePath("fields"));
    prompter.fileNames = {scratch.filePath("fields/empty.fld")};
    untitled->addFromFileAction()->trigger();
    EXPECT_EQ(fileDialogFolders(prompter).last(), scratch.filePath("fields"));
    EXPECT_EQ(Settings(settings).lastFolder(FileDialogKind::Open), scratch.path().toStdString());
    // Cancel keeps the folder.
    ASSERT_TRUE(prompter.fileNames.empty());
    untitled->addFromFileAction()->trigger();
    untitled->addFromFileAction()->trigger();
    EXPECT_EQ(fileDialogFolders(prompter).last(), scratch.filePath("fields"));

    // A saved house: its own folder.
    fieldSettings.housePath = scratch.filePath("house/home.av");
    auto* saved = new CategoryPanel(prompter, fieldSettings, &window);
    saved->selectionChanged(&object);
    saved->addFromFileAction()->trigger();
    EXPECT_EQ(fileDialogFolders(prompter).last(), scratch.filePath("house"));
    EXPECT_EQ(fileDialogFolders(prompter).size(), 6);
}

} // namespace

TEST(FieldFileDialogs, OfferFieldFilesAndAskBeforeReplacingOne) {
    for (const bool saving : {false, true}) {
        whenModal([saving](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->nameFilters(), QStringList{"Field files (*.fld)"});
            EXPECT_EQ(files->defaultSuffix(), "fld");
            EXPECT_EQ(files->acceptMode(),
                      saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            EXPECT_EQ(files->fileMode(), saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
            EXPECT_FALSE(files->testOption(QFileDialog::DontConfirmOverwrite));
            EXPECT_EQ(files->directory().absolutePath(), QDir::tempPath()); // the house's folder
            dialog->reject();
        });
        FieldPanelSettings settings;
        settings.housePath = QDir(QDir::tempPath()).filePath("house.av");
        EXPECT_TRUE(askFieldFile(standardPrompter(), nullptr, settings,
                                 saving ? FieldFileUse::Write : FieldFileUse::Read)
                        .isEmpty());
    }
}
