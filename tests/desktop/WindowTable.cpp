#include "tests/desktop/WindowTable.h"

#include "catalogue/MoveObjectDialog.h"
#include "catalogue/ObjectsDialog.h"
#include "catalogue/pictures/ImageDialog.h"
#include "history/dialog/VersionsDialog.h"
#include "importer/dialog/ImportDialog.h"
#include "labels/dialog/LabelsDialog.h"
#include "model/TreeOrder.h"
#include "planeditor/layout/BlockLayout.h"
#include "planeditor/view/RepositionDialog.h"
#include "planeditor/view/SectionsDialog.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "platform/help/HelpWindow.h"
#include "reminder/ui/EventSettingsDialog.h"
#include "reminder/ui/ReminderAboutBox.h"
#include "reminder/ui/ReminderWindow.h"
#include "reminder/ui/TipDialog.h"
#include "search/dialog/InventoryDialog.h"
#include "search/dialog/ScopeTree.h"
#include "search/dialog/SearchDialog.h"
#include "shell/AboutDialog.h"
#include "shell/CMainFrame.h"
#include "shell/ChooseHouseDialog.h"
#include "shell/ShellTestSupport.h"
#include "widgets/NameDialog.h"
#include "widgets/ObjectPropertiesDialog.h"
#include "widgets/ReminderEditor.h"
#include "widgets/ResizeDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace ardenvo::test {

namespace {

const QString kHouse = QStringLiteral(ARDENVO_SOURCE_DIR "/data/family-house.av");
// The spreadsheet the import window reads: its cells are the user's data too.
const char* const kImportCsv = "Room,Name\nKitchen,Kettle\n";

} // namespace

Scene::Scene() : settings(scratchFile("windows.conf").toStdString()) {
    CBrenvikaDoc& doc = controller.document();
    installLayout(doc);
    if (!controller.openDocument(kHouse))
        return;
    for (const auto& section : doc.sections())
        for (const auto& block : section->blocks())
            if (!room && displayText(block->name) == QLatin1String("Living room")) {
                doc.setCurrentSection(section.get());
                room = block.get();
            }
    if (room && !floorObjectsInTreeOrder(*room).empty())
        object = floorObjectsInTreeOrder(*room).front();
}

namespace {

template <typename W, typename... Args> std::unique_ptr<QWidget> make(Args&&... args) {
    return std::make_unique<W>(std::forward<Args>(args)...);
}

std::unique_ptr<QWidget> reminderWindow(Scene& s, int page) {
    ReminderWindowOptions options;
    options.watchEvents = false;
    options.useTray = false;
    options.useDesktopNotifications = false;
    options.prompter = &s.prompter;
    auto window = std::make_unique<ReminderWindow>(s.settings, options);
    window->tabs().setCurrentIndex(page);
    return window;
}

// The reminder editor as a dialog lays it out, for a periodical reminder in `mode`.
std::unique_ptr<QWidget> reminderEditor(PeriodicMode mode, bool withFields) {
    auto dialog = std::make_unique<QDialog>();
    auto* editor = new ReminderEditor(dialog.get());
    CReminder reminder(LocalDateTime{2026, 3, 14, 9, 30, 0});
    reminder.type = static_cast<std::int32_t>(ReminderType::PeriodicalDate);
    reminder.periodicMode = static_cast<std::int32_t>(mode);
    editor->load(reminder);
    editor->updateEnabling(true);
    auto* layout = new QVBoxLayout(dialog.get());
    if (withFields)
        layout->addWidget(editor->fieldsWidget());
    else
        editor->fieldsWidget()->hide();
    layout->addWidget(editor->periodicalGroup());
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog.get());
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    layout->addWidget(buttons);
    return dialog;
}

// The search dialog with the report of every object whose name holds an "e".
std::unique_ptr<QWidget> searchReport(Scene& s) {
    auto dialog =
        std::make_unique<SearchDialog>(s.doc(), scratchFile("report.html"), s.prompter, s.printing);
    dialog->findChild<QCheckBox*>(QStringLiteral("namesCheck"))->setChecked(true);
    dialog->findChild<QLineEdit*>(QStringLiteral("namesEdit"))->setText(QStringLiteral("e"));
    dialog->findChild<ScopeTree*>(QStringLiteral("scopeTree"))->tickAll();
    dialog->askTheTobrin();
    return dialog;
}

} // namespace

const std::vector<Window>& windows() {
    static const std::vector<Window> all{
        {"MainWindow",
         [](Scene& s) {
             auto frame = std::make_unique<CMainFrame>(s.controller, s.recent, s.prompter);
             frame->setWindowState(Qt::WindowMaximized);
             return std::unique_ptr<QWidget>(std::move(frame));
         }},
        {"Choose",
         [](Scene& s) {
             return make<ChooseHouseDialog>(QStringList{kHouse}, QStringList{kHouse}, s.prompter);
         }},
        {"About",
         [](Scene&) {
             return make<AboutDialog>(QStringLiteral(ARDENVO_SOURCE_DIR "/data/splash.jpg"));
         }},
        {"Help",
         [](Scene&) {
             auto help = std::make_unique<HelpWindow>();
             help->showPage(QUrl::fromLocalFile(ARDENVO_SOURCE_DIR "/data/help/index.html"));
             return std::unique_ptr<QWidget>(std::move(help));
         }},
        {"Sections",
         [](Scene& s) {
             return make<SectionsDialog>(nullptr, s.doc(), s.prompter);
         }},
        {"Reposition",
         [](Scene& s) {
             return make<RepositionDialog>(nullptr, *s.room, s.prompter);
         }},
        {"Resize",
         [](Scene& s) {
             static const UnitTable units(0);
             return make<ResizeDialog>(nullptr, units, *s.room, s.object, s.prompter);
         }},
        {"Name",
         [](Scene&) {
             return make<NameDialog>(nullptr, std::string("Kitchen"),
                                     [](const std::string&) { return false; });
         }},
        {"ObjectProperties",
         [](Scene& s) {
             return make<ObjectPropertiesDialog>(nullptr, std::nullopt, false, s.settings,
                                                 s.prompter);
         }},
        {"MessageBox",
         [](Scene&) {
             const Prompter::Prompt prompt{
                 QCoreApplication::translate("ardenvo::DialogSupport", "Please enter a number."),
                 Prompter::Icon::Warning, Prompter::Title::Warning};
             return std::unique_ptr<QWidget>(makeMessageBox(
                 nullptr, prompt, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                 QMessageBox::Yes));
         }},
        {"Progress",
         [](Scene&) {
             return std::unique_ptr<QWidget>(makeProgressDialog(
                 nullptr,
                 QCoreApplication::translate("ardenvo::InventoryDialog", "Reading the pictures..."),
                 QStringLiteral("progress")));
         }},
        {"ObjectsInside",
         [](Scene& s) {
             return make<ObjectsDialog>(s.doc(), *s.room, s.object);
         }},
        {"MoveObject",
         [](Scene& s) {
             return make<MoveObjectDialog>(s.doc(), *s.room, s.object, s.prompter);
         }},
        {"Picture",
         [](Scene& s) {
             return make<ImageDialog>(s.picture, scratchDir().toStdString(), s.prompter);
         }},
        {"Search",
         [](Scene& s) {
             return make<SearchDialog>(s.doc(), scratchFile("temp.html"), s.prompter, s.printing);
         }},
        {"SearchReport", searchReport},
        {"Inventory",
         [](Scene& s) {
             return make<InventoryDialog>(s.doc(), scratchDir().toStdString(), s.prompter,
                                          s.printing);
         }},
        {"Labels",
         [](Scene& s) {
             return make<LabelsDialog>(s.doc(), nullptr, s.prompter, s.printing, nullptr);
         }},
        {"Import",
         [](Scene& s) {
             return make<ImportDialog>(s.doc(), std::string(kImportCsv),
                                       QStringLiteral("objects.csv"), s.prompter);
         }},
        {"Versions",
         [](Scene& s) {
             return make<VersionsDialog>(s.doc(), scratchDir().toStdString());
         }},
        {"ReminderPage",
         [](Scene& s) {
             return reminderWindow(s, 0);
         }},
        {"OptionsPage",
         [](Scene& s) {
             return reminderWindow(s, 1);
         }},
        {"EventSettings",
         [](Scene&) {
             return make<EventSettingsDialog>(nullptr, LocalDateTime{2026, 3, 14, 9, 30, 0});
         }},
        {"ReminderEditor",
         [](Scene&) {
             return reminderEditor(PeriodicMode::RepeatEach, true);
         }},
        {"PeriodicalSettings",
         [](Scene&) {
             return reminderEditor(PeriodicMode::RepeatOn, false);
         }},
        {"Tip",
         [](Scene& s) {
             static Settings settings(s.settings);
             return make<TipDialog>(TipDialog::eventOccurredText(), settings);
         }},
        {"ReminderAbout",
         [](Scene&) {
             return make<ReminderAboutBox>();
         }},
    };
    return all;
}

std::string windowName(const Window& window) {
    return window.name;
}

const QString& houseText() {
    static const QString text = [] {
        QFile file(kHouse);
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        const QByteArray bytes = file.readAll();
        // With the category the import gives the spreadsheet's other columns.
        return displayText(std::string_view(bytes.constData(), bytes.size())) +
               QString::fromLatin1(kImportCsv) + QString::fromUtf8(kDefaultImportCategory);
    }();
    return text;
}

std::unique_ptr<QWidget> showWindow(Scene& scene, const Window& window) {
    std::unique_ptr<QWidget> widget = window.make(scene);
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget.get()))
        ADD_FAILURE() << window.name << " was not shown";
    QApplication::processEvents();
    return widget;
}

} // namespace ardenvo::test
